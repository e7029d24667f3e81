#pragma once
// An in-memory file system with Windows' rules where the program can tell:
// drive-letter paths with backslashes (forward slashes accepted), relative
// paths against the current folder, "." and ".." resolved; names compare
// case-insensitively and keep the case they were created with; read-only
// files cannot be written, replaced or removed; a copy onto an existing
// hidden, system or read-only file fails (CopyFileW); a folder is removed
// only when empty and not current; moves stay on one drive. New files get
// the archive attribute, a file without any attribute reports kNormal.
// Find lists in name order. There are no shares (\\server\share) and no
// 8.3 names. Removals at restart and shell notices are only recorded; an
// access list exists only as a refusal set by a test. Drive C: exists and
// is the current folder at the start. For one thread at a time.

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace kva {

class FakeFileSystem final : public FileSystem {
 public:
  // Port calls that FailNext can stop.
  enum class Call { kWriteAll, kReadAll, kCopyTo, kMoveTo, kRemoveFile, kSetAttributes, kWriteAt };
  // Why RemoveFile and RemoveFolder refuse an item: an access list that
  // lets only an owner in, or a file in use that nothing unlocks.
  enum class Refusal { kUntilOwned, kAlways };

  FakeFileSystem();
  ~FakeFileSystem() override;

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

  // Test hooks.

  void AddDrive(char16_t letter);
  // New items are stamped with this creation time.
  LocalTime creationStamp{2024, 1, 2, 3, 4, 5, 0};
  // Bytes ReadAll and ReadRange handed out, to check what was read.
  std::uint64_t bytesRead = 0;
  // A junction or symbolic link: the entry reports kReparsePoint.
  void MarkReparsePoint(std::u16string_view path);
  // The folders FindOnPath looks in, in order: what System32, the Windows
  // folders and PATH give on Windows.
  std::vector<std::u16string> searchFolders;
  // Text files for set-up and checks; WriteText creates missing folders.
  void WriteText(std::u16string_view path, std::string_view bytes);
  [[nodiscard]] std::optional<std::string> ReadText(std::u16string_view path);

  // The next call of that kind on path (either end of a copy or move)
  // fails and changes nothing, as a crash just before it would leave things.
  void FailNext(Call call, std::u16string_view path);
  // The next WriteAll of path stores only the first keptBytes and fails:
  // a write torn by a crash or a full disk.
  void TearNextWrite(std::u16string_view path, std::size_t keptBytes);

  void RefuseRemoval(std::u16string_view path, Refusal refusal);
  // Full paths as resolved, in call order.
  [[nodiscard]] const std::vector<std::u16string>& RemovalsAtRestart() const {
    return removalsAtRestart_;
  }
  [[nodiscard]] const std::vector<std::u16string>& ShellRemovalNotices() const {
    return shellRemovalNotices_;
  }

 private:
  struct Node;
  // A resolved absolute path: drive letter and names as written.
  struct Location {
    char16_t drive = u'C';
    std::vector<std::u16string> parts;
    bool trailingSeparator = false;
  };
  struct Failure {
    Call call;
    std::u16string path;  // full path as resolved
  };
  struct Tear {
    std::u16string path;
    std::size_t keptBytes;
  };

  static std::u16string Text(const Location& where);
  std::optional<Location> Resolve(std::u16string_view path) const;
  Node* Lookup(const Location& where) const;
  Node* ParentOf(const Location& where) const;
  bool IsCurrentOrAbove(const Location& where) const;
  bool Injected(Call call, const Location& where);
  bool Injected(Call call, const Location& from, const Location& to);

  std::map<char16_t, std::unique_ptr<Node>> drives_;
  Location current_;
  std::vector<Failure> failures_;
  std::vector<Tear> tears_;
  std::vector<std::u16string> removalsAtRestart_;
  std::vector<std::u16string> shellRemovalNotices_;
};

}  // namespace kva
