#include "platform/win32/Win32Registry.h"

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

// On 64-bit Windows the predefined roots are sign-extended 32-bit values.
HKEY ToHkey(KeyHandle key) {
  if (reg::IsPredefined(key)) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(key)));
  }
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key));
}

KeyHandle FromHkey(HKEY key) { return reinterpret_cast<ULONG_PTR>(key); }

// The one exit for statuses: callers that report errors read the last error.
RegStatus Report(LSTATUS status) {
  ::SetLastError(static_cast<DWORD>(status));
  return status;
}

// Owner Administrators; full control for Administrators, SYSTEM, Everyone
// and TrustedInstaller, read for Users and RESTRICTED; inherited by subkeys.
constexpr const wchar_t* kRepairSecurity =
    L"O:BA"
    L"D:(A;CI;GA;;;BA)(A;CI;GA;;;SY)(A;CI;GA;;;WD)"
    L"(A;CI;GA;;;S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464)"
    L"(A;CI;GR;;;BU)(A;CI;GR;;;RC)";

}  // namespace

RegStatus Win32Registry::OpenKey(KeyHandle parent, std::u16string_view subkey, std::uint32_t access,
                                 KeyHandle& out) {
  HKEY key = nullptr;
  const LSTATUS status = ::RegOpenKeyExW(ToHkey(parent), Wide(subkey).c_str(), 0, access, &key);
  if (status == ERROR_SUCCESS) out = FromHkey(key);
  return Report(status);
}

RegStatus Win32Registry::CreateKey(KeyHandle parent, std::u16string_view subkey,
                                   std::uint32_t options, std::uint32_t access, KeyHandle& out) {
  HKEY key = nullptr;
  const LSTATUS status = ::RegCreateKeyExW(ToHkey(parent), Wide(subkey).c_str(), 0, nullptr,
                                           options, access, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) out = FromHkey(key);
  return Report(status);
}

void Win32Registry::CloseKey(KeyHandle key) {
  if (key != reg::kNoKey && !reg::IsPredefined(key)) ::RegCloseKey(ToHkey(key));
}

RegStatus Win32Registry::QueryValue(KeyHandle key, std::u16string_view name, RegValue& out) {
  const auto wideName = Wide(name);
  std::vector<std::uint8_t> data(256);
  for (;;) {
    DWORD type = REG_NONE;
    DWORD sizeBytes = static_cast<DWORD>(data.size());
    const LSTATUS status =
        ::RegQueryValueExW(ToHkey(key), wideName.c_str(), nullptr, &type, data.data(), &sizeBytes);
    if (status == ERROR_MORE_DATA) {
      // The value may grow between calls: take the larger of the two.
      data.resize(std::max<std::size_t>(sizeBytes, data.size() * 2));
      continue;
    }
    if (status == ERROR_SUCCESS) {
      data.resize(sizeBytes);
      out = RegValue{type, std::move(data)};
    }
    return Report(status);
  }
}

RegStatus Win32Registry::SetValue(KeyHandle key, std::u16string_view name, std::uint32_t type,
                                  std::span<const std::uint8_t> data) {
  return Report(::RegSetValueExW(ToHkey(key), Wide(name).c_str(), 0, type, data.data(),
                                 static_cast<DWORD>(data.size())));
}

RegStatus Win32Registry::RemoveValue(KeyHandle key, std::u16string_view name) {
  return Report(::RegDeleteValueW(ToHkey(key), Wide(name).c_str()));
}

RegStatus Win32Registry::RemoveKey(KeyHandle parent, std::u16string_view subkey,
                                   std::uint32_t viewAccess) {
  return Report(::RegDeleteKeyExW(ToHkey(parent), Wide(subkey).c_str(), viewAccess, 0));
}

RegStatus Win32Registry::EnumKey(KeyHandle key, std::uint32_t index, std::u16string& name) {
  wchar_t buffer[256];  // key names have at most 255 characters
  DWORD length = static_cast<DWORD>(std::size(buffer));
  const LSTATUS status =
      ::RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) name = FromWide(buffer, length);
  return Report(status);
}

RegStatus Win32Registry::EnumValue(KeyHandle key, std::uint32_t index, std::u16string& name) {
  DWORD longest = 0;
  LSTATUS status = ::RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return Report(status);
  std::vector<wchar_t> buffer(longest + 1);
  for (;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    status = ::RegEnumValueW(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr,
                             nullptr);
    // A longer name may have been written since the query.
    if (status == ERROR_MORE_DATA) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status == ERROR_SUCCESS) name = FromWide(buffer.data(), length);
    return Report(status);
  }
}

RegStatus Win32Registry::QueryInfo(KeyHandle key, RegKeyInfo& out) {
  DWORD subkeys = 0;
  DWORD values = 0;
  const LSTATUS status =
      ::RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         &values, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) out = {subkeys, values};
  return Report(status);
}

RegStatus Win32Registry::LoadHive(KeyHandle root, std::u16string_view subkey,
                                  std::u16string_view file) {
  return Report(::RegLoadKeyW(ToHkey(root), Wide(subkey).c_str(), Wide(file).c_str()));
}

RegStatus Win32Registry::UnloadHive(KeyHandle root, std::u16string_view subkey) {
  return Report(::RegUnLoadKeyW(ToHkey(root), Wide(subkey).c_str()));
}

RegStatus Win32Registry::SaveHive(KeyHandle key, std::u16string_view file) {
  return Report(::RegSaveKeyExW(ToHkey(key), Wide(file).c_str(), nullptr, REG_LATEST_FORMAT));
}

RegStatus Win32Registry::ResetSecurity(KeyHandle key) {
  UniqueLocalMemory descriptor;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
          kRepairSecurity, SDDL_REVISION_1,
          reinterpret_cast<PSECURITY_DESCRIPTOR*>(descriptor.Receive()), nullptr)) {
    return Report(static_cast<LSTATUS>(::GetLastError()));
  }
  return Report(::RegSetKeySecurity(
      ToHkey(key), OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, descriptor.Get()));
}

}  // namespace kva::win32
