#pragma once
// The program's notice and question window (class KVA_MSG_WND).

#include <windows.h>

#include <string_view>

#include "ui/Toolkit.h"

namespace kva::ui {

// typeBits and the result as in platform/Interaction.h: a notice answers
// msg::kOk; a question msg::kYes plus the ticked options, or msg::kNo for
// "No", Escape or a closed window.
int ShowMessageWindow(Toolkit& kit, std::u16string_view text, unsigned typeBits, HWND parent);

}  // namespace kva::ui
