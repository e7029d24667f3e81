#pragma once
// A control the user presses, as a push button is: the mouse captures it
// from press to release and it clicks only when released over its press
// spot; Space (and Return, unless the control leaves it to the window) and
// BM_CLICK click it. A click notifies the owner.

#include "ui/Control.h"

namespace kva::ui {

class PressableControl : public Control {
 public:
  using Control::Control;
  // As a mouse click; a disabled control ignores it.
  void Click();

 protected:
  [[nodiscard]] bool IsPressed() const { return pressed_; }
  // What a click does before the owner hears of it.
  virtual void OnClick() {}
  // Where a press starts and a release clicks; the whole control by default.
  [[nodiscard]] virtual bool IsPressSpot(POINT at) const;
  [[nodiscard]] virtual bool ClicksOnReturn() const { return true; }
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool pressed_ = false;
};

}  // namespace kva::ui
