#pragma once
// The main window's commands and what handling one asks of the window.
// Buttons, links, menu entries and accelerators all end in a MainCommand;
// its value is the Win32 command id the window uses for it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kva {

enum class MainCommand : std::uint16_t {
  // Side panel buttons and links.
  UpdateSelected = 40001,
  RunSelected,
  UpdateAndRunSelected,
  HideSelected,
  RestoreHidden,
  AddTools,
  UninstallSelected,
  Settings,
  About,
  OnlineHelp,
  ClearTicks,    // the counter's "Clear" link
  BrowseTicked,
  // Context menu entries.
  RunHighlighted,  // also a double-click on an entry
  AddFavourite,
  RemoveFavourite,
  CheckAll,
  CheckNone,
  CheckGroupAll,
  CheckGroupNone,
  CheckPortable,
  CheckInstalling,
  CheckInstalled,
  LoadSaveSelection,
  MoveUp,
  MoveDown,
  ExportQzxsr,
  CreateSimilarTool,
  EditTool,
  DeleteTool,
  OpenLocation,
  GoToWebsite,
  CollapseAll,
  ExpandAll,
  SortAll,
  // Keyboard only.
  FocusFinder,
  FindNext,         // also the find button
  ShowContextMenu,  // also the menu button and a right-click on the list
};

enum class TipPlace { Finder, BrowseLink };

struct Tip {
  std::u16string text;
  TipPlace place = TipPlace::Finder;
  bool operator==(const Tip&) const = default;
};

// A window the main window opens for the command.
enum class OpenWindow {
  None,
  ContextMenu,
  // Drive a SelectionWindowModel; once it closes, redraw the list (ticks
  // and groups) and refresh the tick counter.
  Selection,
  // Lists ToolState::ListHidden; restored entries reappear in the list.
  RestoreHidden,
  About,
  // The report store's clients, PCs and reports; the settings window will
  // hold it, until then the settings command opens it.
  ReportExplorer,
};

// What the shell shows of the highlighted entry (ToolLinks.h).
enum class ToolLink { Location, Website };

struct ToolLinkRequest {
  ToolLink link = ToolLink::Location;
  std::size_t entry = 0;
  bool operator==(const ToolLinkRequest&) const = default;
};

// An operation on the tools: the runner's operation word and, for the
// highlighted tool, its entry.
struct OperationRequest {
  std::uint32_t operation = 0;
  std::optional<std::size_t> highlighted;
  bool operator==(const OperationRequest&) const = default;
};

// What the window does after a command was handled. Every command, tick
// change and menu also hides the description tooltip.
struct CommandOutcome {
  bool ticksChanged = false;   // redraw the check boxes and refresh the tick counter
  bool listChanged = false;    // entries were removed, added or moved: redraw the list
  bool groupsChanged = false;  // collapsed states changed: redraw the groups
  // The list's selection becomes exactly these entries (none: nothing is
  // highlighted any more).
  std::optional<std::vector<std::size_t>> selection;
  // Scroll this entry into view and give the list the focus.
  std::optional<std::size_t> reveal;
  std::optional<Tip> tip;
  bool focusFinder = false;
  bool enableRestoreHidden = false;
  OpenWindow open = OpenWindow::None;
  // Show the entry's location or website through the shell.
  std::optional<ToolLinkRequest> toolLink;
  // Set the restart flag and shut down with the restart code.
  bool restart = false;
  // Run it while the window's controls are locked, then redraw the list
  // (its "Updated: " lines).
  std::optional<OperationRequest> operation;
};

}  // namespace kva
