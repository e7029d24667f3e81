#pragma once
// A line of text with "<a>...</a>" links in the accent colour, and an
// optional picture before it. A click on a link notifies the owner; the
// links are its press spots.

#include <vector>

#include "ui/PressableControl.h"

namespace kva::ui {

class LinkLabel final : public PressableControl {
 public:
  using PressableControl::PressableControl;
  bool Create(int id, const RECT& rect, std::u16string_view markup, const FontSpec& font,
              int imageId);

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  [[nodiscard]] bool IsPressSpot(POINT at) const override;

  FontSpec font_;
  int imageId_ = 0;
  bool overLink_ = false;
  std::vector<RECT> linkRects_;  // where the last paint put the links
};

}  // namespace kva::ui
