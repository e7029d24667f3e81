#pragma once
// What every window of the program shares: the module, the theme, the
// fonts and images in use, and the last command: the id of the control
// that was clicked (or kClosed) and the window it came from, which the
// modal loops read.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <map>
#include <memory>
#include <optional>
#include <tuple>

#include "settings/Theme.h"
#include "ui/UniqueWindow.h"

namespace kva::ui {

inline constexpr int kClosed = -6;  // the last command when a window was closed

// Arial unless stated otherwise; height in pixels of the character cell.
struct FontSpec {
  int height = 13;
  int weight = FW_NORMAL;
  bool underline = false;
  const wchar_t* face = L"Arial";

  auto operator<=>(const FontSpec&) const = default;
};

FontSpec Points(int points, int weight = FW_NORMAL);

// Not thread-safe: windows of other threads (the splash) keep their own.
class Toolkit {
 public:
  // GDI+ must be running for as long as the toolkit lives.
  Toolkit(HINSTANCE instance, Theme theme);
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  [[nodiscard]] HINSTANCE Instance() const { return instance_; }
  [[nodiscard]] const Theme& CurrentTheme() const { return theme_; }
  void SetTheme(const Theme& theme) { theme_ = theme; }

  // Once per class name; true when the class exists.
  bool RegisterWindowClass(const wchar_t* name, WNDPROC proc, UINT classStyle = CS_DBLCLKS);
  HFONT Font(const FontSpec& spec);
  // The IMAGE resource, loaded once; nullptr when the program has none.
  Gdiplus::Bitmap* Image(int id);

  void RecordCommand(HWND window, int command) { last_ = {window, command}; }
  // The last command when it came from window; it is consumed.
  std::optional<int> TakeCommand(HWND window);

 private:
  struct LastCommand {
    HWND window = nullptr;
    int command = 0;
  };

  HINSTANCE instance_;
  Theme theme_;
  LastCommand last_;
  std::map<FontSpec, UniqueFont> fonts_;
  std::map<int, std::unique_ptr<Gdiplus::Bitmap>> images_;
};

}  // namespace kva::ui
