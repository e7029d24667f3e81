#pragma once
#include "platform/FileSystem.h"

namespace kva::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  std::uint32_t Attributes(std::u16string_view path) override;
  bool SetAttributes(std::u16string_view path, std::uint32_t attributes) override;
  bool SizeOf(std::u16string_view path, std::uint64_t& sizeBytes) override;
  bool CreateFolders(std::u16string_view path) override;
  bool RemoveFolder(std::u16string_view path) override;
  bool ReadAll(std::u16string_view path, std::vector<std::uint8_t>& out) override;
  bool WriteAll(std::u16string_view path, std::span<const std::uint8_t> bytes) override;
  bool ReadRange(std::u16string_view path, std::uint64_t offsetBytes, std::size_t countBytes,
                 std::vector<std::uint8_t>& out) override;
  bool WriteAt(std::u16string_view path, std::uint64_t offsetBytes,
               std::span<const std::uint8_t> bytes) override;
  bool CreationTimeOf(std::u16string_view path, LocalTime& out) override;
  bool CopyTo(std::u16string_view from, std::u16string_view to, bool overwrite) override;
  bool MoveTo(std::u16string_view from, std::u16string_view to, bool replace) override;
  bool RemoveFile(std::u16string_view path) override;
  bool TakeOwnershipAndGrantFullAccess(std::u16string_view path) override;
  bool RemoveAtRestart(std::u16string_view path) override;
  void NotifyShellOfRemoval(std::u16string_view path, bool wasFolder) override;
  std::vector<FoundFile> Find(std::u16string_view pattern) override;
  std::optional<std::u16string> FindOnPath(std::u16string_view name) override;
  bool SetCurrentFolder(std::u16string_view path) override;
  std::u16string CurrentFolder() override;
};

}  // namespace kva::win32
