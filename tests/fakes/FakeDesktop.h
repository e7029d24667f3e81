#pragma once
// Top-level windows as a list the test writes; the first is at the top.

#include <algorithm>
#include <vector>

#include "platform/Desktop.h"

namespace kva {

class FakeDesktop final : public Desktop {
 public:
  WindowId FindTopWindow(std::u16string_view className) override {
    return className == u"KELVARAWND" ? mainWindow : kNoWindow;
  }
  bool IsVisible(WindowId window) override {
    if (window == mainWindow) return visible;
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [window](const TopWindow& w) { return w.window == window; });
    return found != windows.end() && found->visible;
  }
  void RestoreAndActivate(WindowId window) override { activated = window; }
  void Restore(WindowId window) override { restored.push_back(window); }
  std::vector<TopWindow> TopWindows() override { return windows; }
  void PostDestroy(WindowId window) override { destroyed.push_back(window); }

  WindowId mainWindow = kNoWindow;  // the program's own main window
  bool visible = false;
  WindowId activated = kNoWindow;
  std::vector<TopWindow> windows;
  std::vector<WindowId> restored, destroyed;
};

}  // namespace kva
