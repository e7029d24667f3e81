#pragma once
#include "platform/Desktop.h"

namespace kva::win32 {

// A WindowId is the HWND's value.
class Win32Desktop final : public Desktop {
 public:
  WindowId FindTopWindow(std::u16string_view className) override;
  bool IsVisible(WindowId window) override;
  void RestoreAndActivate(WindowId window) override;
  void Restore(WindowId window) override;
  std::vector<TopWindow> TopWindows() override;
  void PostDestroy(WindowId window) override;
};

}  // namespace kva::win32
