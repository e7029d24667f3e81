#include "app/ToolListLayout.h"

#include <gtest/gtest.h>

#include "catalog/ToolListModel.h"

namespace kva {
namespace {

// Group 3 with five entries (indices 0-4), group 4 empty, group 5
// collapsed with two (5, 6), group 6 with one (7). 580 pixels give two
// columns of 280 after the 6-pixel margin.
class ToolListLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddGroup(3, 5, false);
    AddGroup(4, 0, false);
    AddGroup(5, 2, true);
    AddGroup(6, 1, false);
    layout.Build(list, 580, {});
  }
  void AddGroup(int number, int entries, bool collapsed) {
    list.AddGroup({number, u"Group " + std::u16string(1, char16_t(u'0' + number)), 0, true,
                   collapsed});
    for (int i = 0; i < entries; ++i) {
      ListEntry entry;
      entry.name = u"Tool number " + std::u16string(1, char16_t(u'a' + i));
      entry.group = number;
      list.Append(entry);
    }
  }

  ToolListModel list;
  ToolListLayout layout;
};

TEST_F(ToolListLayoutTest, GroupsWithEntriesGetAHeaderAndTheirTilesInRows) {
  EXPECT_EQ(layout.Columns(), 2);
  ASSERT_EQ(layout.Blocks().size(), 3u) << "the empty group shows nothing";
  EXPECT_EQ(layout.Blocks()[0].header, (LayoutBox{0, 0, 580, 30}));
  // Three rows of group 3, then a margin; group 5 shows its header only.
  EXPECT_EQ(layout.Blocks()[1].header, (LayoutBox{0, 174, 580, 204}));
  EXPECT_TRUE(layout.Blocks()[1].collapsed);
  EXPECT_EQ(layout.Blocks()[2].header, (LayoutBox{0, 210, 580, 240}));
  EXPECT_EQ(layout.TotalHeight(), 292);

  EXPECT_EQ(layout.TileBox(3), (LayoutBox{286, 76, 566, 122}));
  EXPECT_EQ(layout.TileBox(7), (LayoutBox{6, 240, 286, 286}));
  EXPECT_FALSE(layout.TileBox(5)) << "collapsed";
  EXPECT_FALSE(layout.TileBox(8)) << "past the end";
  EXPECT_EQ(layout.CheckBoxIn(*layout.TileBox(0)), (LayoutBox{12, 46, 26, 60}));
}

TEST_F(ToolListLayoutTest, AGroupThatCannotCollapseShowsItsTilesWhateverItsState) {
  list.AddGroup({9, u"Old Windows", 0, false, true});
  ListEntry entry;
  entry.name = u"Tool on Windows XP";
  entry.group = 9;
  list.Append(entry);
  layout.Build(list, 580, {});
  EXPECT_TRUE(layout.TileBox(8));
}

TEST_F(ToolListLayoutTest, AnyWidthHoldsOneColumn) {
  layout.Build(list, 100, {});
  EXPECT_EQ(layout.Columns(), 1);
  EXPECT_EQ(layout.TileBox(1), (LayoutBox{6, 76, 286, 122}));
}

TEST_F(ToolListLayoutTest, HitTestFindsHeadersCheckBoxesAndTiles) {
  struct Case {
    const char* name;
    int x, y;
    ListHit want;
  };
  const Case cases[] = {
      {"group header", 100, 10, {ListPart::Header, std::nullopt, 3}},
      {"collapsed group's header", 100, 180, {ListPart::Header, std::nullopt, 5}},
      {"check box", 15, 50, {ListPart::CheckBox, 0, std::nullopt}},
      {"just beside the check box", 28, 62, {ListPart::CheckBox, 0, std::nullopt}},
      {"tile text", 100, 50, {ListPart::Tile, 0, std::nullopt}},
      {"second column", 400, 80, {ListPart::Tile, 3, std::nullopt}},
      {"empty cell of a short row", 300, 130, {}},
      {"left margin", 3, 50, {}},
      {"gap between groups", 100, 170, {}},
      {"tile after a collapsed group", 100, 250, {ListPart::Tile, 7, std::nullopt}},
      {"below the list", 100, 300, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(layout.HitTest(c.x, c.y), c.want);
  }
}

TEST_F(ToolListLayoutTest, KeysMoveThroughTheShownTiles) {
  struct Case {
    const char* name;
    std::optional<std::size_t> from;
    ListStep step;
    std::optional<std::size_t> want;
  };
  // The page holds two rows.
  const Case cases[] = {
      {"nothing focused yet", std::nullopt, ListStep::Down, 0},
      {"right", 0, ListStep::Right, 1},
      {"right wraps to the next row", 1, ListStep::Right, 2},
      {"left", 1, ListStep::Left, 0},
      {"left wraps to the previous row", 2, ListStep::Left, 1},
      {"left at the very start stays", 0, ListStep::Left, 0},
      {"down keeps the column", 1, ListStep::Down, 3},
      {"down into a shorter row", 3, ListStep::Down, 4},
      {"down skips a collapsed group", 4, ListStep::Down, 7},
      {"down at the end stays", 7, ListStep::Down, 7},
      {"up skips a collapsed group", 7, ListStep::Up, 4},
      {"up keeps the column", 3, ListStep::Up, 1},
      {"page down", 0, ListStep::PageDown, 4},
      {"page up", 7, ListStep::PageUp, 2},
      {"home", 7, ListStep::Home, 0},
      {"end", 0, ListStep::End, 7},
      {"from a collapsed group to the next shown tile", 5, ListStep::Right, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(layout.Step(c.from, c.step, 100), c.want);
  }
}

TEST_F(ToolListLayoutTest, NothingShownGivesNoFocus) {
  list.SetCollapsed(3, true);
  list.SetCollapsed(6, true);
  layout.Build(list, 580, {});
  EXPECT_EQ(layout.Step(std::nullopt, ListStep::Down, 100), std::nullopt);
  EXPECT_EQ(layout.HitTest(100, 50), (ListHit{ListPart::Header, std::nullopt, 5}));
  EXPECT_EQ(layout.HitTest(100, 200), ListHit{});
}

}  // namespace
}  // namespace kva
