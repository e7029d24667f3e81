#include "ui/CheckBox.h"

#include "ui/Painting.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_CHECK_BOX";
constexpr int kBoxSize = 16;
constexpr int kTextGap = 6;

}  // namespace

bool CheckBox::Create(int id, const RECT& rect, std::u16string_view text, const FontSpec& font) {
  font_ = font;
  return Control::Create(kClass, id, rect, text, WS_TABSTOP);
}

void CheckBox::SetChecked(bool checked) {
  checked_ = checked;
  Invalidate();
}

void CheckBox::SetMarkColor(std::uint32_t colorRef) {
  mark_ = colorRef;
  Invalidate();
}

void CheckBox::Paint(HDC dc, const RECT& client) {
  const bool enabled = IsEnabled();
  const std::uint32_t backdrop = Backdrop();
  const std::uint32_t accent = OwnerColors().accent;
  const int top = (client.bottom - kBoxSize) / 2;
  {
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::GraphicsPath box;
    AddRoundedRect(box, Gdiplus::RectF(1, top + 1.0f, kBoxSize - 2, kBoxSize - 2), 3);
    Gdiplus::SolidBrush face(
        FromColorRef(enabled ? 0xFFFFFF : MixColorRef(0xFFFFFF, backdrop, 0.5f)));
    g.FillPath(&face, &box);
    const std::uint32_t edge =
        IsHot() || HasFocus() ? accent : MixColorRef(TextColor(), backdrop, 0.35f);
    Gdiplus::Pen border(FromColorRef(edge), IsHot() || HasFocus() ? 2.0f : 1.2f);
    g.DrawPath(&border, &box);
    if (checked_) {
      const std::uint32_t mark = mark_.value_or(accent);
      Gdiplus::Pen pen(FromColorRef(enabled ? mark : MixColorRef(mark, backdrop, 0.5f)), 2.6f);
      pen.SetStartCap(Gdiplus::LineCapRound);
      pen.SetEndCap(Gdiplus::LineCapRound);
      pen.SetLineJoin(Gdiplus::LineJoinRound);
      const Gdiplus::PointF tick[] = {{4.0f, top + 8.5f}, {7.0f, top + 11.5f}, {12.5f, top + 4.5f}};
      g.DrawLines(&pen, tick, 3);
    }
  }
  RECT textRect{kBoxSize + kTextGap, 0, client.right, client.bottom};
  const std::uint32_t color = enabled ? TextColor() : MixColorRef(TextColor(), backdrop, 0.5f);
  DrawTextIn(dc, Text(), textRect, Kit().Font(font_), color,
             DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

std::optional<LRESULT> CheckBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK:
      return checked_ ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      SetChecked(wParam == BST_CHECKED);
      return 0;
  }
  return PressableControl::OnMessage(message, wParam, lParam);
}

}  // namespace kva::ui
