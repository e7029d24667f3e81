#pragma once
// A line of text with "<a>...</a>" links in the accent colour, and an
// optional picture before it. A click on a link notifies the owner.

#include <vector>

#include "ui/Control.h"

namespace kva::ui {

class LinkLabel final : public Control {
 public:
  using Control::Control;
  bool Create(int id, const RECT& rect, std::u16string_view markup, const FontSpec& font,
              int imageId);
  // As a click on the link; a disabled label ignores it.
  void Click();

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] bool OverLink(POINT at) const;

  FontSpec font_;
  int imageId_ = 0;
  bool focused_ = false;
  bool overLink_ = false;
  std::vector<RECT> linkRects_;  // where the last paint put the links
};

}  // namespace kva::ui
