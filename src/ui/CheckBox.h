#pragma once
// A check box painted in the window's colours: a rounded box, a check mark
// in the mark colour (the accent unless set), and its text.

#include "ui/Control.h"

namespace kva::ui {

class CheckBox final : public Control {
 public:
  using Control::Control;
  bool Create(int id, const RECT& rect, std::u16string_view text, const FontSpec& font);
  [[nodiscard]] bool IsChecked() const { return checked_; }
  void SetChecked(bool checked);
  void SetMarkColor(std::uint32_t colorRef);
  // As a mouse click: toggles and notifies; a disabled box ignores it.
  void Click();

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  FontSpec font_;
  bool checked_ = false;
  bool focused_ = false;
  std::optional<std::uint32_t> mark_;
};

}  // namespace kva::ui
