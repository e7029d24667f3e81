#pragma once
#include "platform/Firewall.h"

namespace kva::win32 {

// Through the firewall's COM objects; COM must be initialised.
class Win32Firewall final : public Firewall {
 public:
  bool AllowProgram(std::u16string_view name, std::u16string_view programPath) override;
};

}  // namespace kva::win32
