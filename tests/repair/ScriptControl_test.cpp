// <Sleep> and <Beep>, run through the dispatcher's entry.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "RepairFixture.h"
#include "repair/ScriptCommand.h"

namespace kva::test {
namespace {

using Lines = std::vector<std::u16string>;

int RunTag(RepairContext& context, std::u16string_view command) {
  return ExecuteScriptCommand(context, command, command.find(u'>') + 1);
}

TEST_F(RepairTest, SleepWithoutAPositiveCountDoesNothingButCountsAsExecuted) {
  for (const auto command : {u"<Sleep> 0", u"<Sleep> -3", u"<Sleep> soon", u"<Sleep>",
                             u"<Beep> 0", u"<Beep> loud", u"<Beep>"}) {
    SCOPED_TRACE(Utf16ToUtf8(command));
    progress.statuses.clear();
    EXPECT_EQ(RunTag(context, command), 1);
    EXPECT_EQ(ActionStatuses(), Lines{});
    EXPECT_EQ(progress.lines, Lines{});
    EXPECT_EQ(sound.played, Lines{});
    EXPECT_EQ(clock.monotonic, 0u);
  }
}

TEST_F(RepairTest, SleepWaitsTheSecondsOfTheRestOfTheLinePollingEveryFiveMilliseconds) {
  struct Case {
    const char* name;
    std::u16string_view command;
    std::uint64_t wantMilliseconds;
    std::u16string_view wantLine;
  };
  const Case cases[] = {
      {"plain", u"<Sleep> 3", 3000, u"Script successfully paused for 3 secconds."},
      {"no blank after the tag", u"<SLEEP>1", 1000, u"Script successfully paused for 1 secconds."},
      {"the tag repeated", u"<Sleep><sleep> 2", 2000,
       u"Script successfully paused for 2 secconds."},
      {"a word after the number", u"<Sleep> 2 seconds", 2000,
       u"Script successfully paused for 2 secconds."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clock.monotonic = 0;
    clock.sleepCounts.clear();
    progress.lines.clear();
    EXPECT_EQ(RunTag(context, c.command), 1);
    EXPECT_EQ(clock.monotonic, c.wantMilliseconds);
    const std::map<unsigned, int> wantSleeps{{5u, static_cast<int>(c.wantMilliseconds / 5)}};
    EXPECT_EQ(clock.sleepCounts, wantSleeps);
    EXPECT_EQ(progress.lines, Lines{std::u16string(c.wantLine)});
  }
}

TEST_F(RepairTest, ACancelEndsTheSleepWithoutAResultLine) {
  run.cancelAtPoll = 100;
  EXPECT_EQ(RunTag(context, u"<Sleep> 10"), 1);
  EXPECT_EQ(ActionStatuses(), Lines{u"Pausing the script for 10 secconds..."});
  EXPECT_LT(clock.monotonic, 10000u);
  EXPECT_EQ(progress.lines, Lines{});
  EXPECT_EQ(context.resultLines, Lines{});
}

TEST_F(RepairTest, BeepPlaysTheWindowsSoundOrTheBeeperWithPausesBetween) {
  const std::u16string tada(kTada), beep = u"beep 1000 Hz 500 ms";
  struct Case {
    const char* name;
    std::u16string_view command;
    Lines wantPlayed;
    std::u16string_view wantStatus, wantLine;
  };
  const Case cases[] = {
      {"positive", u"<Beep> 3", {tada, tada, tada}, u"Beeping 3 times...",
       u"Successfully beeped 3 times."},
      {"once", u"<Beep> 1", {tada}, u"Beeping 1 times...", u"Successfully beeped 1 time."},
      {"negative", u"<beep> -2", {beep, beep}, u"Beeping 2 times...",
       u"Successfully beeped 2 times."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clock.monotonic = 0;
    sound.played.clear();
    progress.statuses.clear();
    progress.lines.clear();
    EXPECT_EQ(RunTag(context, c.command), 1);
    EXPECT_EQ(sound.played, c.wantPlayed);
    EXPECT_EQ(clock.monotonic, 50 * (c.wantPlayed.size() - 1)) << "pauses between sounds";
    EXPECT_EQ(ActionStatuses(), Lines{std::u16string(c.wantStatus)});
    EXPECT_EQ(progress.lines, Lines{std::u16string(c.wantLine)});
  }
}

TEST_F(RepairTest, ACancelOrAFailedSoundEndsTheBeepingWithoutClaimingSuccess) {
  struct Case {
    const char* name;
    std::u16string_view command;
    int cancelAtPoll, failFrom;
    std::size_t wantPlayed;
    Lines wantLines;
  };
  const Case cases[] = {
      {"cancel before the first sound", u"<Beep> 3", 1, -1, 0, {}},
      {"cancel in the pause after the first", u"<Beep> 3", 5, -1, 1, {}},
      {"cancel before the last beep", u"<Beep> -3", 23, -1, 2, {}},
      {"the wave file fails", u"<Beep> 3", -1, 2, 2,
       {u"Failed to play the sound C:\\Windows\\media\\tada.wav."}},
      {"the beeper fails", u"<Beep> -3", -1, 1, 1, {u"Failed to sound the system beeper."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    run.polls = 0;
    run.state = cancel::kNone;
    run.cancelAtPoll = c.cancelAtPoll;
    sound.played.clear();
    sound.failFrom = c.failFrom;
    progress.lines.clear();
    EXPECT_EQ(RunTag(context, c.command), 1);
    EXPECT_EQ(sound.played.size(), c.wantPlayed);
    EXPECT_EQ(progress.lines, c.wantLines);
  }
}

}  // namespace
}  // namespace kva::test
