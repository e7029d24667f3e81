#pragma once
// The small generic message box (class _WINDOW_MsgBoxClass) and the
// borderless tip window (class _WndMsgTipClass).

#include <windows.h>

#include <optional>
#include <string_view>

#include "ui/Toolkit.h"

namespace kva::ui {

enum class MessageBoxKind {
  kOk = 0,           // "OK"
  kOkCancel = 1,     // "OK", "Cancel"
  kYesNo = 2,        // "Yes", "No"
  kYesNoCancel = 3,  // "Yes", "No", "Cancel"
  kTip = 4,          // the tip window "Information", at position
};

// The button pressed, 1 to 3 from the left; Escape and closing the box
// count as the last button (a tip answers 1). size: a width below 160
// becomes 360, a height of 0 fits the text. position: the top-left corner
// (required for a tip); the box is centred on parent without one.
int ShowMessageBox(Toolkit& kit, HWND parent, std::u16string_view text, MessageBoxKind kind,
                   SIZE size = {}, std::optional<POINT> position = std::nullopt);

}  // namespace kva::ui
