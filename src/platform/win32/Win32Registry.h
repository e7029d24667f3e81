#pragma once
// The registry port on the Win32 API. Key handles are HKEY values; the
// predefined roots are given as the port's numbers and mapped here. Every
// status is also left as the thread's last error.

#include "platform/Registry.h"

namespace kva::win32 {

class Win32Registry final : public Registry {
 public:
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
};

}  // namespace kva::win32
