#include "platform/RegistryAccess.h"

#include <array>
#include <atomic>
#include <system_error>
#include <thread>

#include "platform/Text.h"

namespace kva {
namespace {

struct RootName {
  std::u16string_view name;
  KeyHandle root;
};

constexpr std::array<RootName, 10> kRoots = {{
    {u"HKLM", reg::kLocalMachine},
    {u"HKEY_LOCAL_MACHINE", reg::kLocalMachine},
    {u"HKCU", reg::kCurrentUser},
    {u"HKEY_CURRENT_USER", reg::kCurrentUser},
    {u"HKCR", reg::kClassesRoot},
    {u"HKEY_CLASSES_ROOT", reg::kClassesRoot},
    {u"HKU", reg::kUsers},
    {u"HKEY_USERS", reg::kUsers},
    {u"HKCC", reg::kCurrentConfig},
    {u"HKEY_CURRENT_CONFIG", reg::kCurrentConfig},
}};

constexpr std::uint32_t kReadWrite = reg::kRead | reg::kWrite;
constexpr std::u16string_view kWow6432Node = u"WOW6432Node";

// A parsed path: root, view bits and the subkey without trailing backslashes.
struct Location {
  KeyHandle root = reg::kNoKey;
  std::uint32_t view = 0;
  std::u16string subkey;

  [[nodiscard]] Location Child(std::u16string_view name) const {
    return {root, view,
            subkey.empty() ? std::u16string(name) : subkey + u'\\' + std::u16string(name)};
  }
  // Only hive loads put keys directly under HKLM and HKU, so such a key is
  // a hive root; Windows refuses to delete one (Wine does not, hence the
  // layer's own check).
  [[nodiscard]] bool IsHiveRoot() const {
    return (root == reg::kLocalMachine || root == reg::kUsers) && !subkey.empty() &&
           subkey.find(u'\\') == std::u16string::npos;
  }
};

std::optional<Location> Locate(std::u16string_view path) {
  Location location{reg::kNoKey, 0, std::u16string(path)};
  location.root = ParseRoot(location.subkey, location.view);
  if (location.root == reg::kNoKey) return std::nullopt;
  location.subkey = std::u16string(TrimRight(location.subkey, u"\\"));
  return location;
}

// The process is 64-bit: no suffix and "64" address the same keys.
bool IsSameOrBelow(const Location& inner, const Location& outer) {
  const auto view = [](std::uint32_t bits) { return bits == reg::kWow64_64 ? 0u : bits; };
  if (inner.root != outer.root || view(inner.view) != view(outer.view)) return false;
  return outer.subkey.empty() || EqualsNoCase(inner.subkey, outer.subkey) ||
         StartsWithNoCase(inner.subkey, outer.subkey + u'\\');
}

RegStatus OpenAt(Registry& registry, const Location& at, std::uint32_t access, RegKey& key) {
  KeyHandle handle = reg::kNoKey;
  const RegStatus status = registry.OpenKey(at.root, at.subkey, access | at.view, handle);
  if (status == reg::kSuccess) key.Reset(handle);
  return status;
}

RegStatus CreateAt(Registry& registry, const Location& at, RegKey& key) {
  KeyHandle handle = reg::kNoKey;
  const RegStatus status = registry.CreateKey(at.root, at.subkey, 0, kReadWrite | at.view, handle);
  if (status == reg::kSuccess) key.Reset(handle);
  return status;
}

bool MeansMissing(RegStatus status) {
  return status == reg::kFileNotFound || status == reg::kKeyDeleted ||
         status == reg::kInvalidHandle || status == reg::kBadPathname;
}

// A key the program may not read still exists.
bool ExistsAt(Registry& registry, const Location& at) {
  RegKey key(registry);
  return !MeansMissing(OpenAt(registry, at, reg::kRead, key));
}

std::u16string BytesToText(const std::vector<std::uint8_t>& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return text;
}

// Items end at NULs and the list at an empty item; a missing terminator is
// tolerated.
std::u16string MultiStringText(std::u16string_view units) {
  auto items = Split(units, std::u16string_view(u"\0", 1));
  while (!items.empty() && items.back().empty()) items.pop_back();
  std::u16string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += u'\n';
    text += items[i];
  }
  return text;
}

RegStatus DeleteKeyAt(Registry& registry, const Location& at) {
  if (at.subkey.empty() || at.IsHiveRoot()) return reg::kAccessDenied;
  return registry.RemoveKey(at.root, at.subkey, at.view);
}

// Subkeys go last index first, so the indices still to visit stay valid.
template <typename DeleteChild>
RegStatus DeleteChildrenThenKey(Registry& registry, const Location& at, std::uint32_t access,
                                DeleteChild deleteChild) {
  RegKey key(registry);
  RegStatus status = OpenAt(registry, at, access, key);
  if (status != reg::kSuccess) return status;
  RegKeyInfo info;
  if ((status = registry.QueryInfo(key.Handle(), info)) != reg::kSuccess) return status;
  for (std::uint32_t i = info.subkeyCount; i-- > 0;) {
    std::u16string name;
    if (registry.EnumKey(key.Handle(), i, name) != reg::kSuccess) continue;
    const RegStatus childStatus = deleteChild(at.Child(name));
    if (childStatus != reg::kSuccess) status = childStatus;
  }
  key.Reset();
  if (status != reg::kSuccess || at.IsHiveRoot()) return status;
  return DeleteKeyAt(registry, at);
}

RegStatus DeleteTreeAt(Registry& registry, const Location& at) {
  return DeleteChildrenThenKey(registry, at, reg::kRead, [&](const Location& child) {
    return DeleteTreeAt(registry, child);
  });
}

RegStatus ResetSecurityAt(Registry& registry, const Location& at) {
  RegKey key(registry);
  const RegStatus status = OpenAt(registry, at, reg::kWriteDac | reg::kWriteOwner, key);
  return status == reg::kSuccess ? registry.ResetSecurity(key.Handle()) : status;
}

// Permissions are repaired only where access was denied: a key that is
// merely missing keeps its security.
RegStatus ForceDeleteTreeAt(Registry& registry, const Location& at) {
  const RegStatus status = DeleteTreeAt(registry, at);
  if (status != reg::kAccessDenied) return status;
  ResetSecurityAt(registry, at);
  return DeleteChildrenThenKey(registry, at, reg::kAllAccess, [&](const Location& child) {
    return ForceDeleteTreeAt(registry, child);
  });
}

RegStatus DeleteValueWith(Registry& registry, const Location& at, std::u16string_view name,
                          std::uint32_t access) {
  RegKey key(registry);
  const RegStatus status = OpenAt(registry, at, access, key);
  return status == reg::kSuccess ? registry.RemoveValue(key.Handle(), name) : status;
}

// Opens or creates one key for writing; on a denial repairs the key (or,
// when it is missing, its parent) and tries once more.
RegStatus CreateRepairing(Registry& registry, const Location& at, const Location& parent,
                          RegKey& key) {
  RegStatus status = CreateAt(registry, at, key);
  if (status != reg::kAccessDenied) return status;
  if (ResetSecurityAt(registry, ExistsAt(registry, at) ? at : parent) != reg::kSuccess) {
    return status;
  }
  return CreateAt(registry, at, key);
}

std::uint32_t CopyKey(Registry& registry, const Location& from, const Location& to,
                      MessagePump& pump) {
  RegKey source(registry), destination(registry);
  if (OpenAt(registry, from, reg::kRead, source) != reg::kSuccess ||
      CreateAt(registry, to, destination) != reg::kSuccess) {
    return 0;
  }
  std::uint32_t written = 0;
  std::u16string name;
  for (std::uint32_t i = 0; registry.EnumValue(source.Handle(), i, name) == reg::kSuccess; ++i) {
    RegValue value;
    if (ReadRaw(source, name, value) && WriteRaw(destination, name, value)) ++written;
    if ((i + 1) % 5 == 0) pump.Process();
  }
  for (std::uint32_t i = 0; registry.EnumKey(source.Handle(), i, name) == reg::kSuccess; ++i) {
    written += CopyKey(registry, from.Child(name), to.Child(name), pump);
    if ((i + 1) % 5 == 0) pump.Process();
  }
  return written;
}

std::vector<std::uint8_t> TextBytes(std::u16string_view units) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(units.size() * 2);
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

bool WriteRawAt(Registry& registry, std::u16string_view path, std::u16string_view name,
                const RegValue& value) {
  RegKey key(registry);
  return Open(key, path, kOpenOrCreate) && WriteRaw(key, name, value);
}

}  // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Reset();
    registry_ = other.registry_;
    handle_ = other.Detach();
  }
  return *this;
}

void RegKey::Reset(KeyHandle handle) {
  if (handle_ != reg::kNoKey && handle_ != handle && !reg::IsPredefined(handle_)) {
    registry_->CloseKey(handle_);
  }
  handle_ = handle;
}

KeyHandle ParseRoot(std::u16string& path, std::uint32_t& access) {
  const auto slash = path.find(u'\\');
  std::u16string_view rootText = std::u16string_view(path).substr(0, slash);
  std::uint32_t view = 0;
  if (EndsWithNoCase(rootText, u"64")) view = reg::kWow64_64;
  if (EndsWithNoCase(rootText, u"32")) view = reg::kWow64_32;
  if (view != 0) rootText.remove_suffix(2);
  for (const auto& entry : kRoots) {
    if (!EqualsNoCase(rootText, entry.name)) continue;
    access |= view;
    path = slash == std::u16string::npos ? std::u16string() : path.substr(slash + 1);
    return entry.root;
  }
  return reg::kNoKey;
}

bool Open(RegKey& key, std::u16string_view path, std::uint32_t access, std::uint32_t options) {
  key.Reset();
  const auto at = Locate(path);
  if (!at) return false;
  const bool create = access == kOpenOrCreate ||
                      (options & (reg::kOptionCreateLink | reg::kOptionBackupRestore)) != 0;
  const std::uint32_t rights = (access == kOpenOrCreate ? kReadWrite : access) | at->view;
  KeyHandle handle = reg::kNoKey;
  const RegStatus status = create
                               ? key.Port().CreateKey(at->root, at->subkey, options, rights, handle)
                               : key.Port().OpenKey(at->root, at->subkey, rights, handle);
  if (status != reg::kSuccess) return false;
  key.Reset(handle);
  return true;
}

bool KeyExists(Registry& registry, KeyHandle root, std::u16string_view subkey) {
  return root != reg::kNoKey && ExistsAt(registry, {root, 0, std::u16string(subkey)});
}

bool PathExists(Registry& registry, std::u16string_view path,
                std::optional<std::u16string_view> valueName) {
  const auto at = Locate(path);
  if (!at) return false;
  RegKey key(registry);
  const RegStatus status = OpenAt(registry, *at, reg::kRead, key);
  if (!valueName) return !MeansMissing(status);
  RegValue value;
  return status == reg::kSuccess && ReadRaw(key, *valueName, value);
}

bool ReadRaw(const RegKey& key, std::u16string_view name, RegValue& out) {
  out = {};
  if (!key.IsOpen()) return false;
  RegValue value;
  if (key.Port().QueryValue(key.Handle(), name, value) != reg::kSuccess) return false;
  out = std::move(value);
  return true;
}

bool ReadString(const RegKey& key, std::u16string_view name, std::u16string& out) {
  out.clear();
  RegValue value;
  if (!ReadRaw(key, name, value)) return false;
  const auto units = BytesToText(value.data);
  switch (value.type) {
    case reg::kSz:
    case reg::kExpandSz:
      out = units.substr(0, units.find(u'\0'));
      return true;
    case reg::kMultiSz:
      out = MultiStringText(units);
      return true;
    default:
      return false;
  }
}

bool ReadDword(const RegKey& key, std::u16string_view name, std::uint32_t& out) {
  out = 0;
  RegValue value;
  if (!ReadRaw(key, name, value) || value.type != reg::kDword || value.data.size() != 4) {
    return false;
  }
  out = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
        (static_cast<std::uint32_t>(value.data[3]) << 24);
  return true;
}

bool ReadQword(const RegKey& key, std::u16string_view name, std::uint64_t& out) {
  out = 0;
  RegValue value;
  if (!ReadRaw(key, name, value) || value.type != reg::kQword || value.data.size() != 8) {
    return false;
  }
  for (std::size_t i = 8; i-- > 0;) out = out << 8 | value.data[i];
  return true;
}

RegValue StringValue(std::uint32_t type, std::u16string_view text) {
  std::u16string units;
  if (type == reg::kMultiSz) {
    units = std::u16string(TrimRight(text, u"\n"));
    for (auto& unit : units) {
      if (unit == u'\n') unit = u'\0';
    }
    units += u'\0';
  } else {
    units = std::u16string(text);
  }
  units += u'\0';
  return {type, TextBytes(units)};
}

RegValue DwordValue(std::uint32_t value) {
  return {reg::kDword,
          {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
           static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
}

RegValue QwordValue(std::uint64_t value) {
  RegValue qword{reg::kQword, {}};
  for (int i = 0; i < 8; ++i) qword.data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return qword;
}

bool WriteRaw(const RegKey& key, std::u16string_view name, const RegValue& value) {
  return key.IsOpen() &&
         key.Port().SetValue(key.Handle(), name, value.type, value.data) == reg::kSuccess;
}

bool WriteString(const RegKey& key, std::u16string_view name, std::uint32_t type,
                 std::u16string_view text) {
  return WriteRaw(key, name, StringValue(type, text));
}

bool WriteDword(const RegKey& key, std::u16string_view name, std::uint32_t value) {
  return WriteRaw(key, name, DwordValue(value));
}

bool WriteStringAt(Registry& registry, std::u16string_view path, std::u16string_view name,
                   std::uint32_t type, std::u16string_view text) {
  return WriteRawAt(registry, path, name, StringValue(type, text));
}

bool WriteDwordAt(Registry& registry, std::u16string_view path, std::u16string_view name,
                  std::uint32_t value) {
  return WriteRawAt(registry, path, name, DwordValue(value));
}

bool DeleteValue(const RegKey& key, std::u16string_view name) {
  return key.IsOpen() && key.Port().RemoveValue(key.Handle(), name) == reg::kSuccess;
}

bool DeleteValueAt(RegKey& key, std::u16string_view path, std::optional<std::u16string_view> name) {
  key.Reset();
  const auto at = Locate(path);
  if (!at) return false;
  if (!name) return DeleteKeyAt(key.Port(), *at) == reg::kSuccess;
  return DeleteValueWith(key.Port(), *at, *name, reg::kSetValue) == reg::kSuccess;
}

bool EnumKey(const RegKey& key, std::uint32_t index, std::u16string& name) {
  name.clear();
  return key.IsOpen() && key.Port().EnumKey(key.Handle(), index, name) == reg::kSuccess;
}

bool EnumValue(const RegKey& key, std::uint32_t index, std::u16string& name) {
  name.clear();
  return key.IsOpen() && key.Port().EnumValue(key.Handle(), index, name) == reg::kSuccess;
}

std::uint32_t SubkeyCount(const RegKey& key) {
  RegKeyInfo info;
  if (!key.IsOpen() || key.Port().QueryInfo(key.Handle(), info) != reg::kSuccess) return 0;
  return info.subkeyCount;
}

std::uint32_t ValueCount(const RegKey& key) {
  RegKeyInfo info;
  if (!key.IsOpen() || key.Port().QueryInfo(key.Handle(), info) != reg::kSuccess) return 0;
  return info.valueCount;
}

bool DeleteTree(RegKey& key, std::u16string_view path) {
  key.Reset();
  const auto at = Locate(path);
  return at && !at->subkey.empty() && DeleteTreeAt(key.Port(), *at) == reg::kSuccess;
}

std::uint32_t CopyTree(Registry& registry, std::u16string_view source,
                       std::u16string_view destination, MessagePump& pump) {
  const auto from = Locate(source);
  const auto to = Locate(destination);
  // A destination inside the source would be copied into itself forever.
  if (!from || !to || IsSameOrBelow(*to, *from)) return 0;
  return CopyKey(registry, *from, *to, pump);
}

bool SaveKey(const RegKey& key, std::u16string_view file, MessagePump& pump) {
  if (!key.IsOpen()) return false;
  Registry& registry = key.Port();
  const KeyHandle handle = key.Handle();
  const std::u16string target(file);
  std::atomic<bool> done = false;
  RegStatus status = reg::kSuccess;
  std::thread worker;
  try {
    worker = std::thread([&] {
      status = registry.SaveHive(handle, target);
      done.store(true, std::memory_order_release);
    });
  } catch (const std::system_error&) {
    return false;
  }
  do {
    pump.Process();
    pump.Idle(20);
  } while (!done.load(std::memory_order_acquire));
  worker.join();
  return status == reg::kSuccess;
}

bool ResetKeySecurity(Registry& registry, std::u16string_view path) {
  const auto at = Locate(path);
  return at && ResetSecurityAt(registry, *at) == reg::kSuccess;
}

bool ForceDelete(RegKey& key, std::u16string_view path,
                 std::optional<std::u16string_view> valueName) {
  key.Reset();
  const auto at = Locate(path);
  if (!at || at->subkey.empty()) return false;
  Registry& registry = key.Port();
  if (!valueName) return ForceDeleteTreeAt(registry, *at) == reg::kSuccess;
  const RegStatus status = DeleteValueWith(registry, *at, *valueName, reg::kSetValue);
  if (status != reg::kAccessDenied) return status == reg::kSuccess;
  return ResetSecurityAt(registry, *at) == reg::kSuccess &&
         DeleteValueWith(registry, *at, *valueName, reg::kAllAccess) == reg::kSuccess;
}

bool ForceSetValue(Registry& registry, std::u16string_view path, std::u16string_view name,
                   const RegValue& value) {
  if (WriteRawAt(registry, path, name, value)) return true;
  const auto at = Locate(path);
  if (!at || at->subkey.empty()) return false;
  std::vector<std::u16string_view> parts;
  for (const auto part : Split(at->subkey, u"\\")) {
    if (!part.empty()) parts.push_back(part);
  }
  // Walk down from the root: existing keys on the way are left alone,
  // missing ones are created, and only a refusal triggers a repair.
  Location parent{at->root, at->view, {}};
  RegKey key(registry);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const Location next = parent.Child(parts[i]);
    const bool last = i + 1 == parts.size();
    if ((last || !ExistsAt(registry, next)) &&
        CreateRepairing(registry, next, parent, key) != reg::kSuccess) {
      return false;
    }
    parent = next;
  }
  return WriteRaw(key, name, value);
}

std::u16string SecurityObjectName(std::u16string_view path) {
  if (path.starts_with(u"\\\\")) {
    const auto slash = path.find(u'\\', 2);
    if (slash == std::u16string_view::npos) return {};
    path.remove_prefix(slash + 1);
  }
  const auto slash = path.find(u'\\');
  const auto rootText = path.substr(0, slash);
  const auto rest = slash == std::u16string_view::npos ? std::u16string_view() : path.substr(slash);
  struct Mapping {
    std::u16string_view root, object;
  };
  static constexpr Mapping kMappings[] = {
      {u"HKLM", u"MACHINE"},        {u"HKEY_LOCAL_MACHINE", u"MACHINE"},
      {u"HKLM64", u"MACHINE"},      {u"HKEY_LOCAL_MACHINE64", u"MACHINE"},
      {u"HKCR", u"CLASSES_ROOT"},   {u"HKEY_CLASSES_ROOT", u"CLASSES_ROOT"},
      {u"HKCR64", u"CLASSES_ROOT"}, {u"HKEY_CLASSES_ROOT64", u"CLASSES_ROOT"},
      {u"HKCU", u"CURRENT_USER"},   {u"HKEY_CURRENT_USER", u"CURRENT_USER"},
      {u"HKU", u"USERS"},           {u"HKEY_USERS", u"USERS"},
  };
  for (const auto& mapping : kMappings) {
    if (EqualsNoCase(rootText, mapping.root))
      return std::u16string(mapping.object) + std::u16string(rest);
  }
  if (!EqualsNoCase(rootText, u"HKLM32") && !EqualsNoCase(rootText, u"HKEY_LOCAL_MACHINE32")) {
    return {};
  }
  constexpr std::u16string_view kSoftware = u"\\SOFTWARE";
  const bool underSoftware =
      EqualsNoCase(rest, kSoftware) || StartsWithNoCase(rest, std::u16string(kSoftware) + u'\\');
  if (!underSoftware) return u"MACHINE" + std::u16string(rest);
  // The 32-bit view's keys live under WOW6432Node, named once.
  auto tail = rest.substr(kSoftware.size());
  const std::u16string wowPrefix = u"\\" + std::u16string(kWow6432Node);
  if (EqualsNoCase(tail, wowPrefix) || StartsWithNoCase(tail, wowPrefix + u'\\')) {
    tail.remove_prefix(wowPrefix.size());
  }
  return u"MACHINE\\SOFTWARE\\WOW6432Node" + std::u16string(tail);
}

}  // namespace kva
