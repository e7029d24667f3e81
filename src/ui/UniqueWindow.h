#pragma once
// Owners for the window-system handles the toolkit creates.

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace kva::ui {

struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DestroyWindow(h); }
};

// Memory device contexts from CreateCompatibleDC.
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};

using UniqueWindow = win32::UniqueHandle<WindowTraits>;
using UniqueMemoryDc = win32::UniqueHandle<MemoryDcTraits>;
using UniqueFont = win32::UniqueGdiObject<HFONT>;
using UniqueBitmap = win32::UniqueGdiObject<HBITMAP>;

}  // namespace kva::ui
