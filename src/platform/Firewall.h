#pragma once
// The Windows Firewall, as far as the program registers itself with it so
// that its downloads and the tools it starts are not blocked.

#include <string_view>

namespace kva {

class Firewall {
 public:
  virtual ~Firewall() = default;
  // An enabled authorized-application entry for programPath (all scopes,
  // any IP version) and, where the firewall has rules, an enabled outbound
  // TCP rule named name + " (TCP-OUT)". False when either could not be made.
  virtual bool AllowProgram(std::u16string_view name, std::u16string_view programPath) = 0;
};

}  // namespace kva
