#pragma once
// The animated image beside a progress status: a ring filled to a
// percentage with the number inside, or a spinning ring of dots while the
// work cannot be measured.

#include "ui/Control.h"

namespace kva::ui {

class BusyImage final : public Control {
 public:
  using Control::Control;
  bool Create(const RECT& rect);
  // 0 to 100, progress::kBusy or progress::kBusySlow; progress::kUnchanged
  // (and any other value) leaves the image as it is.
  void SetValue(int value);

 private:
  void Paint(HDC dc, const RECT& client) override;
  void PaintPercentage(HDC dc, const RECT& client);
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  int percent_ = 0;
  bool spinning_ = false;
  int phase_ = 0;
};

}  // namespace kva::ui
