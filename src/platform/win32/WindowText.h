#pragma once
// The text of one of this process's windows (GetWindowTextW does not read
// another process's edit controls).

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace kva::win32 {

inline std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return FromWide(text.c_str(), text.size());
}

}  // namespace kva::win32
