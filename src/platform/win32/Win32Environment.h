#pragma once
#include "platform/Environment.h"

namespace kva::win32 {

class Win32Environment final : public Environment {
 public:
  std::optional<std::u16string> Variable(std::u16string_view name) override;
  bool SetVariable(std::u16string_view name, std::u16string_view value) override;
  std::optional<std::u16string> Expand(std::u16string_view text) override;
  std::optional<std::u16string> Unexpand(std::u16string_view path) override;
  std::u16string Folder(KnownFolder folder, FolderOwner owner = FolderOwner::Process) override;
  std::u16string TempFolder() override;
  std::u16string ProgramPath() override;
  OsVersion ReportedVersion() override;
  bool IsAtLeast(std::uint32_t major, std::uint32_t minor, std::uint32_t build) override;
};

}  // namespace kva::win32
