#include "platform/win32/Win32Privileges.h"

#include <array>
#include <cstddef>

#include "platform/win32/UniqueHandle.h"

namespace kva::win32 {
namespace {

constexpr std::array kPrivilegeNames = {
    L"SeRestorePrivilege",        L"SeBackupPrivilege",         L"SeDebugPrivilege",
    L"SeSecurityPrivilege",       L"SeTakeOwnershipPrivilege",  L"SeImpersonatePrivilege",
    L"SeSystemProfilePrivilege",  L"SeShutdownPrivilege",       L"SeIncreaseQuotaPrivilege",
    L"SeCreateSymbolicLinkPrivilege", L"SeManageVolumePrivilege",
};

UniqueKernelHandle OpenOwnToken() {
  UniqueKernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token.Receive())) {
    return {};
  }
  return token;
}

// TOKEN_PRIVILEGES ends in a one-element array: the buffer holds all of them.
std::vector<BYTE> PrivilegeBuffer(std::size_t count) {
  return std::vector<BYTE>(offsetof(TOKEN_PRIVILEGES, Privileges) +
                           count * sizeof(LUID_AND_ATTRIBUTES));
}

}  // namespace

bool Win32Privileges::Enable() {
  const auto token = OpenOwnToken();
  if (!token.IsValid()) return false;
  auto wanted = PrivilegeBuffer(kPrivilegeNames.size());
  auto* privileges = reinterpret_cast<TOKEN_PRIVILEGES*>(wanted.data());
  DWORD count = 0;
  for (const wchar_t* name : kPrivilegeNames) {
    LUID luid;
    if (!::LookupPrivilegeValueW(nullptr, name, &luid)) continue;
    privileges->Privileges[count++] = {luid, SE_PRIVILEGE_ENABLED};
  }
  privileges->PrivilegeCount = count;
  auto previous = PrivilegeBuffer(kPrivilegeNames.size());
  DWORD previousBytes = static_cast<DWORD>(previous.size());
  if (!::AdjustTokenPrivileges(token.Get(), FALSE, privileges, static_cast<DWORD>(wanted.size()),
                               reinterpret_cast<TOKEN_PRIVILEGES*>(previous.data()),
                               &previousBytes)) {
    return false;
  }
  // Success with ERROR_NOT_ALL_ASSIGNED means some were not granted.
  const bool allGranted = ::GetLastError() == ERROR_SUCCESS && count == kPrivilegeNames.size();
  previous_ = std::move(previous);
  return allGranted;
}

void Win32Privileges::Restore() {
  if (previous_.empty()) return;
  const auto token = OpenOwnToken();
  if (!token.IsValid()) return;
  ::AdjustTokenPrivileges(token.Get(), FALSE,
                          reinterpret_cast<TOKEN_PRIVILEGES*>(previous_.data()), 0, nullptr,
                          nullptr);
  previous_.clear();
}

}  // namespace kva::win32
