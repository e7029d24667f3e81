#include "ui/Label.h"

#include "ui/Painting.h"

namespace kva::ui {
namespace {
constexpr wchar_t kClass[] = L"KVA_LABEL";
}

bool Label::Create(const RECT& rect, std::u16string_view text, const FontSpec& font, UINT format) {
  font_ = font;
  format_ = format;
  return Control::Create(kClass, 0, rect, text);
}

void Label::Paint(HDC dc, const RECT& client) {
  DrawTextIn(dc, Text(), client, Kit().Font(font_), TextColor(), format_);
}

std::optional<LRESULT> Label::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  return std::nullopt;
}

}  // namespace kva::ui
