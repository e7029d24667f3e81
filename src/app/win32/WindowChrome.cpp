#include "app/win32/WindowChrome.h"

#include "ui/Painting.h"

namespace kva::win32 {
namespace {

constexpr std::uint32_t kCloseHot = 0x2311E8;  // red, as Windows shows a closing button

}  // namespace

bool CaptionButton::Create(int id, const RECT& rect, CaptionKind kind) {
  kind_ = kind;
  return Control::Create(L"KVA_CAPTION_BUTTON", id, rect, u"");
}

void CaptionButton::Paint(HDC dc, const RECT& client) {
  const bool hot = IsHot() || pressed_;
  std::uint32_t ink = TextColor();
  if (hot) {
    const std::uint32_t face =
        kind_ == CaptionKind::Close ? kCloseHot : ui::MixColorRef(Backdrop(), ink, 0.2f);
    ui::FillColorRef(dc, client, face);
    if (kind_ == CaptionKind::Close) ink = 0xFFFFFF;
  }
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::Pen pen(ui::FromColorRef(ink), 1.4f);
  const float cx = client.right / 2.0f, cy = client.bottom / 2.0f, r = 5.0f;
  switch (kind_) {
    case CaptionKind::Minimize:
      g.DrawLine(&pen, cx - r, cy + 0.5f, cx + r, cy + 0.5f);
      break;
    case CaptionKind::Maximize:
      if (::IsZoomed(::GetParent(Handle()))) {
        // Restore: two windows, one behind the other.
        g.DrawRectangle(&pen, cx - r + 2, cy - r, 2 * r - 2, 2 * r - 2);
        Gdiplus::SolidBrush face(ui::FromColorRef(hot ? ui::MixColorRef(Backdrop(), ink, 0.2f)
                                                      : Backdrop()));
        g.FillRectangle(&face, cx - r, cy - r + 2, 2 * r - 2, 2 * r - 2);
        g.DrawRectangle(&pen, cx - r, cy - r + 2, 2 * r - 2, 2 * r - 2);
      } else {
        g.DrawRectangle(&pen, cx - r, cy - r, 2 * r, 2 * r);
      }
      break;
    case CaptionKind::Close:
      g.DrawLine(&pen, cx - r, cy - r, cx + r, cy + r);
      g.DrawLine(&pen, cx - r, cy + r, cx + r, cy - r);
      break;
  }
}

std::optional<LRESULT> CaptionButton::OnMessage(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(Handle());
      Invalidate();
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      ::ReleaseCapture();
      RECT client;
      ::GetClientRect(Handle(), &client);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (::PtInRect(&client, at)) NotifyClick();
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      Invalidate();
      return 0;
    case BM_CLICK:
      NotifyClick();
      return 0;
  }
  return std::nullopt;
}

bool ResizeGrip::Create(const RECT& rect) {
  return Control::Create(L"KVA_RESIZE_GRIP", 0, rect, u"");
}

void ResizeGrip::Paint(HDC dc, const RECT& client) {
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  Gdiplus::SolidBrush dot(ui::FromColorRef(ui::MixColorRef(TextColor(), Backdrop(), 0.45f)));
  // Six dots in a triangle towards the corner.
  for (int row = 0; row < 3; ++row) {
    for (int column = 2 - row; column < 3; ++column) {
      g.FillEllipse(&dot, client.right - 4.5f - (2 - column) * 4.0f,
                    client.bottom - 4.5f - row * 4.0f, 2.4f, 2.4f);
    }
  }
}

std::optional<LRESULT> ResizeGrip::OnMessage(UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENWSE));
      return TRUE;
    case WM_LBUTTONDOWN:
      // The window's own sizing loop, as if its corner had been grabbed.
      ::ReleaseCapture();
      ::SendMessageW(::GetParent(Handle()), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, 0);
      return 0;
  }
  return std::nullopt;
}

}  // namespace kva::win32
