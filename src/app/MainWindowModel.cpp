#include "app/MainWindowModel.h"

#include "app/DescriptionTip.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolState.h"
#include "operations/OperationFlags.h"
#include "platform/Interaction.h"
#include "platform/Text.h"

namespace kva {
namespace {

std::optional<std::size_t> FindByName(const ToolListModel& list, std::u16string_view name) {
  for (std::size_t i = 0; i < list.EntryCount(); ++i) {
    if (EqualsNoCase(list.Entry(i).name, name)) return i;
  }
  return std::nullopt;
}

CommandOutcome Opening(OpenWindow window) {
  CommandOutcome outcome;
  outcome.open = window;
  return outcome;
}

CommandOutcome Linking(ToolLink link, std::size_t entry) {
  CommandOutcome outcome;
  outcome.toolLink = ToolLinkRequest{link, entry};
  return outcome;
}

// Entries were removed: indices the window still holds point elsewhere.
CommandOutcome EntriesRemoved() {
  CommandOutcome outcome;
  outcome.ticksChanged = true;
  outcome.listChanged = true;
  outcome.selection.emplace();
  return outcome;
}

}  // namespace

MainWindowModel::MainWindowModel(Registry& registry, ToolListModel& list, ToolState& state,
                                 Interaction& interaction, MainWindowSettings settings)
    : registry_(registry),
      list_(list),
      state_(state),
      interaction_(interaction),
      settings_(settings) {}

CommandOutcome MainWindowModel::Execute(MainCommand command, const CommandContext& context) {
  auto highlighted = context.highlighted;
  if (highlighted && *highlighted >= list_.EntryCount()) highlighted.reset();
  if (!IsCommandEnabled(list_, highlighted, settings_.collapsibleGroups, command)) return {};
  using C = MainCommand;
  switch (command) {
    case C::HideSelected: return HideTicked();
    case C::RestoreHidden: return Opening(OpenWindow::RestoreHidden);
    case C::About: return Opening(OpenWindow::About);
    case C::Settings: return Opening(OpenWindow::ReportExplorer);
    case C::LoadSaveSelection: return Opening(OpenWindow::Selection);
    case C::ShowContextMenu: return Opening(OpenWindow::ContextMenu);
    case C::ClearTicks:
    case C::CheckNone: return Ticks(BulkTick::None, highlighted);
    case C::CheckAll: return Ticks(BulkTick::All, highlighted);
    case C::CheckGroupAll: return Ticks(BulkTick::GroupAll, highlighted);
    case C::CheckGroupNone: return Ticks(BulkTick::GroupNone, highlighted);
    case C::CheckPortable: return Ticks(BulkTick::Portable, highlighted);
    case C::CheckInstalling: return Ticks(BulkTick::Installing, highlighted);
    case C::BrowseTicked: return kva::BrowseTicked(list_, highlighted);
    case C::AddFavourite: return MoveFavourite(*highlighted, true);
    case C::RemoveFavourite: return MoveFavourite(*highlighted, false);
    case C::MoveUp: return MoveWithinGroup(*highlighted, true);
    case C::MoveDown: return MoveWithinGroup(*highlighted, false);
    case C::DeleteTool: return DeleteOwnTool(*highlighted);
    case C::CollapseAll: return SetAllCollapsed(true);
    case C::ExpandAll: return SetAllCollapsed(false);
    case C::SortAll: return SortAll();
    case C::FindNext: return finder_.Next(list_, registry_, context.finder, settings_.optionsFlag);
    case C::FocusFinder: {
      CommandOutcome outcome;
      outcome.focusFinder = true;
      return outcome;
    }
    case C::UpdateSelected: return Operation({op::kUpdate, std::nullopt});
    case C::RunSelected: return Operation({op::kRun, std::nullopt});
    case C::UpdateAndRunSelected: return Operation({op::kUpdate | op::kRun, std::nullopt});
    case C::RunHighlighted: return Operation({op::kHighlighted, highlighted});
    case C::UninstallSelected:
    case C::AddTools:
    case C::EditTool:
    case C::CreateSimilarTool:
    case C::OnlineHelp:
    case C::ExportQzxsr:
    case C::CheckInstalled: return NotAvailable();
    case C::OpenLocation: return Linking(ToolLink::Location, *highlighted);
    case C::GoToWebsite: return Linking(ToolLink::Website, *highlighted);
  }
  return {};
}

CommandOutcome MainWindowModel::FinderEnter(FinderText finder) {
  return finder_.Enter(list_, registry_, finder, settings_.optionsFlag);
}

CommandOutcome MainWindowModel::TickChanged(std::size_t index, bool ticked) {
  if (!list_.SetTicked(index, ticked)) return {};
  // The tick stays for this session's operations either way.
  if (!state_.SaveTick(index, ticked, settings_.optionsFlag)) {
    interaction_.ShowMessage(main_text::kTickNotSaved, msg::kNotice);
  }
  CommandOutcome outcome;
  outcome.ticksChanged = true;
  return outcome;
}

CounterRefresh MainWindowModel::RefreshCounter() { return counter_.Refresh(list_.TickedCount()); }

std::vector<MenuEntry> MainWindowModel::ContextMenu(std::optional<std::size_t> highlighted) const {
  return BuildContextMenu(list_, highlighted, settings_.collapsibleGroups);
}

std::span<const Accelerator> MainWindowModel::Accelerators() const {
  return MainAccelerators(settings_.collapsibleGroups);
}

std::u16string MainWindowModel::DescriptionTipFor(std::size_t index) const {
  if (index >= list_.EntryCount()) return {};
  return DescriptionTip(registry_, list_.Entry(index), settings_.optionsFlag);
}

bool MainWindowModel::LocksWindow(MainCommand command) {
  using C = MainCommand;
  switch (command) {
    case C::UpdateSelected:
    case C::RunSelected:
    case C::UpdateAndRunSelected:
    case C::RunHighlighted:
    case C::UninstallSelected:
    case C::AddTools:
    case C::EditTool:
    case C::CreateSimilarTool:
    case C::LoadSaveSelection:
    case C::HideSelected:
    case C::RestoreHidden:
    case C::ExportQzxsr:
      return true;
    default:
      return false;
  }
}

bool MainWindowModel::Confirmed(std::u16string_view question) {
  return interaction_.ShowMessage(question, msg::kQuestion) == msg::kYes;
}

CommandOutcome MainWindowModel::Operation(OperationRequest request) {
  CommandOutcome outcome;
  outcome.operation = request;
  return outcome;
}

CommandOutcome MainWindowModel::NotAvailable() {
  interaction_.ShowMessage(main_text::kNotAvailable, msg::kNotice);
  return {};
}

CommandOutcome MainWindowModel::Ticks(BulkTick command, std::optional<std::size_t> highlighted) {
  const auto result =
      ApplyBulkTick(command, list_, state_, registry_, settings_.optionsFlag, highlighted);
  if (result.unsaved > 0) interaction_.ShowMessage(main_text::kTickNotSaved, msg::kNotice);
  CommandOutcome outcome;
  outcome.ticksChanged = result.changed > 0;
  return outcome;
}

CommandOutcome MainWindowModel::HideTicked() {
  std::vector<std::size_t> ticked;
  for (std::size_t i = 0; i < list_.EntryCount(); ++i) {
    if (list_.Entry(i).ticked) ticked.push_back(i);
  }
  if (ticked.empty() || !Confirmed(main_text::kConfirmHide)) return {};
  if (state_.Hide(ticked) == 0) return {};
  auto outcome = EntriesRemoved();
  outcome.enableRestoreHidden = true;
  return outcome;
}

// The entry changes group; the highlight goes with it.
CommandOutcome MainWindowModel::MoveFavourite(std::size_t index, bool add) {
  const std::u16string name = list_.Entry(index).name;
  if (!(add ? state_.AddFavourite(index) : state_.RemoveFavourite(index))) return {};
  CommandOutcome outcome;
  outcome.listChanged = true;
  if (const auto moved = FindByName(list_, name)) outcome.selection = std::vector{*moved};
  return outcome;
}

CommandOutcome MainWindowModel::MoveWithinGroup(std::size_t index, bool up) {
  const std::size_t other = up ? index - 1 : index + 1;
  if (!state_.Swap(index, other)) return {};
  CommandOutcome outcome;
  outcome.listChanged = true;
  outcome.selection = std::vector{other};
  outcome.reveal = other;
  return outcome;
}

CommandOutcome MainWindowModel::DeleteOwnTool(std::size_t index) {
  if (!Confirmed(main_text::kConfirmDelete)) return {};
  if (!state_.DeleteOwnTool(index)) {
    interaction_.ShowMessage(main_text::kDeleteFailed, msg::kNotice);
    return {};
  }
  return EntriesRemoved();
}

CommandOutcome MainWindowModel::SetAllCollapsed(bool collapsed) {
  for (const auto& group : list_.Groups()) list_.SetCollapsed(group.number, collapsed);
  CommandOutcome outcome;
  outcome.groupsChanged = true;
  return outcome;
}

CommandOutcome MainWindowModel::SortAll() {
  if (!Confirmed(main_text::kConfirmSort)) return {};
  // Only a complete sort is worth a restart; a failed one is said.
  if (!state_.SortAll().complete) {
    interaction_.ShowMessage(main_text::kSortFailed, msg::kNotice);
    return {};
  }
  CommandOutcome outcome;
  outcome.restart = true;
  return outcome;
}

}  // namespace kva
