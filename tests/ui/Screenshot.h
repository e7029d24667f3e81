#pragma once
// Pictures of windows under test: their pixels read back, so that a test
// can check a colour where the window must show it, and saved as PNG into
// the build tree's screenshots folder for people to look at.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/UniqueWindow.h"

namespace kva::ui::test {

// What the window shows now, children included (Wine's PrintWindow leaves
// them out). The window is repainted first, on its own thread if need be.
class WindowPicture {
 public:
  explicit WindowPicture(HWND window);

  [[nodiscard]] bool IsValid() const { return !pixels_.empty(); }
  // The pixel at a point of the window (0, 0 its top-left corner);
  // CLR_INVALID outside the picture.
  [[nodiscard]] COLORREF ColourAt(POINT at) const;
  // True when the file was written.
  [[nodiscard]] bool Save(std::wstring_view name) const;

 private:
  SIZE size_{};
  UniqueBitmap bitmap_;
  std::vector<std::uint32_t> pixels_;  // top-down rows, 0x00RRGGBB
};

bool SaveScreenshot(HWND window, std::wstring_view name);

// The point of `window`'s picture that is `inChild` in a child's client area.
POINT PointIn(HWND window, HWND child, POINT inChild);

// For EXPECT_TRUE: names the colour found and the one wanted when they differ.
::testing::AssertionResult HasColourAt(const WindowPicture& picture, POINT at, COLORREF want);

}  // namespace kva::ui::test
