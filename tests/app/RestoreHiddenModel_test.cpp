#include "app/RestoreHiddenModel.h"

#include <gtest/gtest.h>

#include "catalog/ToolListFixture.h"

namespace kva {
namespace {

using namespace kva::apptest;

class RestoreHiddenModelTest : public ToolListFixture {
 protected:
  void SetUp() override {
    ToolListFixture::SetUp();
    // Hidden, but in no order list: it cannot come back.
    Import(uR"([HKLM\kva_settings\4\Stray Hidden Tool]
"Hidden"=dword:00000001
)");
    const std::size_t hide[] = {IndexOf(u"7-Zip Portable"), IndexOf(u"WinZIP Installer"),
                                IndexOf(u"Repair Delta")};
    ASSERT_EQ(state.Hide(hide), 3u);
  }
  std::vector<std::u16string> RowNames(const RestoreHiddenModel& window) {
    std::vector<std::u16string> names;
    for (const auto& row : window.Rows()) names.push_back(row.tool.name);
    return names;
  }
  std::vector<std::u16string> Shown(int group) {
    std::vector<std::u16string> names;
    for (const auto& entry : list.EntriesOf(group)) names.push_back(entry.name);
    return names;
  }
};

TEST_F(RestoreHiddenModelTest, TickedRowsComeBackAtTheEndOfTheirGroups) {
  RestoreHiddenModel window(state);
  EXPECT_EQ(RowNames(window), Names({u"Stray Hidden Tool", u"7-Zip Portable",
                                     u"WinZIP Installer", u"Repair Delta"}));
  EXPECT_FALSE(window.RestoreEnabled());
  window.SetTicked(1, true);
  EXPECT_TRUE(window.RestoreEnabled());

  EXPECT_EQ(window.RestoreTicked(), 1u);
  EXPECT_EQ(Shown(5), Names({u"Short Uninstall", u"7-Zip Portable"}));
  EXPECT_EQ(RowNames(window), Names({u"Stray Hidden Tool", u"WinZIP Installer", u"Repair Delta"}));
  EXPECT_TRUE(window.AnyHiddenLeft());

  window.SetAllTicked(true);
  EXPECT_EQ(window.RestoreTicked(), 2u);
  EXPECT_EQ(Shown(6), Names({u"Repair Echo", u"Repair Delta"}));
  EXPECT_EQ(RowNames(window), Names({u"Stray Hidden Tool"})) << "a failed restore keeps its row";
  window.SetAllTicked(false);
  EXPECT_FALSE(window.RestoreEnabled());
}

}  // namespace
}  // namespace kva
