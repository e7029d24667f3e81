#pragma once
#include "platform/Accounts.h"

namespace kva::win32 {

class Win32Accounts final : public Accounts {
 public:
  std::optional<ConsoleUser> FindConsoleUser() override;
  std::vector<LocalAccount> EnumerateLocalAccounts() override;
  std::optional<std::u16string> SidOfName(std::u16string_view name) override;
  std::optional<std::u16string> NameOfSid(std::u16string_view sid) override;
};

}  // namespace kva::win32
