#include "ui/LinkLabel.h"

#include <algorithm>

#include "ui/Painting.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_LINK_LABEL";
constexpr int kImageGap = 6;

struct Piece {
  std::u16string_view text;
  bool link = false;
};

// "<a>" and "<a href=...>" open a link, "</a>" closes it; an unclosed
// link runs to the end.
std::vector<Piece> ParseMarkup(std::u16string_view markup) {
  std::vector<Piece> pieces;
  while (!markup.empty()) {
    const std::size_t open = markup.find(u"<a");
    const bool tag = open != markup.npos && open + 2 < markup.size() &&
                     (markup[open + 2] == u'>' || markup[open + 2] == u' ');
    const std::size_t tagEnd = tag ? markup.find(u'>', open) : markup.npos;
    if (tagEnd == markup.npos) {
      pieces.push_back({markup, false});
      break;
    }
    if (open > 0) pieces.push_back({markup.substr(0, open), false});
    markup.remove_prefix(tagEnd + 1);
    const std::size_t close = markup.find(u"</a>");
    pieces.push_back({markup.substr(0, close), true});
    markup.remove_prefix(close == markup.npos ? markup.size() : close + 4);
  }
  return pieces;
}

POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

bool LinkLabel::Create(int id, const RECT& rect, std::u16string_view markup, const FontSpec& font,
                       int imageId) {
  font_ = font;
  imageId_ = imageId;
  return Control::Create(kClass, id, rect, markup, WS_TABSTOP);
}

bool LinkLabel::IsPressSpot(POINT at) const {
  return std::any_of(linkRects_.begin(), linkRects_.end(),
                     [at](const RECT& r) { return ::PtInRect(&r, at) != FALSE; });
}

void LinkLabel::Paint(HDC dc, const RECT& client) {
  const bool enabled = IsEnabled();
  int x = 0;
  if (Gdiplus::Bitmap* image = imageId_ ? Kit().Image(imageId_) : nullptr) {
    const int size = std::min<int>(image->GetHeight(), client.bottom);
    Gdiplus::Graphics g(dc);
    DrawImage(g, image, 0, (client.bottom - size) / 2, size, size, !enabled);
    x = size + kImageGap;
  }
  const std::uint32_t backdrop = Backdrop();
  // Links are underlined, and darken under the mouse.
  const std::uint32_t accent =
      overLink_ ? MixColorRef(OwnerColors().accent, TextColor(), 0.35f) : OwnerColors().accent;
  FontSpec underlined = font_;
  underlined.underline = true;
  linkRects_.clear();
  const std::u16string markup = Text();
  for (const Piece& piece : ParseMarkup(markup)) {
    HFONT font = Kit().Font(piece.link ? underlined : font_);
    const int width = MeasureText(dc, piece.text, font).cx;
    RECT rect{x, 0, std::min<LONG>(x + width, client.right), client.bottom};
    std::uint32_t color = piece.link ? accent : TextColor();
    if (!enabled) color = MixColorRef(color, backdrop, 0.5f);
    DrawTextIn(dc, piece.text, rect, font, color, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    if (piece.link) linkRects_.push_back(rect);
    x += width;
  }
  if (HasFocus()) {
    for (RECT rect : linkRects_) {
      ::InflateRect(&rect, 1, -2);
      ::DrawFocusRect(dc, &rect);
    }
  }
}

std::optional<LRESULT> LinkLabel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR: {
      POINT at;
      ::GetCursorPos(&at);
      ::ScreenToClient(Handle(), &at);
      if (!IsEnabled() || !IsPressSpot(at)) break;
      ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    case WM_MOUSEMOVE:
      if (const bool over = IsPressSpot(PointOf(lParam)); over != overLink_) {
        overLink_ = over;
        Invalidate();
      }
      break;
    case WM_MOUSELEAVE:
      overLink_ = false;
      break;
  }
  return PressableControl::OnMessage(message, wParam, lParam);
}

}  // namespace kva::ui
