#include "platform/win32/Win32Environment.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <array>

#include "platform/win32/ConsoleUserToken.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

constexpr DWORD kExpandLength = 4096;
constexpr UINT kUnexpandLength = 260;
constexpr DWORD kProgramPathLength = 2047;

// In the order of KnownFolder.
constexpr std::array kFolderIds = {
    CSIDL_WINDOWS,          CSIDL_SYSTEM,
    CSIDL_SYSTEMX86,        CSIDL_PROGRAM_FILES,
    CSIDL_PROGRAM_FILESX86, CSIDL_DESKTOPDIRECTORY,
    CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PERSONAL,
    CSIDL_COMMON_DOCUMENTS, CSIDL_LOCAL_APPDATA,
    CSIDL_COMMON_APPDATA,   CSIDL_PROFILE,
};
static_assert(kFolderIds.size() == static_cast<std::size_t>(KnownFolder::Profile) + 1);

}  // namespace

std::optional<std::u16string> Win32Environment::Variable(std::u16string_view name) {
  const std::wstring wide = Wide(name);
  const DWORD needed = ::GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring value(needed, L'\0');
  ::SetLastError(ERROR_SUCCESS);
  const DWORD length = ::GetEnvironmentVariableW(wide.c_str(), value.data(), needed);
  // 0 is also the length of an empty value.
  if (length >= needed || (length == 0 && ::GetLastError() != ERROR_SUCCESS)) return std::nullopt;
  return FromWide(value.data(), length);
}

bool Win32Environment::SetVariable(std::u16string_view name, std::u16string_view value) {
  return ::SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str());
}

std::optional<std::u16string> Win32Environment::Expand(std::u16string_view text) {
  std::wstring buffer(kExpandLength, L'\0');
  const DWORD length =
      ::ExpandEnvironmentStringsW(Wide(text).c_str(), buffer.data(), kExpandLength);
  if (length == 0 || length > kExpandLength) return std::nullopt;
  return FromWide(buffer.data(), length - 1);  // the count includes the NUL
}

std::optional<std::u16string> Win32Environment::Unexpand(std::u16string_view path) {
  std::wstring buffer(kUnexpandLength, L'\0');
  if (!::PathUnExpandEnvStringsW(Wide(path).c_str(), buffer.data(), kUnexpandLength)) {
    return std::nullopt;
  }
  return FromWide(buffer.c_str());
}

std::u16string Win32Environment::Folder(KnownFolder folder, FolderOwner owner) {
  const int id = kFolderIds[static_cast<std::size_t>(folder)];
  if (owner == FolderOwner::Process) return ShellFolder(id);
  const auto user = FindConsoleUserToken();
  return user ? ShellFolder(id, user->token.Get()) : std::u16string();
}

std::u16string Win32Environment::TempFolder() {
  wchar_t temp[MAX_PATH + 1];
  DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return {};
  wchar_t longForm[MAX_PATH + 1];
  const DWORD longLength = ::GetLongPathNameW(temp, longForm, MAX_PATH + 1);
  std::u16string path = longLength > 0 && longLength <= MAX_PATH ? FromWide(longForm, longLength)
                                                                 : FromWide(temp, length);
  if (path.size() > 3 && path.back() == u'\\') path.pop_back();
  return path;
}

std::u16string Win32Environment::ProgramPath() {
  wchar_t path[kProgramPathLength];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, kProgramPathLength);
  if (length == 0 || length >= kProgramPathLength) return {};  // a cut path names nothing
  return FromWide(path, length);
}

OsVersion Win32Environment::ReportedVersion() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return {};
  return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

bool Win32Environment::IsAtLeast(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  OSVERSIONINFOEXW wanted{};
  wanted.dwOSVersionInfoSize = sizeof(wanted);
  wanted.dwMajorVersion = major;
  wanted.dwMinorVersion = minor;
  wanted.dwBuildNumber = build;
  DWORD fields = VER_MAJORVERSION | VER_MINORVERSION;
  ULONGLONG conditions = ::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL);
  conditions = ::VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
  if (build != 0) {
    fields |= VER_BUILDNUMBER;
    conditions = ::VerSetConditionMask(conditions, VER_BUILDNUMBER, VER_GREATER_EQUAL);
  }
  return ::VerifyVersionInfoW(&wanted, fields, conditions);
}

}  // namespace kva::win32
