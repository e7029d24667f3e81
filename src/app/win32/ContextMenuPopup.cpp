#include "app/win32/ContextMenuPopup.h"

#include <string>

#include "platform/win32/WideText.h"
#include "ui/ImageIds.h"
#include "ui/Images.h"

namespace kva::win32 {
namespace {

// The entry's picture (IMAGE resource id).
int MenuImageOf(MainCommand command) {
  using C = MainCommand;
  namespace image = ui::image;
  switch (command) {
    case C::RunHighlighted: return image::kMenuRunHighlighted;
    case C::AddFavourite: return image::kMenuAddFavourite;
    case C::RemoveFavourite: return image::kMenuRemoveFavourite;
    case C::CheckAll: return image::kMenuCheckAll;
    case C::CheckNone: return image::kMenuCheckNone;
    case C::CheckGroupAll: return image::kMenuCheckGroup;
    case C::CheckGroupNone: return image::kMenuUncheckGroup;
    case C::CheckPortable: return image::kMenuCheckPortable;
    case C::CheckInstalling: return image::kMenuCheckInstalling;
    case C::CheckInstalled: return image::kMenuCheckInstalled;
    case C::LoadSaveSelection: return image::kMenuSelections;
    case C::MoveUp: return image::kMenuMoveUp;
    case C::MoveDown: return image::kMenuMoveDown;
    case C::ExportQzxsr: return image::kMenuExport;
    case C::CreateSimilarTool: return image::kMenuCreateSimilar;
    case C::EditTool: return image::kMenuEdit;
    case C::DeleteTool: return image::kMenuDelete;
    case C::OpenLocation: return image::kMenuOpenLocation;
    case C::GoToWebsite: return image::kMenuWebsite;
    case C::CollapseAll: return image::kMenuCollapseAll;
    case C::ExpandAll: return image::kMenuExpandAll;
    case C::SortAll: return image::kMenuSortAll;
    default: return 0;
  }
}

}  // namespace

ContextMenuPopup::ContextMenuPopup(ui::Toolkit& kit, std::span<const MenuEntry> entries)
    : menu_(::CreatePopupMenu()) {
  if (!menu_.IsValid()) return;
  const int size = ::GetSystemMetrics(SM_CXMENUCHECK);
  for (const auto& entry : entries) {
    if (!entry.command) {
      ::AppendMenuW(menu_.Get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring text = Wide(entry.text);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
    item.wID = static_cast<UINT>(*entry.command);
    item.dwTypeData = text.data();
    item.fState = entry.enabled ? MFS_ENABLED : MFS_DISABLED;
    if (Gdiplus::Bitmap* image = kit.Image(MenuImageOf(*entry.command))) {
      pictures_.push_back(ui::MakeDib(*image, size, size));
      item.fMask |= MIIM_BITMAP;
      item.hbmpItem = pictures_.back().Get();
    }
    ::InsertMenuItemW(menu_.Get(), ::GetMenuItemCount(menu_.Get()), TRUE, &item);
  }
  if (!entries.empty() && entries.front().command) {
    ::SetMenuDefaultItem(menu_.Get(), static_cast<UINT>(*entries.front().command), FALSE);
  }
}

std::optional<MainCommand> ContextMenuPopup::Track(HWND owner, POINT at) const {
  if (!menu_.IsValid()) return std::nullopt;
  // The owner must be in front, or the menu does not close when the user
  // clicks elsewhere.
  ::SetForegroundWindow(owner);
  const UINT picked = static_cast<UINT>(::TrackPopupMenuEx(
      menu_.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y,
      owner, nullptr));
  ::PostMessageW(owner, WM_NULL, 0, 0);
  if (picked == 0) return std::nullopt;
  return static_cast<MainCommand>(picked);
}

}  // namespace kva::win32
