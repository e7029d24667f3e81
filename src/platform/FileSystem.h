#pragma once
// The file-system port: Windows paths (drive letters, backslashes, names
// compared case-insensitively), one method per Win32 concept. Methods that
// fail leave their outputs untouched and return false (or an empty result).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/LocalTime.h"

namespace kva {

namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
inline constexpr std::uint32_t kReparsePoint = 0x400;
inline constexpr std::uint32_t kInvalid = 0xFFFFFFFF;
}  // namespace attr

struct FoundFile {
  std::u16string name;  // the name only, without the folder
  std::uint32_t attributes = 0;
  std::uint64_t sizeBytes = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // GetFileAttributesW: attr::kInvalid when the path does not exist.
  virtual std::uint32_t Attributes(std::u16string_view path) = 0;
  virtual bool SetAttributes(std::u16string_view path, std::uint32_t attributes) = 0;
  virtual bool SizeOf(std::u16string_view path, std::uint64_t& sizeBytes) = 0;

  // Creates the folder and its missing parents; true when it exists after.
  virtual bool CreateFolders(std::u16string_view path) = 0;
  // Only an empty folder that is not the current one (Windows holds that open).
  virtual bool RemoveFolder(std::u16string_view path) = 0;

  virtual bool ReadAll(std::u16string_view path, std::vector<std::uint8_t>& out) = 0;
  // Creates or truncates the file and writes all bytes; an existing file
  // keeps its hidden and system attributes. A read-only file is not written.
  virtual bool WriteAll(std::u16string_view path, std::span<const std::uint8_t> bytes) = 0;
  // Up to countBytes from offsetBytes on (fewer at the end, none past it),
  // without reading the rest: the head or tail of a large file.
  virtual bool ReadRange(std::u16string_view path, std::uint64_t offsetBytes,
                         std::size_t countBytes, std::vector<std::uint8_t>& out) = 0;
  // Writes bytes into an existing file at offsetBytes (at most its size),
  // growing it as needed and keeping what lies before and after.
  virtual bool WriteAt(std::u16string_view path, std::uint64_t offsetBytes,
                       std::span<const std::uint8_t> bytes) = 0;
  // When the file or folder was created, as the file system stores it (UTC).
  virtual bool CreationTimeOf(std::u16string_view path, LocalTime& out) = 0;
  // CopyFileW: the copy takes the source's attributes. An existing target
  // is overwritten only with overwrite and never when it is read-only,
  // hidden or system.
  virtual bool CopyTo(std::u16string_view from, std::u16string_view to, bool overwrite) = 0;
  // MoveFileExW on one volume; with replace an existing file (not a folder,
  // not read-only) is replaced in one step.
  virtual bool MoveTo(std::u16string_view from, std::u16string_view to, bool replace) = 0;
  virtual bool RemoveFile(std::u16string_view path) = 0;  // not a read-only one

  // Makes BUILTIN\Administrators the owner of the file or folder, then gives
  // Administrators and SYSTEM full control: for items whose access list
  // refuses the program. Ownership comes first, since only the owner may
  // rewrite an access list it is denied. Needs the take-ownership privilege.
  virtual bool TakeOwnershipAndGrantFullAccess(std::u16string_view path) = 0;
  // MoveFileExW with MOVEFILE_DELAY_UNTIL_REBOOT and no target: the item is
  // removed at the next restart and stays until then. A folder goes only if
  // it is empty by then, so its contents must be scheduled before it.
  virtual bool RemoveAtRestart(std::u16string_view path) = 0;
  // SHChangeNotify: open Explorer windows drop the removed file or folder.
  virtual void NotifyShellOfRemoval(std::u16string_view path, bool wasFolder) = 0;

  // The entries of a folder whose names match the last component, which may
  // hold wildcards (MatchesWildcard, Wildcard.h); sorted by name
  // case-insensitively, never "." or "..". Empty when the folder is missing.
  virtual std::vector<FoundFile> Find(std::u16string_view pattern) = 0;

  // PathFindOnPathW: a bare name (no backslash, no colon) looked up in the
  // System32 folder, the Windows folders and the folders of PATH, in 260
  // characters. The full path of the first existing entry, a folder too.
  virtual std::optional<std::u16string> FindOnPath(std::u16string_view name) = 0;

  virtual bool SetCurrentFolder(std::u16string_view path) = 0;
  // The full path, without a trailing backslash except at a drive's root.
  virtual std::u16string CurrentFolder() = 0;
};

// Helpers on top of the port.
inline bool Exists(FileSystem& fs, std::u16string_view path) {
  return fs.Attributes(path) != attr::kInvalid;
}
inline bool IsFolder(FileSystem& fs, std::u16string_view path) {
  const auto a = fs.Attributes(path);
  return a != attr::kInvalid && (a & attr::kDirectory);
}

}  // namespace kva
