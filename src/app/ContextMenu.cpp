#include "app/ContextMenu.h"

#include "catalog/Groups.h"
#include "catalog/ToolListModel.h"

namespace kva {
namespace {

struct MenuItem {
  std::optional<MainCommand> command;
  std::u16string_view text;
};

constexpr MenuItem kSeparator{};

constexpr MenuItem kItems[] = {
    {MainCommand::RunHighlighted, u"Run highlighted tool\tCtrl+Enter"},
    kSeparator,
    {MainCommand::AddFavourite, u"Add to favorite tools\tAlt+T"},
    {MainCommand::RemoveFavourite, u"Remove from favorite tools\tAlt+R"},
    kSeparator,
    {MainCommand::CheckAll, u"Check all\tCtrl+A"},
    {MainCommand::CheckNone, u"Check none\tCtrl+N"},
    {MainCommand::CheckGroupAll, u"Check all in this group\tAlt+A"},
    {MainCommand::CheckGroupNone, u"Check none in this group\tAlt+N"},
    {MainCommand::CheckPortable, u"Check all portable tools\tCtrl+P"},
    {MainCommand::CheckInstalling, u"Check all installing tools\tAlt+P"},
    {MainCommand::CheckInstalled, u"Check all installed apps\tCtrl+I"},
    {MainCommand::LoadSaveSelection, u"Load / Save selection\tCtrl+S"},
    kSeparator,
    {MainCommand::MoveUp, u"Move up\tCtrl+U"},
    {MainCommand::MoveDown, u"Move down\tCtrl+D"},
    kSeparator,
    {MainCommand::ExportQzxsr, u"Export to QZXSR file\tAlt+U"},
    {MainCommand::CreateSimilarTool, u"Create similar tool\tAlt+S"},
    {MainCommand::EditTool, u"Edit this tool\tCtrl+E"},
    {MainCommand::DeleteTool, u"Delete this tool\tAlt+D"},
    kSeparator,
    {MainCommand::OpenLocation, u"Open this tool's location\tCtrl+O"},
    {MainCommand::GoToWebsite, u"Go to this tool's website\tCtrl+W"},
    kSeparator,
    {MainCommand::CollapseAll, u"Collapse all groups\tAlt+C"},
    {MainCommand::ExpandAll, u"Expand all groups\tAlt+E"},
    {MainCommand::SortAll, u"Sort all alphabetically\tShift+A"},
};

bool NeedsHighlight(MainCommand command) {
  switch (command) {
    case MainCommand::RunHighlighted:
    case MainCommand::AddFavourite:
    case MainCommand::RemoveFavourite:
    case MainCommand::CheckGroupAll:
    case MainCommand::CheckGroupNone:
    case MainCommand::MoveUp:
    case MainCommand::MoveDown:
    case MainCommand::ExportQzxsr:
    case MainCommand::CreateSimilarTool:
    case MainCommand::EditTool:
    case MainCommand::DeleteTool:
    case MainCommand::OpenLocation:
    case MainCommand::GoToWebsite:
      return true;
    default:
      return false;
  }
}

bool SameGroup(const ToolListModel& list, std::size_t a, std::size_t b) {
  return a < list.EntryCount() && b < list.EntryCount() &&
         list.Entry(a).group == list.Entry(b).group;
}

bool EnabledFor(const ToolListModel& list, std::size_t index, MainCommand command) {
  const auto& entry = list.Entry(index);
  switch (command) {
    case MainCommand::AddFavourite:
      return entry.group != kFavourites;
    case MainCommand::RemoveFavourite:
      return entry.group == kFavourites;
    case MainCommand::EditTool:
    case MainCommand::DeleteTool:
      return entry.recordGroup == kOwnTools;
    case MainCommand::MoveUp:
      return index > 0 && SameGroup(list, index - 1, index);
    case MainCommand::MoveDown:
      return SameGroup(list, index + 1, index);
    default:
      return true;
  }
}

}  // namespace

bool IsCommandEnabled(const ToolListModel& list, std::optional<std::size_t> highlighted,
                      bool collapsibleGroups, MainCommand command) {
  if (command == MainCommand::CollapseAll || command == MainCommand::ExpandAll) {
    return collapsibleGroups;
  }
  if (!NeedsHighlight(command)) return true;
  if (!highlighted || *highlighted >= list.EntryCount()) return false;
  return EnabledFor(list, *highlighted, command);
}

std::vector<MenuEntry> BuildContextMenu(const ToolListModel& list,
                                        std::optional<std::size_t> highlighted,
                                        bool collapsibleGroups) {
  std::vector<MenuEntry> menu;
  for (const auto& item : kItems) {
    const bool groupEntry =
        item.command == MainCommand::CollapseAll || item.command == MainCommand::ExpandAll;
    if (groupEntry && !collapsibleGroups) continue;
    const bool enabled =
        item.command && IsCommandEnabled(list, highlighted, collapsibleGroups, *item.command);
    menu.push_back({item.command, item.text, enabled});
  }
  return menu;
}

}  // namespace kva
