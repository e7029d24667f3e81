#pragma once
// The theme chooser shown at the first start (class KVA_THEME_SELECT_WND).

#include <windows.h>

#include <optional>

#include "settings/Theme.h"
#include "ui/Toolkit.h"

namespace kva::ui {

// The theme clicked; empty when the window was closed without a choice.
std::optional<ThemeId> ShowThemeSelectWindow(Toolkit& kit, HWND parent);

}  // namespace kva::ui
