#pragma once
// An in-memory registry that behaves like Windows' where the program can
// tell: names compare case-insensitively and keep the case they were
// created with; subkeys enumerate sorted by their upper-cased names (so
// "A_B" follows "AB", as on Windows; Wine sorts lower-cased names) and
// values in creation order; the 32-bit view of HKLM\SOFTWARE lives under
// HKLM\SOFTWARE\WOW6432Node; keys directly under HKLM and HKU are hive
// roots (only a hive load puts a key there, and none can be deleted); a
// key with subkeys cannot be deleted; a handle to a deleted key fails with
// kKeyDeleted; handles keep the access they were opened with; hive files
// live in an in-memory file map, and a saved file is never overwritten.
//
// HKCR is HKLM\SOFTWARE\Classes and HKCC is
// HKLM\SYSTEM\CurrentControlSet\Hardware Profiles\Current; HKCU is a tree
// of its own. Thread-safe, like the real registry, so SaveKey's worker can
// use it.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace kva {

// A key tree as plain data: what a hive file holds, and what tests build
// and compare. Subkeys are kept in enumeration order, values in creation
// order.
struct FakeKey {
  struct Value {
    std::u16string name;
    RegValue value;
    bool operator==(const Value&) const = default;
  };
  std::u16string name;
  std::vector<Value> values;
  std::vector<FakeKey> subkeys;
  bool operator==(const FakeKey&) const = default;
};

class FakeRegistry final : public Registry {
 public:
  // Port calls that FailNext can make fail.
  enum class Call {
    kOpenKey,
    kCreateKey,
    kQueryValue,
    kSetValue,
    kRemoveValue,
    kRemoveKey,
    kEnumKey,
    kEnumValue,
    kQueryInfo,
    kLoadHive,
    kUnloadHive,
    kSaveHive,
    kResetSecurity,
  };

  FakeRegistry();
  // Hive files live in hiveFiles instead of the fake's own map, so that a
  // test sees them as files (and can tear or move them).
  explicit FakeRegistry(FileSystem& hiveFiles);
  ~FakeRegistry() override;

  RegStatus OpenKey(KeyHandle parent, std::u16string_view subkey, std::uint32_t access,
                    KeyHandle& out) override;
  RegStatus CreateKey(KeyHandle parent, std::u16string_view subkey, std::uint32_t options,
                      std::uint32_t access, KeyHandle& out) override;
  void CloseKey(KeyHandle key) override;
  RegStatus QueryValue(KeyHandle key, std::u16string_view name, RegValue& out) override;
  RegStatus SetValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                     std::span<const std::uint8_t> data) override;
  RegStatus RemoveValue(KeyHandle key, std::u16string_view name) override;
  RegStatus RemoveKey(KeyHandle parent, std::u16string_view subkey,
                      std::uint32_t viewAccess) override;
  RegStatus EnumKey(KeyHandle key, std::uint32_t index, std::u16string& name) override;
  RegStatus EnumValue(KeyHandle key, std::uint32_t index, std::u16string& name) override;
  RegStatus QueryInfo(KeyHandle key, RegKeyInfo& out) override;
  RegStatus LoadHive(KeyHandle root, std::u16string_view subkey, std::u16string_view file) override;
  RegStatus UnloadHive(KeyHandle root, std::u16string_view subkey) override;
  RegStatus SaveHive(KeyHandle key, std::u16string_view file) override;
  RegStatus ResetSecurity(KeyHandle key) override;

  // Test hooks. Paths here are a predefined root plus a subkey path in the
  // 64-bit view (write WOW6432Node out to reach the 32-bit one).

  // Hive files, by case-insensitive file name. A file written as unreadable
  // makes LoadHive fail with kBadFormat.
  void WriteHiveFile(std::u16string_view file, FakeKey root);
  void WriteUnreadableHiveFile(std::u16string_view file);
  // The tree a file holds; empty when the file is missing or unreadable.
  [[nodiscard]] std::optional<FakeKey> ReadHiveFile(std::u16string_view file) const;
  [[nodiscard]] bool HiveFileExists(std::u16string_view file) const;
  bool RemoveHiveFile(std::u16string_view file);

  // The key's tree as it stands; empty when the key does not exist.
  [[nodiscard]] std::optional<FakeKey> Snapshot(KeyHandle root, std::u16string_view subkey);

  // The key refuses every open, create and delete, except an open asking
  // only for kWriteDac and kWriteOwner (an administrator can always take
  // ownership); ResetSecurity lifts the denial. False when the key is missing.
  bool DenyAccess(KeyHandle root, std::u16string_view subkey);

  // The next count calls of one kind fail with status, doing nothing.
  void FailNext(Call call, RegStatus status, int count = 1);

  // Handles opened and not yet closed: lets tests find leaks.
  [[nodiscard]] std::size_t OpenHandleCount() const;

 private:
  struct Node;
  struct Handle {
    std::shared_ptr<Node> node;
    std::uint32_t access = 0;
  };
  struct Failure {
    RegStatus status = reg::kSuccess;
    int count = 0;
  };
  struct HiveFile {
    std::optional<FakeKey> tree;  // empty: unreadable
  };
  struct Mounted {
    std::shared_ptr<Node> node;
    std::u16string file;
  };

  bool ShouldFail(Call call, RegStatus& status);
  RegStatus Resolve(KeyHandle key, std::uint32_t needed, std::shared_ptr<Node>& out) const;
  std::shared_ptr<Node> RootNode(KeyHandle root) const;
  std::shared_ptr<Node> Redirect(const std::shared_ptr<Node>& node, std::uint32_t view,
                                 std::u16string_view next) const;
  RegStatus Walk(std::shared_ptr<Node> from, std::u16string_view subkey, std::uint32_t access,
                 bool create, std::shared_ptr<Node>& out);
  bool IsProtected(const Node& node) const;
  KeyHandle NewHandle(std::shared_ptr<Node> node, std::uint32_t access);
  bool IsHandleUnder(const Node& top) const;

  mutable std::mutex mutex_;
  std::shared_ptr<Node> machine_;
  std::shared_ptr<Node> users_;
  std::shared_ptr<Node> currentUser_;
  std::shared_ptr<Node> software_;  // HKLM\SOFTWARE, where the 32-bit view forks
  std::shared_ptr<Node> wow_;       // HKLM\SOFTWARE\WOW6432Node
  std::shared_ptr<Node> classes_;
  std::shared_ptr<Node> currentConfig_;
  std::map<KeyHandle, Handle> handles_;
  KeyHandle nextHandle_ = 0x1000;
  std::map<Call, Failure> failures_;
  // Hive files: in the map, or in hiveFiles_ when one was given.
  [[nodiscard]] std::optional<HiveFile> FindFile(std::u16string_view file) const;
  bool StoreFile(std::u16string_view file, std::optional<FakeKey> tree);
  bool EraseFile(std::u16string_view file);
  std::map<std::u16string, HiveFile, LessNoCase> files_;
  FileSystem* hiveFiles_ = nullptr;
  std::vector<Mounted> mounted_;
};

}  // namespace kva
