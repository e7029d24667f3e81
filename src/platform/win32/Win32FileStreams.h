#pragma once
// File streams over CreateFileW, ReadFile and WriteFile.

#include "platform/FileStreams.h"

namespace kva::win32 {

class Win32FileStreams final : public FileStreams {
 public:
  std::unique_ptr<WriteStream> CreateForWriting(std::u16string_view path) override;
  bool ReadHead(std::u16string_view path, std::size_t count, std::vector<std::uint8_t>& out) override;
};

}  // namespace kva::win32
