#pragma once
// The report explorer (class KVA_REPORTS_WND): the store's clients, PCs
// and reports in a tree, an item's details beside it, find, open and
// delete. Its decisions are in reporting/ReportExplorer.h.

#include <windows.h>

#include <string_view>

#include "ui/Toolkit.h"

namespace kva {
class Explorer;
class FileSystem;
}  // namespace kva

namespace kva::ui {

void ShowReportExplorerWindow(Toolkit& kit, HWND parent, FileSystem& files, Explorer& explorer,
                              std::u16string_view storeFolder);

}  // namespace kva::ui
