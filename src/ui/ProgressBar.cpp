#include "ui/ProgressBar.h"

#include <algorithm>

#include "ui/Painting.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_PROGRESS_BAR";
constexpr UINT_PTR kTimer = 1;
constexpr UINT kStepMs = 30;
constexpr int kSteps = 100;          // one run across and back
constexpr float kBlockShare = 0.3f;  // of the bar's width

}  // namespace

bool ProgressBar::Create(const RECT& rect) { return Control::Create(kClass, 0, rect, {}); }

void ProgressBar::SetPercent(int percent) {
  percent_ = std::clamp(percent, 0, 100);
  marquee_ = false;
  ::KillTimer(Handle(), kTimer);
  Invalidate();
}

void ProgressBar::SetMarquee() {
  if (marquee_) return;
  marquee_ = true;
  ::SetTimer(Handle(), kTimer, kStepMs, nullptr);
  Invalidate();
}

void ProgressBar::Paint(HDC dc, const RECT& client) {
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const float width = static_cast<float>(client.right), height = static_cast<float>(client.bottom);
  const float radius = height / 2;
  const std::uint32_t accent = OwnerColors().accent;
  Gdiplus::GraphicsPath track;
  AddRoundedRect(track, Gdiplus::RectF(0, 0, width, height), radius);
  Gdiplus::SolidBrush trackBrush(FromColorRef(MixColorRef(accent, Backdrop(), 0.8f)));
  g.FillPath(&trackBrush, &track);
  float from = 0, to = width * percent_ / 100;
  if (marquee_) {
    // Across and back: the phase folds at the half.
    const int step = phase_ < kSteps / 2 ? phase_ : kSteps - phase_;
    const float block = width * kBlockShare;
    from = (width - block) * step / (kSteps / 2);
    to = from + block;
  }
  if (to - from < 1) return;
  Gdiplus::GraphicsPath bar;
  AddRoundedRect(bar, Gdiplus::RectF(from, 0, to - from, height), radius);
  Gdiplus::SolidBrush barBrush(FromColorRef(accent));
  g.FillPath(&barBrush, &bar);
}

std::optional<LRESULT> ProgressBar::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_TIMER || wParam != kTimer) return std::nullopt;
  phase_ = (phase_ + 1) % kSteps;
  Invalidate();
  return 0;
}

}  // namespace kva::ui
