#pragma once
// The registry access layer: text paths such as "HKLM32\SOFTWARE\Microsoft",
// a key object owning one open key, and the recursive and forced
// operations. Everything here goes through the Registry port. Operations
// report failure as false, 0 or an empty result; reads clear their output
// first, so a failed read leaves an empty text or 0.
//
// Operations taking a RegKey& with a path use the key for its port and
// leave it closed, so no handle outlives them (an open handle blocks a
// hive's unload). A key directly under HKLM or HKU is a hive root (only a
// hive load puts one there); the layer never deletes one, so Windows and
// Wine (which would) behave alike.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/MessagePump.h"
#include "platform/Registry.h"

namespace kva {

// Owns one open key, or none. Move-only; closing happens on reassignment
// and destruction, never for the predefined roots.
class RegKey {
 public:
  explicit RegKey(Registry& registry) : registry_(&registry) {}
  RegKey(Registry& registry, KeyHandle handle) : registry_(&registry), handle_(handle) {}
  RegKey(RegKey&& other) noexcept
      : registry_(other.registry_), handle_(std::exchange(other.handle_, reg::kNoKey)) {}
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { Reset(); }

  [[nodiscard]] bool IsOpen() const { return handle_ != reg::kNoKey; }
  [[nodiscard]] KeyHandle Handle() const { return handle_; }
  [[nodiscard]] Registry& Port() const { return *registry_; }
  void Reset(KeyHandle handle = reg::kNoKey);
  [[nodiscard]] KeyHandle Detach() { return std::exchange(handle_, reg::kNoKey); }

 private:
  Registry* registry_;
  KeyHandle handle_ = reg::kNoKey;
};

// Open-or-create, when passed as the access of Open.
inline constexpr std::uint32_t kOpenOrCreate = 0xFFFFFFFF;

// Strips the root from path (leaving the subkey part) and adds the view
// bits of a "64"/"32" suffix to access. Unknown roots give reg::kNoKey and
// change nothing.
KeyHandle ParseRoot(std::u16string& path, std::uint32_t& access);

// A failed open leaves key empty, not holding what it held before.
bool Open(RegKey& key, std::u16string_view path, std::uint32_t access, std::uint32_t options = 0);
// True unless the key is missing: a key the program may not read exists.
bool KeyExists(Registry& registry, KeyHandle root, std::u16string_view subkey);
bool PathExists(Registry& registry, std::u16string_view path,
                std::optional<std::u16string_view> valueName = std::nullopt);

// REG_SZ, REG_EXPAND_SZ (not expanded) and REG_MULTI_SZ (items joined by
// line feeds). An empty name reads the default value.
bool ReadString(const RegKey& key, std::u16string_view name, std::u16string& out);
// Only a 4-byte REG_DWORD; out is 0 on failure.
bool ReadDword(const RegKey& key, std::u16string_view name, std::uint32_t& out);
bool ReadQword(const RegKey& key, std::u16string_view name, std::uint64_t& out);
bool ReadRaw(const RegKey& key, std::u16string_view name, RegValue& out);

// Strings are written with their NUL; REG_MULTI_SZ text has line feeds
// between items (trailing ones dropped) and gets its double NUL.
bool WriteString(const RegKey& key, std::u16string_view name, std::uint32_t type,
                 std::u16string_view text);
bool WriteDword(const RegKey& key, std::u16string_view name, std::uint32_t value);
bool WriteRaw(const RegKey& key, std::u16string_view name, const RegValue& value);
bool WriteStringAt(Registry& registry, std::u16string_view path, std::u16string_view name,
                   std::uint32_t type, std::u16string_view text);
bool WriteDwordAt(Registry& registry, std::u16string_view path, std::u16string_view name,
                  std::uint32_t value);

bool DeleteValue(const RegKey& key, std::u16string_view name);
// Deletes the value at path, or with no name the key at path (no subkeys;
// not a hive root).
bool DeleteValueAt(RegKey& key, std::u16string_view path,
                   std::optional<std::u16string_view> name);

bool EnumKey(const RegKey& key, std::uint32_t index, std::u16string& name);
bool EnumValue(const RegKey& key, std::uint32_t index, std::u16string& name);
std::uint32_t SubkeyCount(const RegKey& key);
std::uint32_t ValueCount(const RegKey& key);

// Deletes path and everything below it; on the root of a loaded hive it
// removes every subkey and keeps the key and its values. A path that is
// only a root fails and deletes nothing.
bool DeleteTree(RegKey& key, std::u16string_view path);
// Copies values and subkeys of source into destination (created when
// missing); returns the number of values written. Nothing happens when the
// destination is the source or lies inside it. Pumps every fifth item.
std::uint32_t CopyTree(Registry& registry, std::u16string_view source,
                       std::u16string_view destination, MessagePump& pump);
// RegSaveKeyExW on a worker thread while the caller pumps messages (at
// least once, then Idle(20) between polls). The file must not exist: Windows refuses to overwrite it.
bool SaveKey(const RegKey& key, std::u16string_view file, MessagePump& pump);

bool ResetKeySecurity(Registry& registry, std::u16string_view path);
// Deletion that, when access is denied, repairs the key's permissions and
// retries (for a tree: each refusing subkey in turn). Other failures, such
// as a missing value, change no permissions.
bool ForceDelete(RegKey& key, std::u16string_view path,
                 std::optional<std::u16string_view> valueName = std::nullopt);
// Write that, when refused, creates the missing keys of path, repairing
// the permissions of the key that refused, and retries.
bool ForceSetValue(Registry& registry, std::u16string_view path, std::u16string_view name,
                   const RegValue& value);

// The object name SetNamedSecurityInfoW expects for SE_REGISTRY_KEY, or
// empty for roots it has no name for.
std::u16string SecurityObjectName(std::u16string_view path);

// Helpers for value bytes.
RegValue StringValue(std::uint32_t type, std::u16string_view text);
RegValue DwordValue(std::uint32_t value);
RegValue QwordValue(std::uint64_t value);

}  // namespace kva
