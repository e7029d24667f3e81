#pragma once
// The accounts port: who is logged on at the console, the local accounts,
// and the SID and name conversions. Tokens stay inside the adapter.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

struct ConsoleUser {
  std::u16string sid;            // string form
  std::u16string profileFolder;  // CSIDL_PROFILE resolved with the user's token
  std::u16string name;
};

struct LocalAccount {
  std::u16string name;
  std::u16string profilePath;  // from the account information; often empty
};

class Accounts {
 public:
  virtual ~Accounts() = default;
  // The user of the active console session; empty when there is none.
  virtual std::optional<ConsoleUser> FindConsoleUser() = 0;
  // NetUserEnum; empty when enumeration fails or is not available.
  virtual std::vector<LocalAccount> EnumerateLocalAccounts() = 0;
  virtual std::optional<std::u16string> SidOfName(std::u16string_view name) = 0;
  virtual std::optional<std::u16string> NameOfSid(std::u16string_view sid) = 0;
};

}  // namespace kva
