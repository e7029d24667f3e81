#include "repair/RepairStages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/Text.h"
#include "repair/TagNames.h"

namespace kva {
namespace {

bool InStage(std::size_t stage, std::u16string_view tag) {
  const auto same = [&](std::u16string_view known) { return EqualsNoCase(known, tag); };
  switch (stage) {
    case 0: return std::ranges::any_of(kFirstStageTags, same);
    case 1: return std::ranges::any_of(kSecondStageTags, same);
    case 2:
      return std::ranges::any_of(kTweakTags, [&](const TweakTags& t) {
        return same(t.apply) || same(t.undo);
      });
  }
  return false;
}

// A routine listed under a misspelled tag, or in the wrong stage, would
// leave its tag answered as not executed.
TEST(RepairStages, EveryRoutineRunsATagOfItsStageAndNoTagHasTwo) {
  const auto stages = DispatchStages();
  ASSERT_EQ(stages.size(), 3u);
  std::set<std::u16string> seen;
  for (std::size_t stage = 0; stage < stages.size(); ++stage) {
    for (const RoutineTable family : stages[stage]) {
      for (const TagRoutine& entry : family()) {
        SCOPED_TRACE(Utf16ToUtf8(entry.tag));
        EXPECT_TRUE(InStage(stage, entry.tag)) << "stage " << stage + 1;
        EXPECT_NE(entry.run, nullptr);
        EXPECT_TRUE(seen.insert(FoldCase(entry.tag)).second) << "listed twice";
      }
    }
  }
}

}  // namespace
}  // namespace kva
