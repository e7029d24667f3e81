#pragma once
// A flat progress bar in the accent colour: a percentage, or a block that
// runs to and fro while the work cannot be measured.

#include "ui/Control.h"

namespace kva::ui {

class ProgressBar final : public Control {
 public:
  using Control::Control;
  bool Create(const RECT& rect);
  void SetPercent(int percent);  // clamped to 0-100; stops the running block
  void SetMarquee();
  [[nodiscard]] int Percent() const { return percent_; }
  [[nodiscard]] bool IsMarquee() const { return marquee_; }

 private:
  void Paint(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  int percent_ = 0;
  bool marquee_ = false;
  int phase_ = 0;
};

}  // namespace kva::ui
