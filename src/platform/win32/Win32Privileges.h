#pragma once
#include <windows.h>

#include <vector>

#include "platform/Privileges.h"

namespace kva::win32 {

class Win32Privileges final : public Privileges {
 public:
  ~Win32Privileges() override = default;
  bool Enable() override;
  void Restore() override;
  [[nodiscard]] bool IsEnabled() const override { return !previous_.empty(); }

 private:
  std::vector<BYTE> previous_;  // TOKEN_PRIVILEGES as AdjustTokenPrivileges returned it
};

}  // namespace kva::win32
