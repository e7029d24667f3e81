#pragma once
// The "Restore hidden tools" window (class KVA_MSG_WND, 600 x 530): the
// hidden tools in a check-box list with their group, and the buttons of
// the RestoreHiddenModel.

#include <windows.h>

namespace kva {
class ToolState;
}
namespace kva::ui {
class Toolkit;
}

namespace kva::win32 {

// Runs the window modally over parent; true while hidden tools remain.
bool RunRestoreHiddenWindow(ui::Toolkit& kit, HWND parent, ToolState& state);

}  // namespace kva::win32
