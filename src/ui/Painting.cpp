#include "ui/Painting.h"

#include <algorithm>
#include <string>

#include "platform/win32/WideText.h"

namespace kva::ui {

Gdiplus::Color FromArgb(std::uint32_t argb) {
  return Gdiplus::Color(static_cast<Gdiplus::ARGB>(argb));
}

Gdiplus::Color FromColorRef(std::uint32_t colorRef, BYTE alpha) {
  return Gdiplus::Color(alpha, GetRValue(colorRef), GetGValue(colorRef), GetBValue(colorRef));
}

std::uint32_t MixColorRef(std::uint32_t a, std::uint32_t b, float weight) {
  auto mix = [weight](int x, int y) {
    return static_cast<BYTE>(std::clamp(x + (y - x) * weight + 0.5f, 0.0f, 255.0f));
  };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void AddRoundedRect(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& rect, float radius) {
  const float d = std::min({radius * 2, rect.Width, rect.Height});
  if (d <= 0) {
    path.AddRectangle(rect);
    return;
  }
  const float right = rect.X + rect.Width - d, bottom = rect.Y + rect.Height - d;
  path.AddArc(rect.X, rect.Y, d, d, 180, 90);
  path.AddArc(right, rect.Y, d, d, 270, 90);
  path.AddArc(right, bottom, d, d, 0, 90);
  path.AddArc(rect.X, bottom, d, d, 90, 90);
  path.CloseFigure();
}

void FillColorRef(HDC dc, const RECT& rect, std::uint32_t colorRef) {
  const COLORREF previous = ::SetBkColor(dc, colorRef);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, previous);
}

void PaintFramedBackground(HDC dc, const RECT& client, const ThemeColours& palette) {
  FillColorRef(dc, client, palette.frame);
  RECT inner = client;
  ::InflateRect(&inner, -kFrameWidth, -kFrameWidth);
  FillColorRef(dc, inner, palette.background);
}

void DrawTextIn(HDC dc, std::u16string_view text, RECT rect, HFONT font, std::uint32_t colorRef,
                UINT format) {
  const std::wstring wide = win32::Wide(text);
  const HGDIOBJ previous = ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, colorRef);
  // DrawTextW centres only single lines vertically; wrapped text is
  // measured first and moved down by hand.
  if ((format & DT_VCENTER) && (format & DT_WORDBREAK)) {
    RECT measured = rect;
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &measured,
                (format & ~DT_VCENTER) | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    rect.top += std::max(0L, (rect.bottom - rect.top - height) / 2);
    format &= ~DT_VCENTER;
  }
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format | DT_NOPREFIX);
  ::SelectObject(dc, previous);
}

SIZE MeasureText(HDC dc, std::u16string_view text, HFONT font, int wrapWidth) {
  const std::wstring wide = win32::Wide(text);
  const HGDIOBJ previous = ::SelectObject(dc, font);
  RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 0x7FFF, 0};
  const UINT format = DT_CALCRECT | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
  ::SelectObject(dc, previous);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void DrawImage(Gdiplus::Graphics& g, Gdiplus::Bitmap* image, int x, int y, int width, int height,
               bool greyed) {
  if (!image) return;
  const Gdiplus::Rect target(x, y, width, height);
  const bool scaled = static_cast<int>(image->GetWidth()) != width ||
                      static_cast<int>(image->GetHeight()) != height;
  g.SetInterpolationMode(scaled ? Gdiplus::InterpolationModeHighQualityBicubic
                                : Gdiplus::InterpolationModeNearestNeighbor);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  if (!greyed) {
    g.DrawImage(image, target, 0, 0, image->GetWidth(), image->GetHeight(), Gdiplus::UnitPixel);
    return;
  }
  // Disabled: grey, and faded into the background.
  Gdiplus::ColorMatrix matrix = {{{0.3f, 0.3f, 0.3f, 0, 0},
                                  {0.59f, 0.59f, 0.59f, 0, 0},
                                  {0.11f, 0.11f, 0.11f, 0, 0},
                                  {0, 0, 0, 0.45f, 0},
                                  {0, 0, 0, 0, 1}}};
  Gdiplus::ImageAttributes attributes;
  attributes.SetColorMatrix(&matrix);
  g.DrawImage(image, target, 0, 0, image->GetWidth(), image->GetHeight(), Gdiplus::UnitPixel,
              &attributes);
}

PaintBuffer::PaintBuffer(HWND window, HDC printTarget) : window_(window), target_(printTarget) {
  if (!target_) target_ = ::BeginPaint(window_, &paint_);
  ::GetClientRect(window_, &client_);
  memory_.Reset(::CreateCompatibleDC(target_));
  bitmap_.Reset(
      ::CreateCompatibleBitmap(target_, std::max(1L, client_.right), std::max(1L, client_.bottom)));
  previous_ = ::SelectObject(memory_.Get(), bitmap_.Get());
}

PaintBuffer::~PaintBuffer() {
  ::BitBlt(target_, 0, 0, client_.right, client_.bottom, memory_.Get(), 0, 0, SRCCOPY);
  ::SelectObject(memory_.Get(), previous_);
  if (paint_.hdc) ::EndPaint(window_, &paint_);
}

}  // namespace kva::ui
