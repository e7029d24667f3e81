#pragma once
// Drawing helpers shared by the windows and controls: shapes with GDI+
// (anti-aliased), text with GDI (crisp, and easy to measure and wrap).

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <string_view>

#include "settings/Theme.h"
#include "ui/UniqueWindow.h"

namespace kva::ui {

inline constexpr int kFrameWidth = 4;

Gdiplus::Color FromArgb(std::uint32_t argb);
Gdiplus::Color FromColorRef(std::uint32_t colorRef, BYTE alpha = 255);
// a weighted towards b: 0 gives a, 1 gives b.
std::uint32_t MixColorRef(std::uint32_t a, std::uint32_t b, float weight);

void AddRoundedRect(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& rect, float radius);
void FillColorRef(HDC dc, const RECT& rect, std::uint32_t colorRef);
// The window look: a solid background inside a 4-pixel frame.
void PaintFramedBackground(HDC dc, const RECT& client, const ThemeColours& palette);

// format: DrawTextW flags; DT_VCENTER also centres wrapped text.
void DrawTextIn(HDC dc, std::u16string_view text, RECT rect, HFONT font, std::uint32_t colorRef,
                UINT format);
SIZE MeasureText(HDC dc, std::u16string_view text, HFONT font, int wrapWidth = 0);

void DrawImage(Gdiplus::Graphics& g, Gdiplus::Bitmap* image, int x, int y, int width, int height,
               bool greyed = false);

// Paints through an off-screen bitmap so that repaints never flicker; also
// serves WM_PRINTCLIENT, whose DC is handed in.
class PaintBuffer {
 public:
  PaintBuffer(HWND window, HDC printTarget);
  ~PaintBuffer();
  PaintBuffer(const PaintBuffer&) = delete;
  PaintBuffer& operator=(const PaintBuffer&) = delete;

  [[nodiscard]] HDC Dc() const { return memory_.Get(); }
  [[nodiscard]] const RECT& Client() const { return client_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC target_;
  RECT client_{};
  UniqueMemoryDc memory_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace kva::ui
