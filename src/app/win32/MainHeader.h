#pragma once
// The main window's top band: logo, name and description, the finder with
// its find and menu buttons, the caption buttons; and the version under
// the logo. The band drags the window, as a caption would.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/win32/FinderBox.h"
#include "settings/Theme.h"

namespace kva::ui {
class Button;
class Control;
class Toolkit;
}  // namespace kva::ui

namespace kva::win32 {

class CaptionButton;
class MainWindow;

inline constexpr int kHeaderHeight = 73;
// Below the band: the version line, above the list and the side panel.
inline constexpr int kBodyTop = kHeaderHeight + 20;

// Control ids of the caption buttons (the others are MainCommands).
inline constexpr int kMinimizeId = 101;
inline constexpr int kMaximizeId = 102;
inline constexpr int kCloseId = 103;

class MainHeader {
 public:
  void Build(MainWindow& window, std::function<void()> onFinderEnter);
  void Place(int width);
  void Paint(HDC dc, ui::Toolkit& kit, const ThemeColours& colours, const RECT& client) const;
  void SetIdentity(std::u16string appName, std::u16string appDescription);

  [[nodiscard]] FinderBox& Finder() { return finder_; }
  [[nodiscard]] const FinderBox& Finder() const { return finder_; }
  // The find and menu buttons: locked with the side panel while a command runs.
  [[nodiscard]] std::vector<ui::Control*> Buttons() const;
  [[nodiscard]] RECT MenuButtonRect() const;  // screen coordinates
  void EnableButtons(bool enabled);
  void RedrawCaption();

 private:
  FinderBox finder_;
  ui::Button* find_ = nullptr;
  ui::Button* menu_ = nullptr;
  std::vector<CaptionButton*> caption_;
  std::u16string appName_;
  std::u16string appDescription_;
};

}  // namespace kva::win32
