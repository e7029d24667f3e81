#pragma once
// The progress dialog (class _WND_PROGRESS_DLG_): small form 450 x 90 with
// the animated image and the status; large form 730 x 400 with the log
// (" Date & time" | " Operation result") above them and the buttons below.

#include <array>
#include <memory>
#include <string>

#include "platform/ProgressDialog.h"
#include "ui/Window.h"

namespace kva::ui {

class BusyImage;
class Label;
struct HeaderLook;

class ProgressWindow final : public Window, public ProgressDialog {
 public:
  // parent: the window the dialog is modal over while shown.
  ProgressWindow(Toolkit& kit, HWND parent);
  ~ProgressWindow() override;

  void Show(Form form) override;
  void Hide() override;
  void Close() override;
  void SetStatus(std::u16string_view text, int imageValue = progress::kUnchanged) override;
  void AddLine(std::u16string_view text) override;
  [[nodiscard]] std::u16string LastLine() const override { return lastLine_; }
  void AddButton(int index, std::u16string_view text) override;
  void SetButtonText(int index, std::u16string_view text) override;
  void EnableButton(int index, bool enabled) override;
  bool TakePress(int index) override;

  // A quiet run shows the dialog without taking the focus from whatever
  // the technician is doing.
  void SetActivation(bool activate) { activate_ = activate; }

  // The log control, for tests that read what it shows.
  [[nodiscard]] HWND LogHandle() const { return log_; }

 private:
  void Build() override;
  void OnControlClicked(int id) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Arrange(Form form);
  void ReleaseOwner();
  [[nodiscard]] Button* ButtonAt(int index) const;

  Form form_ = Form::kSmall;
  HWND log_ = nullptr;                      // a child: goes with the window
  std::unique_ptr<HeaderLook> headerLook_;  // what the log's header is painted with
  BusyImage* image_ = nullptr;
  Label* status_ = nullptr;
  std::array<Button*, kButtonCount> buttons_{};
  std::array<bool, kButtonCount> pressed_{};
  std::u16string lastLine_;
  bool disabledOwner_ = false;
  bool activate_ = true;
};

}  // namespace kva::ui
