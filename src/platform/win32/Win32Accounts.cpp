#include "platform/win32/Win32Accounts.h"

#include <windows.h>
#include <lm.h>
#include <shlobj.h>

#include "platform/win32/ConsoleUserToken.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {

std::optional<ConsoleUser> Win32Accounts::FindConsoleUser() {
  auto user = FindConsoleUserToken();
  if (!user) return std::nullopt;
  return ConsoleUser{user->sid.Text(), ShellFolder(CSIDL_PROFILE, user->token.Get()),
                     std::move(user->name)};
}

// All accounts, page by page. A failure on any page (Wine does not offer
// level 3 at all) gives nothing rather than part of the list.
std::vector<LocalAccount> Win32Accounts::EnumerateLocalAccounts() {
  std::vector<LocalAccount> accounts;
  DWORD resume = 0;
  NET_API_STATUS status;
  do {
    UniqueNetApiBuffer buffer;
    DWORD read = 0;
    DWORD total = 0;
    status = ::NetUserEnum(nullptr, 3, 0, buffer.Receive(), MAX_PREFERRED_LENGTH, &read, &total,
                           &resume);
    if (status != NERR_Success && status != ERROR_MORE_DATA) return {};
    const auto* users = reinterpret_cast<const USER_INFO_3*>(buffer.Get());
    for (DWORD i = 0; i < read; ++i) {
      accounts.push_back({FromWide(users[i].usri3_name), FromWide(users[i].usri3_profile)});
    }
  } while (status == ERROR_MORE_DATA);
  return accounts;
}

std::optional<std::u16string> Win32Accounts::SidOfName(std::u16string_view name) {
  const auto sid = Sid::OfAccount(name);
  if (!sid) return std::nullopt;
  std::u16string text = sid->Text();
  if (text.empty()) return std::nullopt;
  return text;
}

std::optional<std::u16string> Win32Accounts::NameOfSid(std::u16string_view sid) {
  const auto parsed = Sid::FromText(sid);
  if (!parsed) return std::nullopt;
  return parsed->AccountName();
}

}  // namespace kva::win32
