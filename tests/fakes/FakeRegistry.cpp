#include "fakes/FakeRegistry.h"

#include <algorithm>

#include "fakes/FakeHiveFormat.h"

namespace kva {
namespace {

// Windows orders subkeys by comparing upper-cased names. Simple folding
// lower-cases, so ASCII letters are raised again; that decides where
// [\]^_` fall, which is where the two orders differ.
std::u16string SortKey(std::u16string_view name) {
  auto key = FoldCase(name);
  for (auto& c : key) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  }
  return key;
}

struct WindowsOrder {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const {
    return SortKey(a) < SortKey(b);
  }
};

// Generic rights become the key rights they stand for; view bits are not rights.
std::uint32_t SpecificRights(std::uint32_t access) {
  constexpr std::uint32_t kGenericRead = 0x80000000, kGenericWrite = 0x40000000,
                          kGenericExecute = 0x20000000, kGenericAll = 0x10000000,
                          kMaximumAllowed = 0x02000000;
  std::uint32_t rights = access & ~(reg::kViewMask | kGenericRead | kGenericWrite |
                                    kGenericExecute | kGenericAll | kMaximumAllowed);
  if (access & (kGenericRead | kGenericExecute)) rights |= reg::kRead;
  if (access & kGenericWrite) rights |= reg::kWrite;
  if (access & (kGenericAll | kMaximumAllowed)) rights |= reg::kAllAccess;
  return rights;
}

constexpr std::uint32_t kOwnerRights = reg::kWriteDac | reg::kWriteOwner;

}  // namespace

struct FakeRegistry::Node {
  std::u16string name;
  std::map<std::u16string, std::shared_ptr<Node>, WindowsOrder> subkeys;
  std::vector<FakeKey::Value> values;
  std::weak_ptr<Node> parent;
  bool hiveRoot = false;
  bool denied = false;
  bool deleted = false;

  static std::shared_ptr<Node> AddChild(const std::shared_ptr<Node>& parent,
                                        std::u16string_view name, bool hiveRoot = false) {
    auto node = std::make_shared<Node>();
    node->name = std::u16string(name);
    node->parent = parent;
    node->hiveRoot = hiveRoot;
    parent->subkeys.emplace(node->name, node);
    return node;
  }
  // Trees convert both ways for hive files and snapshots.
  static std::shared_ptr<Node> FromFakeKey(const FakeKey& key,
                                           const std::shared_ptr<Node>& parent) {
    auto node = Node::AddChild(parent, key.name);
    node->values = key.values;
    for (const auto& sub : key.subkeys) FromFakeKey(sub, node);
    return node;
  }
  FakeKey ToFakeKey() const {
    FakeKey key{name, values, {}};
    for (const auto& entry : subkeys) key.subkeys.push_back(entry.second->ToFakeKey());
    return key;
  }
  void MarkDeleted() {
    deleted = true;
    for (auto& entry : subkeys) entry.second->MarkDeleted();
  }
  std::shared_ptr<Node> Child(std::u16string_view childName) const {
    const auto it = subkeys.find(childName);
    return it == subkeys.end() ? nullptr : it->second;
  }
  FakeKey::Value* FindValue(std::u16string_view valueName) {
    const auto it = std::find_if(values.begin(), values.end(), [&](const FakeKey::Value& v) {
      return EqualsNoCase(v.name, valueName);
    });
    return it == values.end() ? nullptr : &*it;
  }
};

FakeRegistry::FakeRegistry()
    : machine_(std::make_shared<Node>()),
      users_(std::make_shared<Node>()),
      currentUser_(std::make_shared<Node>()) {
  machine_->name = u"HKEY_LOCAL_MACHINE";
  users_->name = u"HKEY_USERS";
  currentUser_->name = u"HKEY_CURRENT_USER";
  currentUser_->hiveRoot = true;
  Node::AddChild(currentUser_, u"Software");
  Node::AddChild(users_, u".DEFAULT", true);
  Node::AddChild(machine_, u"HARDWARE", true);
  software_ = Node::AddChild(machine_, u"SOFTWARE", true);
  classes_ = Node::AddChild(software_, u"Classes");
  Node::AddChild(software_, u"Microsoft");
  wow_ = Node::AddChild(software_, u"WOW6432Node");
  Node::AddChild(wow_, u"Classes");
  auto profiles = Node::AddChild(
      Node::AddChild(Node::AddChild(machine_, u"SYSTEM", true), u"CurrentControlSet"),
      u"Hardware Profiles");
  currentConfig_ = Node::AddChild(profiles, u"Current");
}

FakeRegistry::FakeRegistry(FileSystem& hiveFiles) : FakeRegistry() { hiveFiles_ = &hiveFiles; }

FakeRegistry::~FakeRegistry() = default;

bool FakeRegistry::ShouldFail(Call call, RegStatus& status) {
  const auto it = failures_.find(call);
  if (it == failures_.end() || it->second.count <= 0) return false;
  --it->second.count;
  status = it->second.status;
  return true;
}

std::shared_ptr<FakeRegistry::Node> FakeRegistry::RootNode(KeyHandle root) const {
  switch (root) {
    case reg::kLocalMachine:
      return machine_;
    case reg::kUsers:
      return users_;
    case reg::kCurrentUser:
      return currentUser_;
    case reg::kClassesRoot:
      return classes_;
    case reg::kCurrentConfig:
      return currentConfig_;
    default:
      return nullptr;
  }
}

RegStatus FakeRegistry::Resolve(KeyHandle key, std::uint32_t needed,
                                std::shared_ptr<Node>& out) const {
  if (reg::IsPredefined(key)) {
    out = RootNode(key);
    return out ? reg::kSuccess : reg::kInvalidHandle;
  }
  const auto it = handles_.find(key);
  if (it == handles_.end()) return reg::kInvalidHandle;
  if (it->second.node->deleted) return reg::kKeyDeleted;
  if ((it->second.access & needed) != needed) return reg::kAccessDenied;
  out = it->second.node;
  return reg::kSuccess;
}

// In the 32-bit view HKLM\SOFTWARE stands for its WOW6432Node, unless the
// path names WOW6432Node itself.
std::shared_ptr<FakeRegistry::Node> FakeRegistry::Redirect(const std::shared_ptr<Node>& node,
                                                           std::uint32_t view,
                                                           std::u16string_view next) const {
  if ((view & reg::kViewMask) != reg::kWow64_32 || node != software_) return node;
  if (EqualsNoCase(next, wow_->name)) return node;
  return wow_;
}

// Components are separated by backslashes; empty ones (a doubled or a
// trailing backslash) are skipped as Wine does, a leading one is refused.
RegStatus FakeRegistry::Walk(std::shared_ptr<Node> from, std::u16string_view subkey,
                             std::uint32_t access, bool create, std::shared_ptr<Node>& out) {
  if (!subkey.empty() && subkey.front() == u'\\') return reg::kBadPathname;
  auto node = std::move(from);
  for (const auto part : Split(subkey, u"\\")) {
    if (part.empty()) continue;
    node = Redirect(node, access, part);
    auto child = node->Child(part);
    if (!child) {
      if (!create) return reg::kFileNotFound;
      // Only hive loads add keys directly under HKLM and HKU.
      if (node->denied || node == machine_ || node == users_) return reg::kAccessDenied;
      child = Node::AddChild(node, part);
    }
    node = std::move(child);
  }
  node = Redirect(node, access, {});
  if (node->denied && (SpecificRights(access) & ~kOwnerRights) != 0) return reg::kAccessDenied;
  out = std::move(node);
  return reg::kSuccess;
}

KeyHandle FakeRegistry::NewHandle(std::shared_ptr<Node> node, std::uint32_t access) {
  const KeyHandle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = Handle{std::move(node), SpecificRights(access)};
  return handle;
}

RegStatus FakeRegistry::OpenKey(KeyHandle parent, std::u16string_view subkey, std::uint32_t access,
                                KeyHandle& out) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kOpenKey, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(parent, 0, node)) != reg::kSuccess) return status;
  if ((status = Walk(node, subkey, access, false, node)) != reg::kSuccess) return status;
  out = NewHandle(std::move(node), access);
  return reg::kSuccess;
}

// Link and backup-restore options make a plain key here.
RegStatus FakeRegistry::CreateKey(KeyHandle parent, std::u16string_view subkey,
                                  std::uint32_t /*options*/, std::uint32_t access, KeyHandle& out) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kCreateKey, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(parent, 0, node)) != reg::kSuccess) return status;
  if ((status = Walk(node, subkey, access, true, node)) != reg::kSuccess) return status;
  out = NewHandle(std::move(node), access);
  return reg::kSuccess;
}

void FakeRegistry::CloseKey(KeyHandle key) {
  std::lock_guard lock(mutex_);
  if (!reg::IsPredefined(key)) handles_.erase(key);
}

RegStatus FakeRegistry::QueryValue(KeyHandle key, std::u16string_view name, RegValue& out) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kQueryValue, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, reg::kQueryValue, node)) != reg::kSuccess) return status;
  const auto* value = node->FindValue(name);
  if (!value) return reg::kFileNotFound;
  out = value->value;
  return reg::kSuccess;
}

// Writing over a value keeps its first spelling and its place.
RegStatus FakeRegistry::SetValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                                 std::span<const std::uint8_t> data) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kSetValue, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, reg::kSetValue, node)) != reg::kSuccess) return status;
  RegValue value{type, {data.begin(), data.end()}};
  if (auto* existing = node->FindValue(name)) {
    existing->value = std::move(value);
  } else {
    node->values.push_back({std::u16string(name), std::move(value)});
  }
  return reg::kSuccess;
}

RegStatus FakeRegistry::RemoveValue(KeyHandle key, std::u16string_view name) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kRemoveValue, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, reg::kSetValue, node)) != reg::kSuccess) return status;
  const auto* value = node->FindValue(name);
  if (!value) return reg::kFileNotFound;
  node->values.erase(node->values.begin() + (value - node->values.data()));
  return reg::kSuccess;
}

// The predefined roots, hive roots and the 32-bit view's fork cannot go.
bool FakeRegistry::IsProtected(const Node& node) const {
  return node.hiveRoot || node.parent.expired() || &node == wow_.get();
}

RegStatus FakeRegistry::RemoveKey(KeyHandle parent, std::u16string_view subkey,
                                  std::uint32_t viewAccess) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kRemoveKey, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(parent, 0, node)) != reg::kSuccess) return status;
  if ((status = Walk(node, subkey, reg::kDelete | viewAccess, false, node)) != reg::kSuccess) {
    return status;
  }
  // Windows' RegDeleteKeyEx refuses a key with subkeys with access denied.
  if (IsProtected(*node) || !node->subkeys.empty()) return reg::kAccessDenied;
  node->parent.lock()->subkeys.erase(node->name);
  node->deleted = true;
  return reg::kSuccess;
}

RegStatus FakeRegistry::EnumKey(KeyHandle key, std::uint32_t index, std::u16string& name) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kEnumKey, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, reg::kEnumerateSubKeys, node)) != reg::kSuccess) return status;
  if (index >= node->subkeys.size()) return reg::kNoMoreItems;
  name = std::next(node->subkeys.begin(), index)->second->name;
  return reg::kSuccess;
}

RegStatus FakeRegistry::EnumValue(KeyHandle key, std::uint32_t index, std::u16string& name) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kEnumValue, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, reg::kQueryValue, node)) != reg::kSuccess) return status;
  if (index >= node->values.size()) return reg::kNoMoreItems;
  name = node->values[index].name;
  return reg::kSuccess;
}

RegStatus FakeRegistry::QueryInfo(KeyHandle key, RegKeyInfo& out) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kQueryInfo, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, reg::kQueryValue, node)) != reg::kSuccess) return status;
  out.subkeyCount = static_cast<std::uint32_t>(node->subkeys.size());
  out.valueCount = static_cast<std::uint32_t>(node->values.size());
  return reg::kSuccess;
}

// Hives load only as a direct child of HKLM or HKU.
RegStatus FakeRegistry::LoadHive(KeyHandle root, std::u16string_view subkey,
                                 std::u16string_view file) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kLoadHive, status)) return status;
  if (root != reg::kLocalMachine && root != reg::kUsers) return reg::kInvalidParameter;
  if (subkey.empty() || subkey.find(u'\\') != std::u16string_view::npos) {
    return reg::kInvalidParameter;
  }
  const auto stored = FindFile(file);
  if (!stored) return reg::kFileNotFound;
  const auto rootNode = RootNode(root);
  if (rootNode->Child(subkey)) return reg::kAlreadyExists;
  for (const auto& mounted : mounted_) {
    if (EqualsNoCase(mounted.file, file)) return reg::kSharingViolation;
  }
  if (!stored->tree) return reg::kBadFormat;
  FakeKey tree = *stored->tree;
  tree.name = std::u16string(subkey);
  auto node = Node::FromFakeKey(tree, rootNode);
  node->hiveRoot = true;
  mounted_.push_back({std::move(node), std::u16string(file)});
  return reg::kSuccess;
}

bool FakeRegistry::IsHandleUnder(const Node& top) const {
  return std::any_of(handles_.begin(), handles_.end(), [&](const auto& entry) {
    for (auto node = entry.second.node; node; node = node->parent.lock()) {
      if (node.get() == &top) return true;
    }
    return false;
  });
}

// As on Windows, the hive's contents reach its file on unload.
RegStatus FakeRegistry::UnloadHive(KeyHandle root, std::u16string_view subkey) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kUnloadHive, status)) return status;
  if (root != reg::kLocalMachine && root != reg::kUsers) return reg::kInvalidParameter;
  const auto node = RootNode(root)->Child(subkey);
  if (!node) return reg::kFileNotFound;
  const auto mounted = std::find_if(mounted_.begin(), mounted_.end(),
                                    [&](const Mounted& m) { return m.node == node; });
  if (mounted == mounted_.end()) {
    return node->hiveRoot ? reg::kAccessDenied : reg::kInvalidParameter;
  }
  if (IsHandleUnder(*node)) return reg::kAccessDenied;
  StoreFile(mounted->file, node->ToFakeKey());
  node->parent.lock()->subkeys.erase(node->name);
  node->MarkDeleted();
  mounted_.erase(mounted);
  return reg::kSuccess;
}

RegStatus FakeRegistry::SaveHive(KeyHandle key, std::u16string_view file) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kSaveHive, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, 0, node)) != reg::kSuccess) return status;
  if (FindFile(file)) return reg::kAlreadyExists;
  constexpr RegStatus kWriteFault = 29;
  return StoreFile(file, node->ToFakeKey()) ? reg::kSuccess : kWriteFault;
}

RegStatus FakeRegistry::ResetSecurity(KeyHandle key) {
  std::lock_guard lock(mutex_);
  RegStatus status = reg::kSuccess;
  if (ShouldFail(Call::kResetSecurity, status)) return status;
  std::shared_ptr<Node> node;
  if ((status = Resolve(key, kOwnerRights, node)) != reg::kSuccess) return status;
  node->denied = false;
  return reg::kSuccess;
}

std::optional<FakeRegistry::HiveFile> FakeRegistry::FindFile(std::u16string_view file) const {
  if (!hiveFiles_) {
    const auto it = files_.find(file);
    if (it == files_.end()) return std::nullopt;
    return it->second;
  }
  std::vector<std::uint8_t> bytes;
  if (!hiveFiles_->ReadAll(file, bytes)) return std::nullopt;
  return HiveFile{DecodeFakeHive(bytes)};
}

bool FakeRegistry::StoreFile(std::u16string_view file, std::optional<FakeKey> tree) {
  if (!hiveFiles_) {
    files_[std::u16string(file)].tree = std::move(tree);
    return true;
  }
  const std::vector<std::uint8_t> unreadable{'?'};
  return hiveFiles_->WriteAll(file, tree ? EncodeFakeHive(*tree) : unreadable);
}

bool FakeRegistry::EraseFile(std::u16string_view file) {
  if (hiveFiles_) return hiveFiles_->RemoveFile(file);
  const auto it = files_.find(file);
  if (it == files_.end()) return false;
  files_.erase(it);
  return true;
}

void FakeRegistry::WriteHiveFile(std::u16string_view file, FakeKey root) {
  std::lock_guard lock(mutex_);
  StoreFile(file, std::move(root));
}

void FakeRegistry::WriteUnreadableHiveFile(std::u16string_view file) {
  std::lock_guard lock(mutex_);
  StoreFile(file, std::nullopt);
}

std::optional<FakeKey> FakeRegistry::ReadHiveFile(std::u16string_view file) const {
  std::lock_guard lock(mutex_);
  const auto stored = FindFile(file);
  if (!stored) return std::nullopt;
  return stored->tree;
}

bool FakeRegistry::HiveFileExists(std::u16string_view file) const {
  std::lock_guard lock(mutex_);
  return FindFile(file).has_value();
}

// A loaded hive's file is in use and cannot be removed.
bool FakeRegistry::RemoveHiveFile(std::u16string_view file) {
  std::lock_guard lock(mutex_);
  for (const auto& mounted : mounted_) {
    if (EqualsNoCase(mounted.file, file)) return false;
  }
  return EraseFile(file);
}

std::optional<FakeKey> FakeRegistry::Snapshot(KeyHandle root, std::u16string_view subkey) {
  std::lock_guard lock(mutex_);
  const auto rootNode = RootNode(root);
  std::shared_ptr<Node> node;
  if (!rootNode || Walk(rootNode, subkey, 0, false, node) != reg::kSuccess) return std::nullopt;
  return node->ToFakeKey();
}

bool FakeRegistry::DenyAccess(KeyHandle root, std::u16string_view subkey) {
  std::lock_guard lock(mutex_);
  const auto rootNode = RootNode(root);
  std::shared_ptr<Node> node;
  if (!rootNode || Walk(rootNode, subkey, 0, false, node) != reg::kSuccess) return false;
  node->denied = true;
  return true;
}

void FakeRegistry::FailNext(Call call, RegStatus status, int count) {
  std::lock_guard lock(mutex_);
  failures_[call] = Failure{status, count};
}

std::size_t FakeRegistry::OpenHandleCount() const {
  std::lock_guard lock(mutex_);
  return handles_.size();
}

}  // namespace kva
