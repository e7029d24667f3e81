#pragma once
// "New PC detected" (class KVA_REPORT_WND): which client a PC without one
// belongs to, or that it gets no reports.

#include <windows.h>

#include <optional>

#include "reporting/NewPcForm.h"
#include "ui/Toolkit.h"

namespace kva::ui {

// The answer; empty for Cancel, Escape or a closed window.
std::optional<NewPcAnswer> ShowNewPcWindow(Toolkit& kit, HWND parent, const NewPcQuestion& question);

}  // namespace kva::ui
