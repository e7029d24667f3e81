#pragma once
// Drives a window under test from inside its own modal loop: a timer on
// this thread waits until a visible window of the class exists, then runs
// the step once. Timer messages come after pending paints, so the window
// is drawn by then. The step posts clicks and keys, which the loop handles
// after the step returns.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/UniqueWindow.h"

namespace kva::ui::test {

class WindowDriver {
 public:
  WindowDriver(std::wstring className, std::function<void(HWND)> step);
  ~WindowDriver();
  WindowDriver(const WindowDriver&) = delete;
  WindowDriver& operator=(const WindowDriver&) = delete;

  [[nodiscard]] bool Ran() const { return ran_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Tick();

  std::wstring className_;
  std::function<void(HWND)> step_;
  UniqueWindow helper_;
  int ticks_ = 0;
  bool ran_ = false;
};

// The first child (at any depth) whose window text is text; nullptr if none.
HWND FindChild(HWND parent, std::u16string_view text);
// Posts a click to the child with that text; fails the test without one.
void ClickOn(HWND window, std::u16string_view text);
void PressKey(HWND window, WPARAM virtualKey);
std::u16string TextOf(HWND window);
// The tip the window's tooltip control holds for one of its controls.
std::u16string TipOf(HWND window, HWND control);

}  // namespace kva::ui::test
