#pragma once
// IMAGE resource ids of the artwork (tools/gen_artwork.py draws them). The
// catalogue's own ids (tool icons, group images, logo) are in
// ResourceIds.h; these are the pictures of the program's buttons, links
// and menus. Ids above 760 lie outside the tool icons' range.

namespace kva::ui::image {

// Side-panel buttons, 24 x 24.
inline constexpr int kUpdateSelected = 132;
inline constexpr int kRunSelected = 133;
inline constexpr int kUpdateAndRun = 134;
inline constexpr int kHideSelected = 150;
inline constexpr int kRestoreHidden = 151;
inline constexpr int kAddTools = 152;
inline constexpr int kUninstallSelected = 171;

// Side-panel links, 24 x 24.
inline constexpr int kSettingsLink = 770;
inline constexpr int kAboutLink = 771;
inline constexpr int kHelpLink = 772;

// Buttons of the message windows, 24 x 24.
inline constexpr int kConfirm = 775;  // "OK, I got it", "Yes, I do", "OK"
inline constexpr int kDecline = 776;  // "No, I don't", "Cancel", "Close"

// Header of the main window, 16 x 16.
inline constexpr int kFind = 778;
inline constexpr int kMenu = 779;

// Context-menu entries of the tool list, 16 x 16, in menu order.
inline constexpr int kMenuRunHighlighted = 780;
inline constexpr int kMenuAddFavourite = 781;
inline constexpr int kMenuRemoveFavourite = 782;
inline constexpr int kMenuCheckAll = 783;
inline constexpr int kMenuCheckNone = 784;
inline constexpr int kMenuCheckGroup = 785;
inline constexpr int kMenuUncheckGroup = 786;
inline constexpr int kMenuCheckPortable = 787;
inline constexpr int kMenuCheckInstalling = 788;
inline constexpr int kMenuCheckInstalled = 789;
inline constexpr int kMenuSelections = 790;
inline constexpr int kMenuMoveUp = 791;
inline constexpr int kMenuMoveDown = 792;
inline constexpr int kMenuExport = 793;
inline constexpr int kMenuCreateSimilar = 794;
inline constexpr int kMenuEdit = 795;
inline constexpr int kMenuDelete = 796;
inline constexpr int kMenuOpenLocation = 797;
inline constexpr int kMenuWebsite = 798;
inline constexpr int kMenuCollapseAll = 799;
inline constexpr int kMenuExpandAll = 800;
inline constexpr int kMenuSortAll = 801;

}  // namespace kva::ui::image
