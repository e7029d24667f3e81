#pragma once
// Top-level windows of the session, by opaque id.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Processes.h"

namespace kva {

using WindowId = std::uint64_t;
inline constexpr WindowId kNoWindow = 0;

struct TopWindow {
  WindowId window = kNoWindow;
  ProcessId process = 0;
  bool visible = false;
  bool activeCaption = false;  // GetWindowInfo: the caption is drawn active
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // FindWindowW by class name; kNoWindow when there is none.
  virtual WindowId FindTopWindow(std::u16string_view className) = 0;
  virtual bool IsVisible(WindowId window) = 0;
  // SW_RESTORE and SetForegroundWindow.
  virtual void RestoreAndActivate(WindowId window) = 0;
  // ShowWindow with SW_RESTORE only.
  virtual void Restore(WindowId window) = 0;

  // Every top-level window, in Z order (EnumWindows), with its process.
  virtual std::vector<TopWindow> TopWindows() = 0;
  // Posts WM_DESTROY: a hung or stubborn program still loses its window.
  virtual void PostDestroy(WindowId window) = 0;
};

}  // namespace kva
