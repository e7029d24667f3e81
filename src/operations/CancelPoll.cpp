#include "operations/CancelPoll.h"

#include "operations/RunTexts.h"

namespace kva {

int DialogCancelPoll::Check(bool confirm) {
  pump_.Process();
  if (progress_.TakePress(cancel_button::kThisTool)) {
    if (!confirm || Confirmed(run_text::kAskCancelTool)) cancelTool_ = true;
  }
  if (progress_.TakePress(cancel_button::kAllTools)) {
    if (!confirm || Confirmed(run_text::kAskCancelAll)) cancelAll_ = true;
  }
  if (cancelTool_) return cancel::kThisTool;
  if (cancelAll_) return cancel::kAll;
  return cancel::kNone;
}

// The dialog steps aside for the question, so that it cannot hide it.
bool DialogCancelPoll::Confirmed(std::u16string_view question) {
  if (interactive_) progress_.Hide();
  const bool yes = interaction_.ShowMessage(question, msg::kQuestion) == msg::kYes;
  if (interactive_) progress_.Show(ProgressDialog::Form::kLarge);
  return yes;
}

}  // namespace kva
