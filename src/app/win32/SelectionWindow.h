#pragma once
// The "Load / Save selection" window (class KVA_MSG_WND, 600 x 530): the
// saved selections, the name for a new one, and its five buttons, all
// decided by the SelectionWindowModel.

#include <windows.h>

namespace kva {
struct MainWindowParts;
}
namespace kva::ui {
class Toolkit;
}

namespace kva::win32 {

// Runs the window modally over parent. Without the selections folder
// (it could not be created, and the user was told) no window opens.
void RunSelectionWindow(ui::Toolkit& kit, HWND parent, MainWindowParts& parts);

}  // namespace kva::win32
