#include "catalog/ListTextCompare.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kva {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareListTexts, NumbersByValueFirstThenTextsWithoutCase) {
  struct Case {
    std::u16string_view a, b;
    int want;
  };
  const Case cases[] = {
      {u"9", u"10", -1},
      {u"10", u"9", 1},
      {u"-2", u"1", -1},
      {u"2.5", u"10", -1},
      {u" 7 ", u"7", -1},  // equal values fall back to the text
      {u"1.0", u"1", 1},
      {u"10", u"abc", -1},
      {u"1a", u"2", 1},
      {u"Tool alpha", u"TOOL ALPHA", 0},
      {u"Tool Alpha", u"tool bravo", -1},
      {u"Tool 10", u"Tool 9", -1},  // only whole texts are numbers
      {u"", u"a", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.a) + " vs " + Utf16ToUtf8(c.b));
    EXPECT_EQ(Sign(CompareListTexts(c.a, c.b)), c.want);
  }
}

// Mixed lists must sort without contradictions (std::sort needs a strict
// weak order): "2" < "10" < "1a" < "2" would be one.
TEST(CompareListTexts, SortsMixedTextsConsistently) {
  std::vector<std::u16string> texts = {u"1a", u"10", u"2", u"b", u"-1", u"A", u"2.0", u"10b"};
  std::sort(texts.begin(), texts.end(), ListTextLess());
  const std::vector<std::u16string> want = {u"-1", u"2", u"2.0", u"10", u"10b", u"1a", u"A", u"b"};
  EXPECT_EQ(texts, want);
}

}  // namespace
}  // namespace kva
