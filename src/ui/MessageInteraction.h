#pragma once
// Notices and questions in the program's message window.

#include <windows.h>

#include "platform/Interaction.h"
#include "ui/MessageWindow.h"

namespace kva::ui {

class MessageInteraction final : public Interaction {
 public:
  explicit MessageInteraction(Toolkit& kit) : kit_(kit) {}
  // The window messages are modal over: the main window, or the progress
  // dialog while an operation runs; none before the main window exists.
  void SetParent(HWND parent) { parent_ = parent; }

  int ShowMessage(std::u16string_view text, unsigned typeBits) override {
    return ShowMessageWindow(kit_, text, typeBits, parent_);
  }

 private:
  Toolkit& kit_;
  HWND parent_ = nullptr;
};

}  // namespace kva::ui
