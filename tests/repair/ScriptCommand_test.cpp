#include "repair/ScriptCommand.h"

#include <string>
#include <vector>

#include "RepairFixture.h"

namespace kva::test {
namespace {

using Lines = std::vector<std::u16string>;

TEST_F(RepairTest, RunsOnlyTagsThatHaveARoutine) {
  struct Case {
    const char* name;
    std::u16string_view command;
    std::size_t tagLength;
    int want;
    Lines wantStatuses;  // all of them, "Executing ..." included
    Lines wantLines;
  };
  const Case cases[] = {
      {"tag in lower case", u"<sleep> 2", 7, 1,
       {u"Executing script command: <sleep> 2", u"Pausing the script for 2 secconds..."},
       {u"Script successfully paused for 2 secconds."}},
      {"blanks and line ends around the command", u" \t<BEEP> 1\r\n", 6, 1,
       {u"Executing script command:  \t<BEEP> 1\r\n", u"Beeping 1 times..."},
       {u"Successfully beeped 1 time."}},
      {"'>' before the sixth character", u"<Bp> 3", 4, 0,
       {u"Executing script command: <Bp> 3"}, {}},
      {"tag length past the tag", u"<Sleep> 2", 9, 0,
       {u"Executing script command: <Sleep> 2"}, {}},
      {"tag length short of the tag", u"<Sleep> 2", 6, 0,
       {u"Executing script command: <Sleep> 2"}, {}},
      {"misspelled tag", u"<Sleeep> 2", 8, 0, {u"Executing script command: <Sleeep> 2"}, {}},
      {"first-stage tag without a routine yet", u"<FlushDNS>", 10, 0,
       {u"Executing script command: <FlushDNS>"}, {}},
      {"second-stage tag without a routine yet", u"<ResetWLAN>", 11, 0,
       {u"Executing script command: <ResetWLAN>"}, {}},
      {"tweak tag without a routine yet", u"<DisableHibernation>", 20, 0,
       {u"Executing script command: <DisableHibernation>"}, {}},
      {"tag length 0", u"<Sleep> 2", 0, 0, {}, {}},
      {"not a tag", u"cmd.exe /c <Sleep> 2", 7, 0, {}, {}},
      {"only blanks", u" \r\n", 1, 0, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    progress.statuses.clear();
    progress.lines.clear();
    EXPECT_EQ(ExecuteScriptCommand(context, c.command, c.tagLength), c.want);
    EXPECT_EQ(progress.statuses, c.wantStatuses);
    EXPECT_EQ(progress.lines, c.wantLines);
  }
}

TEST_F(RepairTest, KeepsTheResultLineWithoutADialog) {
  context.progress = nullptr;
  EXPECT_EQ(ExecuteScriptCommand(context, u"<Sleep> 1", 7), 1);
  EXPECT_EQ(context.resultLines, Lines{u"Script successfully paused for 1 secconds."});
}

}  // namespace
}  // namespace kva::test
