#pragma once
// File streams over a FakeFileSystem: a written file is there, with what
// was written so far, after every write. As with CreateFileW, a hidden or
// system file is not created over. Paths can be locked (nothing opens them)
// and writes made to fail. An extended-length prefix (\\?\) is understood. Safe to use from a job's threads, while
// the test leaves the file system alone.

#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "fakes/FakeFileSystem.h"
#include "platform/FileStreams.h"

namespace kva {

class FakeFileStreams final : public FileStreams {
 public:
  explicit FakeFileStreams(FakeFileSystem& files) : files_(files) {}

  std::unique_ptr<WriteStream> CreateForWriting(std::u16string_view path) override;
  bool ReadHead(std::u16string_view path, std::size_t count, std::vector<std::uint8_t>& out) override;

  // A path another program holds open: it cannot be created, written or removed.
  void Lock(std::u16string_view path);
  // Writes fail once a file would grow beyond this (a full disk).
  std::optional<std::size_t> diskFullAtBytes;
  int creations = 0;  // successful CreateForWriting calls

 private:
  friend class FakeWriteStream;
  bool Append(const std::u16string& path, std::string& content, std::span<const std::uint8_t> bytes);

  FakeFileSystem& files_;
  std::mutex mutex_;
  std::set<std::u16string, LessNoCase> locked_;
};

}  // namespace kva
