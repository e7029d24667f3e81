#include "ui/Toolkit.h"

#include <cwchar>

#include "ui/Images.h"

namespace kva::ui {

FontSpec Points(int points, int weight) {
  // The toolkit lays windows out in pixels at 96 dots per inch.
  return {::MulDiv(points, 96, 72), weight};
}

Toolkit::Toolkit(HINSTANCE instance, Theme theme) : instance_(instance), theme_(theme) {}

bool Toolkit::RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT classStyle) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (::GetClassInfoExW(instance_, name, &wc)) return true;
  wc.style = classStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance_;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) != 0;
}

HFONT Toolkit::Font(const FontSpec& spec) {
  auto& font = fonts_[spec];
  if (!font.IsValid()) {
    LOGFONTW logFont{};
    logFont.lfHeight = -spec.height;
    logFont.lfWeight = spec.weight;
    logFont.lfUnderline = spec.underline;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    std::wcsncpy(logFont.lfFaceName, spec.face, LF_FACESIZE - 1);
    font.Reset(::CreateFontIndirectW(&logFont));
  }
  return font.Get();
}

Gdiplus::Bitmap* Toolkit::Image(int id) {
  auto found = images_.find(id);
  if (found == images_.end()) found = images_.emplace(id, LoadImageResource(instance_, id)).first;
  return found->second.get();
}

std::optional<int> Toolkit::TakeCommand(HWND window) {
  if (!window || last_.window != window) return std::nullopt;
  last_.window = nullptr;
  return last_.command;
}

}  // namespace kva::ui
