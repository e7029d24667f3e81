#pragma once
// The tool list's context menu as a Win32 popup menu: the model's entries
// in order with their enabling, each with its picture at the system's
// menu-check size, the first entry as the default.

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "app/ContextMenu.h"
#include "ui/Toolkit.h"
#include "ui/UniqueWindow.h"

namespace kva::win32 {

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DestroyMenu(h); }
};

class ContextMenuPopup {
 public:
  ContextMenuPopup(ui::Toolkit& kit, std::span<const MenuEntry> entries);

  // Shows the menu at a screen point until it closes; the command picked,
  // or none.
  std::optional<MainCommand> Track(HWND owner, POINT at) const;

 private:
  UniqueHandle<MenuTraits> menu_;
  std::vector<ui::UniqueBitmap> pictures_;  // shown by the menu while it lives
};

}  // namespace kva::win32
