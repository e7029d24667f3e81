#pragma once
// The registry port: one method per Win32 registry concept, no Win32 types.
// Key handles are opaque numbers; the predefined roots have the numeric
// values Windows gives them, access masks and value types are Windows'
// numbers too, and every method returns a Win32 error code (0 = success).
// A method that fails leaves its outputs untouched.
//
// The algorithms built on top (path syntax, recursive delete and copy,
// forced variants) live in RegistryAccess.h and only call this port.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

using KeyHandle = std::uint64_t;
using RegStatus = long;

namespace reg {

inline constexpr KeyHandle kNoKey = 0;
inline constexpr KeyHandle kClassesRoot = 0x80000000;
inline constexpr KeyHandle kCurrentUser = 0x80000001;
inline constexpr KeyHandle kLocalMachine = 0x80000002;
inline constexpr KeyHandle kUsers = 0x80000003;
inline constexpr KeyHandle kCurrentConfig = 0x80000005;
inline constexpr bool IsPredefined(KeyHandle key) {
  return key >= 0x80000000 && key <= 0x80000006;
}

// Win32 error codes the layer and the fake speak.
inline constexpr RegStatus kSuccess = 0;
inline constexpr RegStatus kFileNotFound = 2;
inline constexpr RegStatus kAccessDenied = 5;
inline constexpr RegStatus kInvalidHandle = 6;
inline constexpr RegStatus kSharingViolation = 32;  // a hive file already loaded
inline constexpr RegStatus kInvalidParameter = 87;
inline constexpr RegStatus kMoreData = 234;
inline constexpr RegStatus kBadPathname = 161;  // a subkey path starting with a backslash
inline constexpr RegStatus kNoMoreItems = 259;
inline constexpr RegStatus kAlreadyExists = 183;
inline constexpr RegStatus kKeyDeleted = 1018;
inline constexpr RegStatus kBadFormat = 1009;  // ERROR_BADDB

// Access rights.
inline constexpr std::uint32_t kQueryValue = 0x0001;
inline constexpr std::uint32_t kSetValue = 0x0002;
inline constexpr std::uint32_t kCreateSubKey = 0x0004;
inline constexpr std::uint32_t kEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kDelete = 0x00010000;
inline constexpr std::uint32_t kWriteDac = 0x00040000;
inline constexpr std::uint32_t kWriteOwner = 0x00080000;
inline constexpr std::uint32_t kRead = 0x20019;
inline constexpr std::uint32_t kWrite = 0x20006;
inline constexpr std::uint32_t kAllAccess = 0xF003F;
inline constexpr std::uint32_t kWow64_64 = 0x0100;
inline constexpr std::uint32_t kWow64_32 = 0x0200;
inline constexpr std::uint32_t kViewMask = kWow64_64 | kWow64_32;

// Create options.
inline constexpr std::uint32_t kOptionCreateLink = 2;
inline constexpr std::uint32_t kOptionBackupRestore = 4;

// Value types.
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSz = 1;
inline constexpr std::uint32_t kExpandSz = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;
inline constexpr std::uint32_t kDwordBigEndian = 5;
inline constexpr std::uint32_t kLink = 6;
inline constexpr std::uint32_t kMultiSz = 7;
inline constexpr std::uint32_t kQword = 11;

}  // namespace reg

struct RegValue {
  std::uint32_t type = reg::kNone;
  std::vector<std::uint8_t> data;
  bool operator==(const RegValue&) const = default;
};

struct RegKeyInfo {
  std::uint32_t subkeyCount = 0;
  std::uint32_t valueCount = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExW. An empty subkey opens parent again. kFileNotFound for a
  // missing key, kAccessDenied for one the program may not open,
  // kKeyDeleted when parent has been deleted, kBadPathname for a subkey
  // that starts with a backslash.
  virtual RegStatus OpenKey(KeyHandle parent, std::u16string_view subkey, std::uint32_t access,
                            KeyHandle& out) = 0;
  // RegCreateKeyExW: opens the key, creating it and missing parents.
  virtual RegStatus CreateKey(KeyHandle parent, std::u16string_view subkey,
                              std::uint32_t options, std::uint32_t access, KeyHandle& out) = 0;
  // RegCloseKey; the predefined roots are never closed.
  virtual void CloseKey(KeyHandle key) = 0;

  // RegQueryValueExW; an empty name is the key's default value.
  virtual RegStatus QueryValue(KeyHandle key, std::u16string_view name, RegValue& out) = 0;
  virtual RegStatus SetValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                             std::span<const std::uint8_t> data) = 0;
  virtual RegStatus RemoveValue(KeyHandle key, std::u16string_view name) = 0;

  // RegDeleteKeyExW: the subkey must have no subkeys itself (kAccessDenied
  // otherwise, as for a hive root on Windows; Wine deletes hive roots).
  // viewAccess is kWow64_64, kWow64_32 or 0 (the process's view).
  virtual RegStatus RemoveKey(KeyHandle parent, std::u16string_view subkey,
                              std::uint32_t viewAccess) = 0;

  // RegEnumKeyExW / RegEnumValueW: kNoMoreItems past the end. Subkeys come
  // sorted case-insensitively; values in creation order on Windows, sorted
  // by name on Wine.
  virtual RegStatus EnumKey(KeyHandle key, std::uint32_t index, std::u16string& name) = 0;
  virtual RegStatus EnumValue(KeyHandle key, std::uint32_t index, std::u16string& name) = 0;
  // RegQueryInfoKeyW: the counts.
  virtual RegStatus QueryInfo(KeyHandle key, RegKeyInfo& out) = 0;

  // RegLoadKeyW / RegUnLoadKeyW under a predefined root (HKLM or HKU).
  // Load: kFileNotFound without the file, kAlreadyExists when the name is
  // taken. Unload: kFileNotFound when nothing is loaded there,
  // kAccessDenied while a handle inside the hive is open. Windows writes a
  // hive's changes to its file on unload, Wine does not.
  virtual RegStatus LoadHive(KeyHandle root, std::u16string_view subkey,
                             std::u16string_view file) = 0;
  virtual RegStatus UnloadHive(KeyHandle root, std::u16string_view subkey) = 0;
  // RegSaveKeyExW with the latest format. Blocks; the file must not exist
  // (Windows fails with kAlreadyExists, Wine overwrites it).
  virtual RegStatus SaveHive(KeyHandle key, std::u16string_view file) = 0;

  // Owner BUILTIN\Administrators and the program's repair DACL (full
  // control for Administrators, SYSTEM, Everyone and TrustedInstaller; read
  // for Users and RESTRICTED; inherited by subkeys). The key must be open
  // with kWriteDac | kWriteOwner.
  virtual RegStatus ResetSecurity(KeyHandle key) = 0;
};

}  // namespace kva
