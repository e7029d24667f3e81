#pragma once
// A security identifier held by value, with the conversions the program
// needs: account name, string form, a token's user.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kva::win32 {

class Sid {
 public:
  static std::optional<Sid> OfAccount(std::u16string_view name);  // LookupAccountNameW
  static std::optional<Sid> FromText(std::u16string_view text);   // ConvertStringSidToSidW
  static std::optional<Sid> OfTokenUser(HANDLE token);            // TokenUser

  [[nodiscard]] PSID Get() const { return const_cast<BYTE*>(bytes_.data()); }
  [[nodiscard]] std::u16string Text() const;                       // "S-1-5-21-..."
  [[nodiscard]] std::optional<std::u16string> AccountName() const;  // LookupAccountSidW, no domain
  bool operator==(const Sid& other) const { return ::EqualSid(Get(), other.Get()); }

 private:
  explicit Sid(PSID sid);
  std::vector<BYTE> bytes_;
};

}  // namespace kva::win32
