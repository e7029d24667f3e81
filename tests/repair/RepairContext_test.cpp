#include "repair/RepairContext.h"

#include <string>
#include <vector>

#include "RepairFixture.h"

namespace kva::test {
namespace {

using Lines = std::vector<std::u16string>;

TEST_F(RepairTest, AStatusLeavesThePercentageAsItIs) {
  progress.SetStatus(u"Working...", 40);
  SetRepairStatus(context, u"Resetting the DNS cache...");
  EXPECT_EQ(progress.statuses.back(), u"Resetting the DNS cache...");
  EXPECT_EQ(progress.image, 40);
}

TEST_F(RepairTest, AResultLineJoinsItsPiecesAndAnEmptyOneIsNotReported) {
  EXPECT_TRUE(ReportRepairResult(context, u"Successfully ", u"cleared ", u"3", u" logs."));
  EXPECT_FALSE(ReportRepairResult(context, u"", u"", u"", u""));
  EXPECT_TRUE(ReportRepairResult(context, u"Failed to reset the DNS cache."));
  const Lines want{u"Successfully cleared 3 logs.", u"Failed to reset the DNS cache."};
  EXPECT_EQ(progress.lines, want);
  EXPECT_EQ(context.resultLines, want);
}

TEST_F(RepairTest, WithoutADialogOnlyTheResultLineIsKept) {
  context.progress = nullptr;
  SetRepairStatus(context, u"Resetting the DNS cache...");
  EXPECT_TRUE(ReportRepairResult(context, u"Successfully reset the DNS cache."));
  EXPECT_EQ(context.resultLines, Lines{u"Successfully reset the DNS cache."});
  EXPECT_EQ(progress.statuses, Lines{});
}

}  // namespace
}  // namespace kva::test
