#include "repair/RepairDispatcher.h"

#include "RepairFixture.h"

namespace kva::test {
namespace {

TEST_F(RepairTest, AToolsResultIsTheLastLineItsOwnActionsReported) {
  RepairDispatcher tags(context);
  tags.BeginTool();
  EXPECT_EQ(tags.ToolResult(), u"");
  EXPECT_EQ(tags.Dispatch(u"<Sleep> 1", 7), 1);
  EXPECT_EQ(tags.Dispatch(u"<Beep> -2", 6), 1);
  EXPECT_EQ(tags.ToolResult(), u"Successfully beeped 2 times.");

  // A line another part of the program logs is no action's result.
  progress.AddLine(u"Run tool: Beeper | Success: ran 2 commands.");
  EXPECT_EQ(tags.ToolResult(), u"Successfully beeped 2 times.");

  tags.BeginTool();
  EXPECT_EQ(tags.Dispatch(u"<Sleep> 0", 7), 1);
  EXPECT_EQ(tags.Dispatch(u"<FlushDNS>", 10), 0);
  EXPECT_EQ(tags.ToolResult(), u"") << "the previous tool's line is not this tool's result";
}

}  // namespace
}  // namespace kva::test
