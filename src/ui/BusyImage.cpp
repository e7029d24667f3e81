#include "ui/BusyImage.h"

#include <cmath>
#include <numbers>
#include <string>

#include "platform/ProgressDialog.h"
#include "platform/Text.h"
#include "ui/Painting.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_BUSY_IMAGE";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kFastStepMs = 80, kSlowStepMs = 160;
constexpr int kDots = 12;
constexpr float kRingWidth = 6.0f;

}  // namespace

bool BusyImage::Create(const RECT& rect) { return Control::Create(kClass, 0, rect, {}); }

void BusyImage::SetValue(int value) {
  if (value >= 0 && value <= 100) {
    percent_ = value;
    spinning_ = false;
    ::KillTimer(Handle(), kTimer);
  } else if (value == progress::kBusy || value == progress::kBusySlow) {
    spinning_ = true;
    ::SetTimer(Handle(), kTimer, value == progress::kBusy ? kFastStepMs : kSlowStepMs, nullptr);
  } else {
    return;
  }
  Invalidate();
}

void BusyImage::Paint(HDC dc, const RECT& client) {
  if (!spinning_) {
    PaintPercentage(dc, client);
    return;
  }
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float size = static_cast<float>(std::min(client.right, client.bottom));
  const float centre = size / 2, radius = size / 2 - 8, dot = size / 10;
  const std::uint32_t accent = OwnerColors().accent;
  for (int i = 0; i < kDots; ++i) {
    // The dot at the phase is solid; those behind it fade out.
    const int age = (phase_ - i + kDots) % kDots;
    const auto alpha = static_cast<BYTE>(255 - age * 200 / kDots);
    const double angle = 2 * std::numbers::pi * i / kDots - std::numbers::pi / 2;
    Gdiplus::SolidBrush brush(FromColorRef(accent, alpha));
    const float x = centre + radius * static_cast<float>(std::cos(angle));
    const float y = centre + radius * static_cast<float>(std::sin(angle));
    g.FillEllipse(&brush, x - dot / 2, y - dot / 2, dot, dot);
  }
}

void BusyImage::PaintPercentage(HDC dc, const RECT& client) {
  {
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const float size = static_cast<float>(std::min(client.right, client.bottom));
    const Gdiplus::RectF ring(kRingWidth, kRingWidth, size - 2 * kRingWidth, size - 2 * kRingWidth);
    const std::uint32_t accent = OwnerColors().accent;
    Gdiplus::Pen track(FromColorRef(MixColorRef(accent, Backdrop(), 0.75f)), kRingWidth);
    g.DrawEllipse(&track, ring);
    if (percent_ > 0) {
      Gdiplus::Pen done(FromColorRef(accent), kRingWidth);
      done.SetStartCap(Gdiplus::LineCapRound);
      done.SetEndCap(Gdiplus::LineCapRound);
      g.DrawArc(&done, ring, -90.0f, 360.0f * percent_ / 100);
    }
  }
  const std::u16string text = ToDecimal(percent_) + u"%";
  DrawTextIn(dc, text, client, Kit().Font(Points(10, FW_BOLD)), TextColor(),
             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

std::optional<LRESULT> BusyImage::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message != WM_TIMER || wParam != kTimer) return std::nullopt;
  phase_ = (phase_ + 1) % kDots;
  Invalidate();
  return 0;
}

}  // namespace kva::ui
