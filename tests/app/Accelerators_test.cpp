#include "app/Accelerators.h"

#include <gtest/gtest.h>

#include "app/ContextMenu.h"
#include "catalog/ToolListModel.h"
#include "platform/Text.h"

namespace kva {
namespace {

struct Keys {
  std::uint16_t key = 0;
  std::uint8_t flags = 0;
};

// A menu's shortcut text such as "Ctrl+Enter" or "Shift+A".
Keys ParseShortcut(std::u16string_view text) {
  Keys keys;
  const std::pair<std::u16string_view, std::uint8_t> modifiers[] = {
      {u"Ctrl+", accel::kControl}, {u"Alt+", accel::kAlt}, {u"Shift+", accel::kShift}};
  for (const auto& [prefix, flag] : modifiers) {
    if (text.starts_with(prefix)) {
      keys.flags |= flag;
      text.remove_prefix(prefix.size());
    }
  }
  keys.key = text == u"Enter" ? 0x0D : std::uint16_t(text.front());
  return keys;
}

TEST(AcceleratorsTest, TheTableHasTheGroupKeysOnlyWhereGroupsCollapse) {
  EXPECT_EQ(MainAccelerators(true).size(), 30u);
  EXPECT_EQ(MainAccelerators(false).size(), 28u);
  struct Case {
    const char* name;
    Keys keys;
    bool collapsible;
    std::optional<MainCommand> want;
  };
  const Case cases[] = {
      {"F5", {0x74, 0}, false, MainCommand::RunSelected},
      {"F6", {0x75, 0}, false, MainCommand::UpdateAndRunSelected},
      {"F3", {0x72, 0}, false, MainCommand::FindNext},
      {"F1", {0x70, 0}, false, MainCommand::OnlineHelp},
      {"Ctrl+F", {'F', accel::kControl}, false, MainCommand::FocusFinder},
      {"the Menu key", {0x5D, 0}, false, MainCommand::ShowContextMenu},
      {"Alt+S opens the settings, not the editor", {'S', accel::kAlt}, true,
       MainCommand::Settings},
      {"Ctrl+B", {'B', accel::kControl}, false, MainCommand::BrowseTicked},
      {"Alt+C from Windows 6.0 on", {'C', accel::kAlt}, true, MainCommand::CollapseAll},
      {"Alt+E before Windows 6.0", {'E', accel::kAlt}, false, std::nullopt},
      {"F5 with Ctrl", {0x74, accel::kControl}, true, std::nullopt},
      {"A without a modifier", {'A', 0}, true, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindAccelerator(MainAccelerators(c.collapsible), c.keys.key, c.keys.flags), c.want);
  }
}

TEST(AcceleratorsTest, EveryShortcutShownInTheMenuReachesItsEntry) {
  const ToolListModel empty;
  const auto table = MainAccelerators(true);
  for (const auto& entry : BuildContextMenu(empty, std::nullopt, true)) {
    const auto tab = entry.text.find(u'\t');
    if (!entry.command || tab == std::u16string_view::npos) continue;
    const auto shortcut = entry.text.substr(tab + 1);
    SCOPED_TRACE(Utf16ToUtf8(entry.text));
    const auto keys = ParseShortcut(shortcut);
    // Alt+S is taken by the settings first; the editor's copy mode is
    // reached through the menu.
    const auto want = *entry.command == MainCommand::CreateSimilarTool ? MainCommand::Settings
                                                                        : *entry.command;
    EXPECT_EQ(FindAccelerator(table, keys.key, keys.flags), want);
  }
}

}  // namespace
}  // namespace kva
