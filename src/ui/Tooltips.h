#pragma once
// One tooltip control per window, with a tip per child control.

#include <windows.h>

#include <string>
#include <string_view>

namespace kva::ui {

class Tooltips {
 public:
  // The tooltip window is owned by owner and goes with it.
  bool Create(HWND owner, HINSTANCE instance);
  void Add(HWND control, std::u16string_view text);
  // The text the tooltip control holds for control; empty when it has none.
  [[nodiscard]] std::u16string TextOf(HWND control) const;

 private:
  HWND owner_ = nullptr;
  HWND tips_ = nullptr;
};

}  // namespace kva::ui
