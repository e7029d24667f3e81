#include "catalog/ToolListModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kva {
namespace {

ListEntry Entry(std::u16string_view name, int group) {
  ListEntry entry;
  entry.name = std::u16string(name);
  entry.group = group;
  entry.recordGroup = group;
  return entry;
}

class ToolListModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model.AddGroup({1, u"Favourites"});
    model.AddGroup({5, u"Group five"});
    model.AddGroup({1001, u"Repairs"});
    model.Append(Entry(u"Five One", 5));
    model.Append(Entry(u"Repair One", 1001));
    model.Append(Entry(u"Five Two", 5));
    model.Append(Entry(u"Favourite One", 1));
  }
  std::vector<std::u16string> All() {
    std::vector<std::u16string> names;
    for (const auto& entry : model.Entries()) names.push_back(entry.name);
    return names;
  }

  ToolListModel model;
};

TEST_F(ToolListModelTest, EntriesAreKeptByGroupInListOrder) {
  EXPECT_EQ(All(), (std::vector<std::u16string>{u"Favourite One", u"Five One", u"Five Two",
                                                u"Repair One"}));
  EXPECT_EQ(model.GroupStart(5), 1u);
  EXPECT_EQ(model.GroupStart(1001), 3u);
  EXPECT_EQ(model.IndexOf(5, 1), 2u);
  EXPECT_FALSE(model.IndexOf(5, 2));
  EXPECT_EQ(model.PositionOf(2), 1u);
  EXPECT_EQ(model.Find(u"five two", 5), 2u);
  EXPECT_FALSE(model.Find(u"Five Two", 1));
  EXPECT_FALSE(model.AddGroup({5, u"Again"}));
  EXPECT_FALSE(model.Append(Entry(u"Nowhere Tool", 9)));
}

TEST_F(ToolListModelTest, InsertAndMoveClipPositionsToTheGroup) {
  EXPECT_EQ(model.Insert(Entry(u"Five Zero", 5), 0), 1u);
  EXPECT_EQ(model.Insert(Entry(u"Five Last", 5), 99), 4u);
  const auto moved = model.Move(*model.Find(u"Five One", 5), 1, 0);
  EXPECT_EQ(moved, 0u);
  EXPECT_EQ(model.Entry(0).group, 1);
  EXPECT_EQ(All(), (std::vector<std::u16string>{u"Five One", u"Favourite One", u"Five Zero",
                                                u"Five Two", u"Five Last", u"Repair One"}));
  EXPECT_EQ(model.EntriesOf(5).size(), 3u);
  EXPECT_FALSE(model.Move(0, 9, 0));
}

TEST_F(ToolListModelTest, RemoveSwapAndTick) {
  EXPECT_FALSE(model.Swap(0, 1)) << "different groups";
  EXPECT_TRUE(model.Swap(1, 2));
  EXPECT_EQ(model.Entry(1).name, u"Five Two");
  EXPECT_TRUE(model.SetTicked(3, true));
  EXPECT_EQ(model.TickedCount(), 1u);
  EXPECT_TRUE(model.Remove(1));
  EXPECT_FALSE(model.Remove(9));
  EXPECT_EQ(model.EntriesOf(5).size(), 1u);
  EXPECT_EQ(model.GroupStart(1001), 2u);
}

}  // namespace
}  // namespace kva
