#pragma once
// The loading window (class KVA_DLG_WND, 600 x 350) shown while the
// loader threads work. They report through LoadingView from their own
// thread: each call is posted to the window, so a loader never waits for
// the interface.

#include <atomic>

#include "platform/LoadingView.h"
#include "ui/Window.h"

namespace kva::ui {

class Label;
class ProgressBar;

class LoadingWindow final : public Window, public LoadingView {
 public:
  LoadingWindow(Toolkit& kit, HWND parent);
  // Loaders must have finished: what they posted last is dropped here.
  ~LoadingWindow() override;

  void SetStatus(std::u16string_view text) override;
  void SetProgress(int percent) override;

  // The user closed the window (the program is to end); reading clears it.
  bool TakeCloseRequest() { return kit_.TakeCommand(Handle()) == kClosed; }

  [[nodiscard]] const Label& Status() const { return *status_; }
  [[nodiscard]] const ProgressBar& Bar() const { return *bar_; }

 private:
  void Build() override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::atomic<HWND> target_ = nullptr;  // what the loaders post to
  Label* status_ = nullptr;
  ProgressBar* bar_ = nullptr;
};

}  // namespace kva::ui
