#include "operations/ToolCommands.h"

#include "ToolCommandsFixture.h"
#include "operations/OperationFlags.h"

namespace kva::test {
namespace {

using Lines = std::vector<std::u16string>;

TEST_F(ToolCommandsTest, CommandsRunInOrderEachWaitedForWithoutPrivileges) {
  tool.commands = {u"%ToolsDir%\\x.exe /a", u"x", u"C:\\Windows\\System32\\cmd.exe /c b",
                   u"C:\\missing.exe"};
  tool.flags = {0, 0, flagN::kRunHidden, 0};
  roundsPerProcess = 2;
  const auto result = Run();
  EXPECT_EQ(result.executed, 2);  // "x" is absent; the missing program did not start
  EXPECT_EQ(StartedLines(), (Lines{u"\"C:\\Kit\\Kelvara tools\\x.exe\" /a",
                                   u"C:\\Windows\\System32\\cmd.exe /c b", u"C:\\missing.exe"}));
  EXPECT_EQ(processes.started[0].show, show::kShow);
  EXPECT_EQ(processes.started[1].show, show::kHidden);
  // Each started program ran to its end before the next one started.
  for (const FakeProcess& process : processes.table) EXPECT_FALSE(process.alive);
  EXPECT_EQ(events, (Lines{u"restore", u"start \"C:\\Kit\\Kelvara tools\\x.exe\" /a", u"enable",
                           u"restore", u"start C:\\Windows\\System32\\cmd.exe /c b", u"enable",
                           u"restore", u"enable"}));  // the missing one
  EXPECT_EQ(progress.statuses[0], u"Processing tool: App\r\n\r\nRunning command 1...");
  EXPECT_EQ(progress.statuses[1], u"Processing tool: App\r\n\r\nRunning command 3...");
}

TEST_F(ToolCommandsTest, TheInstallerIsDroppedWhenTheProgramsItInstallsExist) {
  struct Case {
    const char* name;
    std::array<std::u16string, 4> commands;
    std::uint32_t flag1;
    bool installerRuns;
  };
  const Case cases[] = {
      {"all exist", {u"setup.exe /S", u"\"C:\\Program Files\\App\\app.exe\" /x", u"%ComSpec% /c"},
       flag1::kOnlyIfProgramsMissing, false},
      {"one missing", {u"setup.exe /S", u"C:\\Program Files\\App\\app.exe", u"C:\\No\\no.exe"},
       flag1::kOnlyIfProgramsMissing, true},
      {"nothing after the installer", {u"setup.exe /S", u"", u"ab"},
       flag1::kOnlyIfProgramsMissing, true},
      {"rule off", {u"setup.exe /S", u"C:\\Program Files\\App\\app.exe"}, 0, true},
  };
  for (const Case& c : cases) {
    processes.started.clear();
    tool.commands = c.commands;
    tool.flags = {c.flag1, 0, 0, 0};
    Run();
    const bool ran = !processes.started.empty() &&
                     processes.started[0].commandLine.starts_with(u"setup.exe");
    EXPECT_EQ(ran, c.installerRuns) << c.name;
  }
}

TEST_F(ToolCommandsTest, CommandsForTheOtherBitnessAreSkipped) {
  struct Case {
    bool is64Bit;
    std::array<std::uint32_t, 4> flags;
    Lines started;
  };
  const Case cases[] = {
      {true, {flag1::kOnly32Bit, flagN::kOnly64Bit, flagN::kOnly32Bit, 0}, {u"b", u"d"}},
      {false, {flag1::kOnly32Bit, flagN::kOnly64Bit, flagN::kOnly32Bit, 0}, {u"a", u"c", u"d"}},
      {false, {flag1::kOnly64Bit, 0, 0, 0}, {u"b", u"c", u"d"}},
  };
  for (const Case& c : cases) {
    processes.started.clear();
    services.is64BitWindows = c.is64Bit;
    tool.commands = {u"a a", u"b b", u"c c", u"d d"};
    tool.flags = c.flags;
    Run();
    Lines firstWords;
    for (const auto& line : StartedLines()) firstWords.push_back(line.substr(0, 1));
    EXPECT_EQ(firstWords, c.started);
  }
}

TEST_F(ToolCommandsTest, TagsGoToTheBuiltInActions) {
  tool.commands = {u"<CleanTemp>", u"<Abc> x", u"<Defrag> C:"};
  tags.result = 0;
  EXPECT_EQ(Run().executed, 1);  // a tag that did not run is not counted; "<Abc>" is no tag
  EXPECT_EQ(tags.dispatched, (Lines{u"<CleanTemp>", u"<Defrag> C:"}));
  EXPECT_EQ(tags.positions, (std::vector<std::size_t>{11, 8}));
  EXPECT_EQ(StartedLines(), (Lines{u"<Abc> x"}));
}

TEST_F(ToolCommandsTest, PseudoCommandsReportTheirResultsAndAreNotCounted) {
  files.WriteText(u"C:\\Kit\\Kelvara tools\\App\\old1.tmp", "x");
  files.WriteText(u"C:\\Kit\\Kelvara tools\\App\\old2.tmp", "x");
  tool.commands = {u"->unzip( %ToolsDir%\\App\\a.zip, %ToolsDir%\\App\\A)",
                   u"->Delete( %ToolsDir%\\App\\*.tmp , 2)",
                   u"->Delete(\"C:\\Kit\\Kelvara tools\\x.exe\", 0)", u"->RunSkip(C:\\x.exe)"};
  extractor.succeeds = false;
  EXPECT_EQ(Run().executed, 0);
  EXPECT_EQ(extractor.calls,
            (Lines{u"C:\\Kit\\Kelvara tools\\App\\a.zip > C:\\Kit\\Kelvara tools\\App\\A []"}));
  EXPECT_EQ(progress.lines,
            (Lines{u"Warning: failed to extract C:\\Kit\\Kelvara tools\\App\\a.zip!",
                   u"Successfully deleted C:\\Kit\\Kelvara tools\\App\\*.tmp.",
                   u"Warning: failed to delete \"C:\\Kit\\Kelvara tools\\x.exe\"!"}));
  EXPECT_FALSE(Exists(files, u"C:\\Kit\\Kelvara tools\\App\\old1.tmp"));
  EXPECT_TRUE(Exists(files, u"C:\\Kit\\Kelvara tools\\App\\setup.exe"));
  EXPECT_TRUE(Exists(files, u"C:\\Kit\\Kelvara tools\\x.exe"));
  EXPECT_EQ(progress.statuses[0],
            u"Processing tool: App\r\n\r\nExtracting %ToolsDir%\\App\\a.zip...");
  // ->RunSkip does nothing unless the application is up to date.
  EXPECT_TRUE(processes.started.empty());
}

TEST_F(ToolCommandsTest, AnUpToDateApplicationSkipsItsInstallerAndReopensItsWindow) {
  tool.currentVersionCheck = u"HKLM\\SOFTWARE\\App|Version";
  tool.newestVersionCheck = u"https://example.org/app|v(\\d+)";
  tool.commands = {u"%ToolsDir%\\App\\setup.exe /S", u"->RunSkip(C:\\Program Files\\App\\app.exe)",
                   u"C:\\Windows\\System32\\cmd.exe /c done"};
  auto result = Run(op::kRun | op::kSkipUpToDate);
  EXPECT_TRUE(result.installSkipped);
  EXPECT_EQ(versions.asked, (Lines{u"HKLM\\SOFTWARE\\App|Version | https://example.org/app|v(\\d+)"}));
  EXPECT_EQ(StartedLines(), (Lines{u"\"C:\\Program Files\\App\\app.exe\"",
                                   u"C:\\Windows\\System32\\cmd.exe /c done"}));

  // The application already runs with a window: it comes back instead.
  processes.started.clear();
  const ProcessId app = processes.Add(
      {.imagePath = u"C:\\Program Files\\App\\app.exe", .roundsLeft = -1});
  desktop.windows = {{77, app, true, false}};
  result = Run(op::kRun | op::kSkipUpToDate);
  EXPECT_EQ(desktop.restored, (std::vector<WindowId>{77}));
  EXPECT_EQ(StartedLines(), (Lines{u"C:\\Windows\\System32\\cmd.exe /c done"}));

  // Without the option, or when not up to date, everything runs.
  versions.upToDate = false;
  processes.started.clear();
  EXPECT_FALSE(Run(op::kRun | op::kSkipUpToDate).installSkipped);
  EXPECT_EQ(processes.started.size(), 2u);
}

TEST_F(ToolCommandsTest, TheVersionCheckNeedsBothSources) {
  struct Case {
    const char* name;
    std::u16string current, uninstall, newest;
    bool asked;
  };
  const Case cases[] = {
      {"no newest", u"HKLM\\A|V", u"", u"", false},
      {"uninstall key stands in", u"", u"Unikey:{App}", u"url|re", true},
      {"other uninstall command", u"", u"C:\\app\\uninst.exe", u"url|re", false},
  };
  for (const Case& c : cases) {
    versions.asked.clear();
    tool.currentVersionCheck = c.current;
    tool.uninstallCmd = c.uninstall;
    tool.newestVersionCheck = c.newest;
    Run(op::kRun | op::kSkipUpToDate);
    EXPECT_EQ(!versions.asked.empty(), c.asked) << c.name;
  }
}

TEST_F(ToolCommandsTest, AutomationReplacesTheWaitWhenTheToolHasAScript) {
  tool.commands = {u"C:\\Windows\\System32\\cmd.exe /c 1", u"C:\\Windows\\System32\\cmd.exe /c 2"};
  tool.scripts = {u"Click OK\r\n", u"abcdef"};  // six characters count as none
  roundsPerProcess = -1;
  processes.onStart = [&](const StartRecord& start) {
    // The first runs until the script ends it; the second ends when waited for.
    const int rounds = start.commandLine.ends_with(u"1") ? -1 : 1;
    return FakeProcess{.imagePath = u"C:\\Windows\\System32\\cmd.exe", .roundsLeft = rounds};
  };
  EXPECT_EQ(Run(op::kRun | op::kAutomate).executed, 2);
  EXPECT_EQ(scripts.ran, (Lines{u"Click OK\r\n"}));
  EXPECT_EQ(scripts.processes.size(), 1u);
  EXPECT_EQ(processes.waits, 1);  // only command 2 was waited for
  // Without the option no script runs.
  scripts.ran.clear();
  processes.End(scripts.processes[0]);
  tool.scripts = {u"Click OK\r\n", u""};
  processes.onStart = nullptr;
  Run(op::kRun);
  EXPECT_TRUE(scripts.ran.empty());
}

TEST_F(ToolCommandsTest, ATreeWaitOutlastsTheParent) {
  tool.commands = {u"C:\\Kit\\Kelvara tools\\App\\setup.exe", u"C:\\Kit\\Kelvara tools\\x.exe"};
  tool.flags = {flag1::kWaitForChildren, 0, 0, 0};
  processes.onStart = [&](const StartRecord& start) {
    // The setup ends at once and leaves its real installer running.
    return FakeProcess{.imagePath = ProgramOf(start),
                       .roundsLeft = 1,
                       .startsWhenEnding = {{.imagePath = u"C:\\Temp\\inst.exe", .roundsLeft = 4}}};
  };
  Run();
  ASSERT_EQ(processes.started.size(), 2u);
  // The second command started only after the first one's installer ended.
  const FakeProcess& installer = processes.table[1];
  EXPECT_EQ(installer.imagePath, u"C:\\Temp\\inst.exe");
  EXPECT_FALSE(installer.alive);
  EXPECT_EQ(processes.table[2].imagePath, u"C:\\Kit\\Kelvara tools\\x.exe");
  EXPECT_EQ(processes.waits, 10);  // 1 + 4 rounds for each command
}

TEST_F(ToolCommandsTest, AnImagePathWaitFollowsARestartedInstaller) {
  tool.commands = {u"C:\\Kit\\Kelvara tools\\x.exe"};
  tool.flags = {flag1::kMonitorByPath, 0, 0, 0};
  processes.onStart = [&](const StartRecord&) {
    // The first copy restarts itself once, as some installers do.
    return FakeProcess{.imagePath = u"C:\\Kit\\Kelvara tools\\x.exe",
                       .roundsLeft = 2,
                       .startsWhenEnding = {{.imagePath = u"C:\\KIT\\Kelvara tools\\X.EXE",
                                             .roundsLeft = 3}}};
  };
  Run();
  ASSERT_EQ(processes.table.size(), 2u);
  EXPECT_FALSE(processes.table[1].alive);  // the wait lasted until the copy ended
  EXPECT_GE(processes.waits, 5);
}

TEST_F(ToolCommandsTest, AnUnreadableImagePathFallsBackToTheProcessIdForTheRestOfTheTool) {
  tool.commands = {u"C:\\Kit\\Kelvara tools\\x.exe", u"C:\\Windows\\System32\\cmd.exe"};
  tool.flags = {flag1::kMonitorByPath, 0, 0, 0};
  int started = 0;
  processes.onStart = [&](const StartRecord& start) {
    // The first ends before its path is read (the fake reads no path of a
    // process without one); a second one with the same image keeps running.
    if (started++ == 0) {
      processes.Add({.imagePath = u"C:\\Kit\\Kelvara tools\\x.exe", .roundsLeft = -1});
      return FakeProcess{.imagePath = u"", .roundsLeft = 1};
    }
    return FakeProcess{.imagePath = ProgramOf(start), .roundsLeft = 2};
  };
  Run();
  EXPECT_EQ(processes.started.size(), 2u);  // neither waited for the stranger
  EXPECT_EQ(processes.waits, 3);
}

TEST_F(ToolCommandsTest, CancellingAWaitLeavesTheProcessAndStopsTheTool) {
  tool.commands = {u"C:\\Kit\\Kelvara tools\\x.exe", u"C:\\Windows\\System32\\cmd.exe"};
  roundsPerProcess = -1;
  run.cancelAtPoll = 3;
  Run();
  EXPECT_EQ(processes.started.size(), 1u);
  EXPECT_TRUE(processes.table[0].alive);
  EXPECT_EQ(processes.waits, 2);
}

}  // namespace
}  // namespace kva::test
