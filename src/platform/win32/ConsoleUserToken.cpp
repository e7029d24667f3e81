#include "platform/win32/ConsoleUserToken.h"

#include <psapi.h>
#include <shlobj.h>

#include <array>

#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

constexpr DWORD kNoSession = 0xFFFFFFFF;

std::u16string SessionUserName(DWORD session) {
  UniqueWtsText name;
  DWORD bytes = 0;
  if (!::WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, session, WTSUserName,
                                     name.Receive(), &bytes)) {
    return {};
  }
  return FromWide(name.Get());
}

// The process's token when the process runs in session as user.
UniqueKernelHandle UserTokenOf(DWORD processId, DWORD session, const Sid& user) {
  DWORD processSession = kNoSession;
  if (!::ProcessIdToSessionId(processId, &processSession) || processSession != session) {
    return {};
  }
  UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  UniqueKernelHandle token;
  if (!process.IsValid() || !::OpenProcessToken(process.Get(), TOKEN_QUERY, token.Receive())) {
    return {};
  }
  const auto tokenUser = Sid::OfTokenUser(token.Get());
  return tokenUser && *tokenUser == user ? std::move(token) : UniqueKernelHandle();
}

UniqueKernelHandle FirstUserToken(DWORD session, const Sid& user) {
  std::array<DWORD, 1024> ids;
  DWORD bytes = 0;
  if (!::K32EnumProcesses(ids.data(), sizeof(ids), &bytes)) return {};
  for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
    auto token = UserTokenOf(ids[i], session, user);
    if (token.IsValid()) return token;
  }
  return {};
}

}  // namespace

std::optional<ConsoleUserToken> FindConsoleUserToken() {
  const DWORD session = ::WTSGetActiveConsoleSessionId();
  if (session == kNoSession) return std::nullopt;
  std::u16string name = SessionUserName(session);
  auto sid = Sid::OfAccount(name);
  if (!sid) return std::nullopt;
  // Our own token when we run as that user; otherwise one of the user's processes.
  UniqueKernelHandle token = UserTokenOf(::GetCurrentProcessId(), session, *sid);
  if (!token.IsValid()) token = FirstUserToken(session, *sid);
  if (!token.IsValid()) return std::nullopt;
  return ConsoleUserToken{std::move(token), std::move(*sid), std::move(name)};
}

std::u16string ShellFolder(int csidl, HANDLE token) {
  wchar_t path[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, token, SHGFP_TYPE_CURRENT, path))) return {};
  return FromWide(path);
}

}  // namespace kva::win32
