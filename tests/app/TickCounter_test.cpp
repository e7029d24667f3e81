#include "app/TickCounter.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva {
namespace {

TEST(TickCounterTest, TextCountsTheTicksWithTwoBlanksBeforeTheLink) {
  struct Case {
    std::size_t count;
    std::u16string_view want;
  };
  const Case cases[] = {
      {0, u"No tools ticked."},
      {1, u"One tool ticked.  <a>Clear</a>"},
      {2, u"2 tools ticked.  <a>Clear</a>"},
      {612, u"612 tools ticked.  <a>Clear</a>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(TickCounterText(c.count), c.want);
  }
}

TEST(TickCounterTest, OperationButtonsSwitchOnlyWhenTheCountCrossesZero) {
  struct Step {
    std::size_t count;
    std::optional<bool> wantButtons;
  };
  // The first refresh always sets them: nothing says how they stand.
  const Step steps[] = {{3, true}, {0, false}, {0, std::nullopt}, {1, true},
                        {2, std::nullopt}, {1, std::nullopt}, {0, false}};
  TickCounter counter;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.count);
    const auto refresh = counter.Refresh(step.count);
    EXPECT_EQ(refresh.operationButtons, step.wantButtons);
    EXPECT_EQ(refresh.browseEnabled, step.count > 0);
  }
}

}  // namespace
}  // namespace kva
