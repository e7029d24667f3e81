#include "ui/Button.h"

#include <algorithm>

#include "ui/Painting.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_BUTTON";

// What the seven colours of the style record paint, in record order. The
// text colour is used without its alpha: the record before a theme keeps 0
// there.
enum Colour : std::size_t {
  kFaceTop,
  kFaceBottom,
  kHoverTop,
  kHoverBottom,
  kBorder,
  kHoverBorder,
  kText
};
constexpr int kGradientFace = 1;  // flag: faces are top-to-bottom gradients
constexpr int kImageGap = 8;
constexpr float kDisabledFade = 0.55f;

// The style's ARGB as a COLORREF, without the alpha.
std::uint32_t RgbOf(std::uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// A disabled face fades towards what lies behind it.
Gdiplus::Color Face(std::uint32_t argb, bool enabled, std::uint32_t backdrop) {
  if (enabled) return FromArgb(argb);
  return FromColorRef(MixColorRef(RgbOf(argb), backdrop, kDisabledFade),
                      static_cast<BYTE>(argb >> 24));
}

}  // namespace

bool Button::Create(int id, const RECT& rect, std::u16string_view text, int imageId) {
  imageId_ = imageId;
  return Control::Create(kClass, id, rect, text, WS_TABSTOP);
}

void Button::SetStyle(const ButtonStyle& style) {
  style_ = style;
  Invalidate();
}

void Button::SetFont(const FontSpec& font) {
  font_ = font;
  Invalidate();
}

void Button::SetWrapping(bool wrap) {
  wrap_ = wrap;
  Invalidate();
}

const ButtonStyle& Button::StyleInUse() const {
  return style_ ? *style_ : Kit().CurrentTheme().buttons;
}

void Button::Paint(HDC dc, const RECT& client) {
  const ButtonStyle& style = StyleInUse();
  PaintFace(dc, client, style);
  PaintContent(dc, client, style);
}

void Button::PaintFace(HDC dc, const RECT& client, const ButtonStyle& style) {
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const auto& c = style.colours;
  const bool enabled = IsEnabled();
  const bool hot = enabled && (IsHot() || IsPressed());
  // Pressed turns the hover gradient upside down.
  std::uint32_t top = hot ? c[kHoverTop] : c[kFaceTop];
  std::uint32_t bottom = hot ? c[kHoverBottom] : c[kFaceBottom];
  if (IsPressed()) std::swap(top, bottom);
  if (!(style.flag & kGradientFace)) bottom = top;

  const float border = static_cast<float>(std::max(0, style.borderWidth));
  const Gdiplus::RectF box(border / 2, border / 2, client.right - border, client.bottom - border);
  Gdiplus::GraphicsPath path;
  AddRoundedRect(path, box, style.cornerRadius);
  const std::uint32_t backdrop = Backdrop();
  Gdiplus::LinearGradientBrush fill(Gdiplus::RectF(0, 0, 1, static_cast<float>(client.bottom)),
                                    Face(top, enabled, backdrop), Face(bottom, enabled, backdrop),
                                    Gdiplus::LinearGradientModeVertical);
  g.FillPath(&fill, &path);
  if (border > 0) {
    Gdiplus::Pen pen(Face(hot ? c[kHoverBorder] : c[kBorder], enabled, backdrop), border);
    g.DrawPath(&pen, &path);
  }
  if (HasFocus()) {
    // The keyboard focus: a thin dotted ring inside the border.
    Gdiplus::GraphicsPath ring;
    const float inset = border + 2;
    AddRoundedRect(
        ring, Gdiplus::RectF(inset, inset, client.right - 2 * inset, client.bottom - 2 * inset),
        std::max(0.0f, style.cornerRadius - 2));
    Gdiplus::Pen pen(FromColorRef(RgbOf(c[kText]), 150), 1);
    pen.SetDashStyle(Gdiplus::DashStyleDot);
    g.DrawPath(&pen, &ring);
  }
}

void Button::PaintContent(HDC dc, const RECT& client, const ButtonStyle& style) {
  const bool enabled = IsEnabled();
  Gdiplus::Bitmap* image = imageId_ ? Kit().Image(imageId_) : nullptr;
  const int imageSize = image ? std::min<int>(image->GetHeight(), client.bottom - 8) : 0;
  HFONT font = Kit().Font(font_.value_or(FontSpec{static_cast<int>(style.fontSize + 0.5f)}));
  const std::u16string text = Text();
  const SIZE textSize = MeasureText(dc, text, font);
  const int gap = image && !text.empty() ? kImageGap : 0;
  const int contentWidth = std::min<int>(imageSize + gap + textSize.cx, client.right - 8);
  // Pressed content sits one pixel down and right.
  const int shift = IsPressed() ? 1 : 0;
  int x = (wrap_ ? kImageGap : (client.right - contentWidth) / 2) + shift;
  if (image) {
    Gdiplus::Graphics g(dc);
    DrawImage(g, image, x, (client.bottom - imageSize) / 2 + shift, imageSize, imageSize, !enabled);
    x += imageSize + gap;
  }
  std::uint32_t color = RgbOf(style.colours[kText]);
  if (!enabled) {
    // Towards the face as it is painted, faded itself, so that the text
    // stays readable on a dark backdrop too.
    const std::uint32_t face = MixColorRef(RgbOf(style.colours[kFaceTop]), Backdrop(), kDisabledFade);
    color = MixColorRef(color, face, 0.5f);
  }
  RECT textRect{x, shift, client.right - 4, client.bottom + shift};
  DrawTextIn(dc, text, textRect, font, color,
             DT_LEFT | DT_VCENTER | (wrap_ ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS));
}

}  // namespace kva::ui
