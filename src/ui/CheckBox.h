#pragma once
// A check box painted in the window's colours: a rounded box, a check mark
// in the mark colour (the accent unless set), and its text.

#include "ui/PressableControl.h"

namespace kva::ui {

// A click toggles it before the owner hears of it; Return is left to the
// window, as with a Windows check box.
class CheckBox final : public PressableControl {
 public:
  using PressableControl::PressableControl;
  bool Create(int id, const RECT& rect, std::u16string_view text, const FontSpec& font);
  [[nodiscard]] bool IsChecked() const { return checked_; }
  void SetChecked(bool checked);
  void SetMarkColor(std::uint32_t colorRef);

 private:
  void Paint(HDC dc, const RECT& client) override;
  void OnClick() override { SetChecked(!checked_); }
  [[nodiscard]] bool ClicksOnReturn() const override { return false; }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  FontSpec font_;
  bool checked_ = false;
  std::optional<std::uint32_t> mark_;
};

}  // namespace kva::ui
