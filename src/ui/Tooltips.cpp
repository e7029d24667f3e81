#include "ui/Tooltips.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"

namespace kva::ui {
namespace {

constexpr int kMaxTipWidth = 520;  // multi-line tips break at their "\r\n"

TTTOOLINFOW ToolInfo(HWND owner, HWND control, wchar_t* text) {
  TTTOOLINFOW info{};
  // The size every comctl32 version accepts.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = text;
  return info;
}

}  // namespace

bool Tooltips::Create(HWND owner, HINSTANCE instance) {
  owner_ = owner;
  tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
  if (!tips_) return false;
  ::SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  return true;
}

void Tooltips::Add(HWND control, std::u16string_view text) {
  if (!tips_ || text.empty()) return;
  std::wstring wide = win32::Wide(text);
  TTTOOLINFOW info = ToolInfo(owner_, control, wide.data());
  ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

std::u16string Tooltips::TextOf(HWND control) const {
  if (!tips_) return {};
  wchar_t buffer[1024] = {};
  TTTOOLINFOW info = ToolInfo(owner_, control, buffer);
  // TTM_GETTEXTW copies at most wParam characters into lpszText.
  ::SendMessageW(tips_, TTM_GETTEXTW, std::size(buffer), reinterpret_cast<LPARAM>(&info));
  return win32::FromWide(buffer);
}

}  // namespace kva::ui
