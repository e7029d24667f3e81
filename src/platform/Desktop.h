#pragma once
// Top-level windows of the session, by opaque id.

#include <cstdint>
#include <string_view>

namespace kva {

using WindowId = std::uint64_t;
inline constexpr WindowId kNoWindow = 0;

class Desktop {
 public:
  virtual ~Desktop() = default;
  // FindWindowW by class name; kNoWindow when there is none.
  virtual WindowId FindTopWindow(std::u16string_view className) = 0;
  virtual bool IsVisible(WindowId window) = 0;
  // SW_RESTORE and SetForegroundWindow.
  virtual void RestoreAndActivate(WindowId window) = 0;
};

}  // namespace kva
