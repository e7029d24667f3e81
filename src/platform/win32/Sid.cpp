#include "platform/win32/Sid.h"

#include <sddl.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {

Sid::Sid(PSID sid)
    : bytes_(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + ::GetLengthSid(sid)) {}

std::optional<Sid> Sid::OfAccount(std::u16string_view name) {
  const std::wstring account = Wide(name);
  if (account.empty()) return std::nullopt;  // would name the machine's own domain
  DWORD sidBytes = 0;
  DWORD domainLength = 0;
  SID_NAME_USE use;
  ::LookupAccountNameW(nullptr, account.c_str(), nullptr, &sidBytes, nullptr, &domainLength,
                       &use);
  if (sidBytes == 0) return std::nullopt;
  std::vector<BYTE> sid(sidBytes);
  std::wstring domain(domainLength, L'\0');
  if (!::LookupAccountNameW(nullptr, account.c_str(), sid.data(), &sidBytes, domain.data(),
                            &domainLength, &use)) {
    return std::nullopt;
  }
  return Sid(sid.data());
}

std::optional<Sid> Sid::FromText(std::u16string_view text) {
  UniqueLocalPointer<PSID> sid;
  if (!::ConvertStringSidToSidW(Wide(text).c_str(), sid.Receive())) return std::nullopt;
  return Sid(sid.Get());
}

std::optional<Sid> Sid::OfTokenUser(HANDLE token) {
  DWORD bytes = 0;
  ::GetTokenInformation(token, TokenUser, nullptr, 0, &bytes);
  if (bytes == 0) return std::nullopt;
  std::vector<BYTE> buffer(bytes);
  if (!::GetTokenInformation(token, TokenUser, buffer.data(), bytes, &bytes)) return std::nullopt;
  return Sid(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
}

std::u16string Sid::Text() const {
  UniqueLocalPointer<LPWSTR> text;
  if (!::ConvertSidToStringSidW(Get(), text.Receive())) return {};
  return FromWide(text.Get());
}

std::optional<std::u16string> Sid::AccountName() const {
  DWORD nameLength = 0;
  DWORD domainLength = 0;
  SID_NAME_USE use;
  ::LookupAccountSidW(nullptr, Get(), nullptr, &nameLength, nullptr, &domainLength, &use);
  if (nameLength == 0) return std::nullopt;
  std::wstring name(nameLength, L'\0');
  std::wstring domain(domainLength, L'\0');
  if (!::LookupAccountSidW(nullptr, Get(), name.data(), &nameLength, domain.data(),
                           &domainLength, &use)) {
    return std::nullopt;
  }
  return FromWide(name.data(), nameLength);
}

}  // namespace kva::win32
