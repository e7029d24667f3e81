#pragma once
// The program's privileges as a flag: enabled until a test says otherwise.

#include "platform/Privileges.h"

namespace kva {

class FakePrivileges final : public Privileges {
 public:
  bool Enable() override { return enabled = true; }
  void Restore() override { enabled = false; }
  [[nodiscard]] bool IsEnabled() const override { return enabled; }
  bool enabled = true;
};

}  // namespace kva
