#pragma once
// The runner's cancel poll: pumps the interface once and reads the progress
// dialog's "Cancel this tool" and "Cancel all tools" buttons, asking first
// when the run wants a confirmation.

#include "operations/CommandServices.h"
#include "platform/Interaction.h"
#include "platform/MessagePump.h"
#include "platform/ProgressDialog.h"

namespace kva {

namespace cancel_button {
inline constexpr int kThisTool = 0;
inline constexpr int kAllTools = 1;
}  // namespace cancel_button

class DialogCancelPoll final : public RunControl {
 public:
  DialogCancelPoll(ProgressDialog& progress, MessagePump& pump, Interaction& interaction,
                   bool interactive)
      : progress_(progress), pump_(pump), interaction_(interaction), interactive_(interactive) {}

  // With the confirmation the run asked for.
  int CheckCancel() override { return Check(confirm_); }
  void ResetCancel() override { cancelTool_ = cancelAll_ = false; }
  [[nodiscard]] bool IsCancelled() const override { return cancelTool_ || cancelAll_; }
  [[nodiscard]] bool AllCancelled() const { return cancelAll_; }

  // confirm: a press is only taken once the user said yes.
  int Check(bool confirm);
  void SetConfirm(bool confirm) { confirm_ = confirm; }

 private:
  bool Confirmed(std::u16string_view question);

  ProgressDialog& progress_;
  MessagePump& pump_;
  Interaction& interaction_;
  bool interactive_;
  bool confirm_ = true;
  bool cancelTool_ = false;
  bool cancelAll_ = false;
};

}  // namespace kva
