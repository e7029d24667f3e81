#pragma once
// The description tooltip of the highlighted entry: a balloon when the
// user has Explorer's balloon tips on, otherwise the program's own tip
// window (200 to 400 pixels wide). It never takes the focus from the list.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "ui/Toolkit.h"
#include "ui/UniqueWindow.h"

namespace kva::win32 {

class OwnTipWindow;

class DescriptionTipWindow {
 public:
  DescriptionTipWindow(ui::Toolkit& kit, HWND owner, bool balloon);
  ~DescriptionTipWindow();
  DescriptionTipWindow(const DescriptionTipWindow&) = delete;
  DescriptionTipWindow& operator=(const DescriptionTipWindow&) = delete;

  // at: the screen point the tip points to (balloon) or starts at.
  void Show(std::u16string_view text, POINT at);
  void Hide();
  [[nodiscard]] bool IsShown() const { return shown_; }
  [[nodiscard]] const std::u16string& Text() const { return text_; }

 private:
  void ShowBalloon(POINT at);

  ui::Toolkit& kit_;
  HWND owner_;
  bool balloon_;
  ui::UniqueWindow tooltip_;  // the balloon
  std::unique_ptr<OwnTipWindow> own_;
  std::u16string text_;
  bool shown_ = false;
};

}  // namespace kva::win32
