#pragma once
// The main window's decisions. The Win32 window draws the tool list and
// routes every button, link, menu entry, accelerator, tick and finder key
// here; the returned CommandOutcome says what to redraw, select, show or
// open. Confirmations and notices go through Interaction.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Accelerators.h"
#include "app/BulkTicks.h"
#include "app/ContextMenu.h"
#include "app/Finder.h"
#include "app/MainCommand.h"
#include "app/TickCounter.h"

namespace kva {

class Interaction;
class Registry;
class ToolListModel;
class ToolState;

namespace main_text {
// Commands whose features this version does not have yet say so.
inline constexpr std::u16string_view kNotAvailable =
    u"This feature is not available in this version yet.";
inline constexpr std::u16string_view kConfirmHide =
    u"Are  you sure you want to hide the selected apps?";
inline constexpr std::u16string_view kConfirmDelete = u"Are  you sure you want to delete this tool?";
inline constexpr std::u16string_view kDeleteFailed =
    u"Sorry, an error occurred while trying to delete your tool.\r\n\r\n"
    u"Please report this error back to us.";
inline constexpr std::u16string_view kConfirmSort =
    u"Are you sure you want to reorder all items alphbetically?\r\n\r\n"
    u"The application will restart to load the new settings.";
// Not sorted completely: the program keeps running on the list it shows.
inline constexpr std::u16string_view kSortFailed =
    u"Sorry, an error occurred while trying to sort the list; some groups keep their order.\r\n\r\n"
    u"Please report this error back to us.";
// The ticks are shown but will not come back at the next start.
inline constexpr std::u16string_view kTickNotSaved =
    u"Sorry, some ticks could not be saved; they will not be restored at the next start.";
}  // namespace main_text

struct MainWindowSettings {
  std::uint32_t optionsFlag = 0;
  bool collapsibleGroups = true;  // Windows 6.0 and later
};

// What the window knows when it routes a command.
struct CommandContext {
  std::optional<std::size_t> highlighted;  // the list's highlighted entry
  FinderText finder;
};

class MainWindowModel {
 public:
  // state works on list; both outlive the model.
  MainWindowModel(Registry& registry, ToolListModel& list, ToolState& state,
                  Interaction& interaction, MainWindowSettings settings);

  void SetOptionsFlag(std::uint32_t optionsFlag) { settings_.optionsFlag = optionsFlag; }

  CommandOutcome Execute(MainCommand command, const CommandContext& context);
  // Enter in the finder.
  CommandOutcome FinderEnter(FinderText finder);
  // The user ticked or unticked one entry's check box.
  CommandOutcome TickChanged(std::size_t index, bool ticked);
  // After every tick change, bulk command and the selection window.
  CounterRefresh RefreshCounter();

  [[nodiscard]] std::vector<MenuEntry> ContextMenu(std::optional<std::size_t> highlighted) const;
  [[nodiscard]] std::span<const Accelerator> Accelerators() const;
  // Empty: show no tooltip for the newly highlighted entry.
  [[nodiscard]] std::u16string DescriptionTipFor(std::size_t index) const;
  // The list was filled again (catalogue reload).
  void ListReloaded() { finder_.Forget(); }

  // While such a command runs, the finder, the side panel and the list are
  // disabled (except "Online help") and put back afterwards.
  static bool LocksWindow(MainCommand command);

 private:
  static CommandOutcome Operation(OperationRequest request);
  CommandOutcome NotAvailable();
  CommandOutcome HideTicked();
  CommandOutcome MoveFavourite(std::size_t index, bool add);
  CommandOutcome MoveWithinGroup(std::size_t index, bool up);
  CommandOutcome DeleteOwnTool(std::size_t index);
  CommandOutcome SetAllCollapsed(bool collapsed);
  CommandOutcome SortAll();
  CommandOutcome Ticks(BulkTick command, std::optional<std::size_t> highlighted);
  bool Confirmed(std::u16string_view question);

  Registry& registry_;
  ToolListModel& list_;
  ToolState& state_;
  Interaction& interaction_;
  MainWindowSettings settings_;
  Finder finder_;
  TickCounter counter_;
};

}  // namespace kva
