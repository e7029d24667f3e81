#include "catalog/OrderList.h"

#include <gtest/gtest.h>

#include <map>

#include "catalog/CatalogueFixture.h"
#include "catalog/ToolRecord.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kA = u"Tool A1", kB = u"Tool B2", kC = u"Tool C3", kD = u"Tool D4";

// Every value of the group key by its number, gaps and values past the end
// of the list included.
using Values = std::map<int, std::u16string>;

class OrderListTest : public CatalogueFixture {
 protected:
  void Store(const Values& values) {
    std::u16string reg = u"[HKLM\\kva_settings\\5]\n";
    for (const auto& [index, name] : values) {
      reg += u"\"" + ToDecimal(index) + u"\"=\"" + name + u"\"\n";
    }
    Import(reg);
    ASSERT_TRUE(Open(group, SettingsGroupPath(5), reg::kRead | reg::kWrite));
  }
  Values Stored() {
    Values values;
    const auto snapshot = registry.Snapshot(reg::kLocalMachine, u"kva_settings\\5");
    if (!snapshot) return values;
    for (const auto& value : snapshot->values) {
      std::u16string text;
      EXPECT_TRUE(ReadString(group, value.name, text));
      values[int(ParseLeadingInt(value.name))] = text;
    }
    return values;
  }

  RegKey group{registry};
};

Values List(std::initializer_list<std::u16string_view> names) {
  Values values;
  for (const auto name : names) values[int(values.size())] = std::u16string(name);
  return values;
}

TEST_F(OrderListTest, RemoveAtAndMoveToEndShiftTheLaterEntries) {
  enum class Op { kRemoveAt, kMoveToEnd };
  struct Case {
    const char* name;
    Values before;
    Op op;
    int index;
    bool result;
    Values want;
  };
  const Case cases[] = {
      {"remove from the middle", List({kA, kB, kC, kD}), Op::kRemoveAt, 1, true,
       List({kA, kC, kD})},
      {"remove the last entry", List({kA, kB, kC}), Op::kRemoveAt, 2, true, List({kA, kB})},
      {"close a gap the caller made", {{0, std::u16string(kA)}, {2, std::u16string(kC)}},
       Op::kRemoveAt, 1, true, List({kA, kC})},
      {"remove past the end", List({kA, kB}), Op::kRemoveAt, 5, true, List({kA, kB})},
      {"negative index", List({kA, kB}), Op::kRemoveAt, -1, false, List({kA, kB})},
      {"move the first to the end", List({kA, kB, kC}), Op::kMoveToEnd, 0, true,
       List({kB, kC, kA})},
      {"move from the middle", List({kA, kB, kC, kD}), Op::kMoveToEnd, 1, true,
       List({kA, kC, kD, kB})},
      {"the last stays", List({kA, kB, kC}), Op::kMoveToEnd, 2, true, List({kA, kB, kC})},
      {"a short name is removed instead", List({kA, u"Tiny", kC}), Op::kMoveToEnd, 1, true,
       List({kA, kC})},
      {"a short last name is removed", List({kA, u"Tiny"}), Op::kMoveToEnd, 1, true, List({kA})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClearHives();
    Store(c.before);
    const bool result =
        c.op == Op::kRemoveAt ? RemoveAt(group, c.index) : MoveToEnd(group, c.index);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(Stored(), c.want);
  }
}

TEST_F(OrderListTest, ReadingStopsAtTheFirstMissingOrEmptyValue) {
  Store({{0, std::u16string(kA)}, {1, std::u16string(kB)}, {2, u""}, {3, std::u16string(kD)}});
  EXPECT_EQ(ReadOrderList(group), Names({kA, kB}));
  EXPECT_EQ(PositionOf(group, u"tool b2"), 1);
  EXPECT_EQ(PositionOf(group, kD), -1);
}

TEST_F(OrderListTest, WritingAListDeletesTheValuesAfterIt) {
  Store(List({kA, kB, kC, kD}));
  const auto names = Names({kD, kC});
  ASSERT_TRUE(WriteOrderList(group, names));
  EXPECT_EQ(Stored(), List({kD, kC}));
}

TEST_F(OrderListTest, AFailedWriteIsReported) {
  Store(List({kA, kB, kC}));
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  EXPECT_FALSE(RemoveAt(group, 0));
  registry.FailNext(FakeRegistry::Call::kSetValue, reg::kAccessDenied);
  EXPECT_FALSE(MoveToEnd(group, 0));
}

}  // namespace
}  // namespace kva
