#pragma once
// Pictures of windows under test, saved as PNG into the build tree's
// screenshots folder for people to look at.

#include <windows.h>

#include <string_view>

namespace kva::ui::test {

// Copies what the window shows, children included (Wine's PrintWindow
// leaves them out). True when the file was written.
bool SaveScreenshot(HWND window, std::wstring_view name);

}  // namespace kva::ui::test
