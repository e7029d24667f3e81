#pragma once
// Static text in the window's colours. Clicks pass through to the window.

#include "ui/Control.h"

namespace kva::ui {

class Label final : public Control {
 public:
  using Control::Control;
  bool Create(const RECT& rect, std::u16string_view text, const FontSpec& font, UINT format);

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  FontSpec font_;
  UINT format_ = 0;
};

}  // namespace kva::ui
