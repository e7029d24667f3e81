#include "app/Application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/AppFixture.h"
#include "app/DatabaseLoader.h"
#include "platform/RegistryAccess.h"
#include "settings/Theme.h"

namespace kva {
namespace {

using namespace kva::apptest;

std::optional<std::uint32_t> DwordIn(const std::optional<FakeKey>& tree, std::u16string_view name) {
  if (!tree) return std::nullopt;
  for (const auto& v : tree->values) {
    if (EqualsNoCase(v.name, name) && v.value.data.size() == 4) {
      std::uint32_t x;
      std::memcpy(&x, v.value.data.data(), 4);
      return x;
    }
  }
  return std::nullopt;
}

std::optional<FakeKey> KeyAt(std::optional<FakeKey> tree,
                             std::initializer_list<std::u16string_view> path) {
  for (auto name : path) {
    if (!tree) break;
    const auto& subkeys = tree->subkeys;
    const auto found = std::find_if(subkeys.begin(), subkeys.end(),
                                    [&](const FakeKey& key) { return EqualsNoCase(key.name, name); });
    tree = found == subkeys.end() ? std::nullopt : std::optional<FakeKey>(*found);
  }
  return tree;
}

bool HiveLoaded(FakeRegistry& registry, std::u16string_view name) {
  return KeyExists(registry, reg::kLocalMachine, name);
}

class ApplicationTest : public ::testing::Test, protected AppFixture {};

TEST_F(ApplicationTest, AQuietRunWithAMissingSelectionLoadsAndEndsWith2) {
  EXPECT_EQ(RunProgram({u"/Quiet", u"/Run:", u"nothing"}), exitcode::kReportedError);
  EXPECT_TRUE(interaction.messages.empty()) << "a quiet run answers its own messages";
  EXPECT_TRUE(IsFolder(files, kToolsDir));
  for (auto file : {kToolsFile, kSettingsFile}) {
    SCOPED_TRACE(Utf16ToUtf8(file));
    EXPECT_NE(files.Attributes(file) & attr::kHidden, 0u);
  }
  // Written back at exit: the options default and a key per catalogue group.
  const auto settings = registry.ReadHiveFile(kSettingsFile);
  ASSERT_TRUE(settings);
  EXPECT_EQ(DwordIn(settings, u"OptionsFlag"), 199u);
  EXPECT_GE(settings->subkeys.size(), 24u);
  EXPECT_FALSE(HiveLoaded(registry, u"kva_tools"));
  EXPECT_FALSE(HiveLoaded(registry, u"kva_settings"));
  EXPECT_TRUE(files.Find(u"C:\\Temp\\kva_*").empty());
}

TEST_F(ApplicationTest, AQuietCommandLineRunProcessesTheSelectionAndEnds) {
  // Without a main window the operation still runs, not through its button.
  struct Case {
    bool windowFails;
    std::vector<MainCommand> dispatched;
  };
  const Case cases[] = {{false, {MainCommand::RunSelected}}, {true, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.windowFails ? "no window" : "window");
    AppFixture app;
    app.shell.windowFails = c.windowFails;
    app.files.WriteText(std::u16string(kToolsDir) + u"\\Saved Selections\\Weekly.kvasel",
                        "[5]\r\nUnchecky=1\r\n");
    app.shell.duringEventLoop = [] { ADD_FAILURE() << "the program waits after its operation"; };
    EXPECT_EQ(app.RunProgram({u"/Quiet", u"/Run:", u"Weekly"}), exitcode::kNormal);
    EXPECT_EQ(app.shell.dispatched, c.dispatched);
    ASSERT_EQ(app.shell.progress.lines.size(), 1u);
    EXPECT_TRUE(app.shell.progress.lines[0].starts_with(u"Run tool: Unchecky | "));
    EXPECT_EQ(app.session.reasons, std::vector<std::u16string>{u"Repair operation in progress"});
    EXPECT_FALSE(app.session.blocked);
    EXPECT_EQ(app.shell.broughtToFront, 0) << "a quiet run stays in the background";
  }
}

TEST_F(ApplicationTest, AnInteractiveRunShowsTheListAndEndsWhenClosed) {
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(shell.listShown, 1);
  EXPECT_TRUE(session.awake);
  EXPECT_TRUE(interaction.messages.empty());
}

TEST_F(ApplicationTest, ASecondInstanceHandsOverToTheVisibleWindow) {
  files.CreateFolders(u"C:\\Temp");
  registry.WriteHiveFile(u"C:\\Temp\\other.dat", FakeKey{u"x", {}, {}});
  ASSERT_EQ(registry.LoadHive(reg::kLocalMachine, u"kva_settings", u"C:\\Temp\\other.dat"), 0);
  desktop.mainWindow = 42;
  desktop.visible = true;
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(desktop.activated, 42u);
  EXPECT_TRUE(HiveLoaded(registry, u"kva_settings")) << "the running instance keeps its hives";
  EXPECT_FALSE(Exists(files, kSettingsFile));
}

TEST_F(ApplicationTest, HivesLeftByACrashedInstanceAreTakenOver) {
  struct Case {
    const char* name;
    std::vector<std::u16string_view> loaded;
  };
  const Case cases[] = {
      {"both loaded", {u"kva_tools", u"kva_settings"}},
      {"only the catalogue loaded", {u"kva_tools"}},
      {"only the settings loaded", {u"kva_settings"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppFixture machine;  // each case on a machine of its own
    machine.files.CreateFolders(u"C:\\Temp");
    for (auto name : c.loaded) {
      const auto file = u"C:\\Temp\\stale_" + std::u16string(name);
      machine.registry.WriteHiveFile(file, FakeKey{u"stale", {}, {}});
      ASSERT_EQ(machine.registry.LoadHive(reg::kLocalMachine, name, file), 0);
    }
    EXPECT_EQ(machine.RunProgram({}), exitcode::kNormal);
    EXPECT_EQ(machine.shell.listShown, 1) << "the list came from our own hives";
    EXPECT_FALSE(HiveLoaded(machine.registry, u"kva_tools"));
    EXPECT_FALSE(HiveLoaded(machine.registry, u"kva_settings"));
    const auto settings = machine.registry.ReadHiveFile(kSettingsFile);
    ASSERT_TRUE(settings);
    EXPECT_EQ(DwordIn(settings, u"OptionsFlag"), 199u) << "not the stale hive written back";
  }
}

TEST_F(ApplicationTest, AnOldCatalogueIsReplacedByTheBuiltInOne) {
  files.CreateFolders(kToolsDir);
  FakeKey old{u"kva_default_tools", {{u"Version", DwordValue(508)}}, {{u"3", {}, {}}}};
  registry.WriteHiveFile(kToolsFile, old);
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  const auto catalogue = registry.ReadHiveFile(kToolsFile);
  ASSERT_TRUE(catalogue);
  EXPECT_GE(DwordIn(catalogue, u"Version").value_or(0), 509u);
}

TEST_F(ApplicationTest, ADatabaseThatWillNotLoadIsReportedAndRebuiltNextTime) {
  registry.FailNext(FakeRegistry::Call::kLoadHive, 5, 1000);
  EXPECT_EQ(RunProgram({}), exitcode::kReportedError);
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_NE(interaction.messages[0].find(u"definitions database could not be loaded"),
            std::u16string::npos);
  EXPECT_EQ(clock.SleepCount(1500), 4) << "five attempts, 1.5 s apart";
  EXPECT_FALSE(Exists(files, kToolsFile));
}

TEST_F(ApplicationTest, ARestartStartsTheProgramAgainWithoutAnUpdateCheck) {
  std::unique_ptr<Application> app = std::make_unique<Application>(Ports());
  shell.duringEventLoop = [&] { app->RequestRestart(restart::kRestartProgram); };
  EXPECT_EQ(app->Run({u"/Quiet"}, u"/Quiet"), exitcode::kRestart);
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].commandLine, u"C:\\Kit\\Kelvara.exe /NoUpdate /Quiet");
}

TEST_F(ApplicationTest, TheWindowSizeIsKeptBetweenRuns) {
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  shell.resizedTo.reset();
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  ASSERT_TRUE(shell.resizedTo);
  EXPECT_EQ(shell.resizedTo->width, 800);
  EXPECT_EQ(shell.resizedTo->height, 640);
}

TEST_F(ApplicationTest, RegistersWithTheFirewallOncePerProgramPath) {
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  ASSERT_EQ(firewall.allowed.size(), 1u);
  EXPECT_EQ(firewall.allowed[0], u"C:\\Kit\\Kelvara.exe");
  environment.programPath = u"E:\\Stick\\Kelvara.exe";
  files.AddDrive(u'E');
  files.CreateFolders(u"E:\\Stick");
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(firewall.allowed.size(), 2u) << "a moved program registers again";
}

TEST_F(ApplicationTest, RemembersOnlyAFirewallRegistrationThatTook) {
  firewall.succeeds = false;
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  firewall.succeeds = true;
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(firewall.allowed.size(), 2u) << "tried again after the failure, then remembered";
}

// The setting of the user at the console, whose SID comes from the session's
// token: elevated, the program may run as another account, and USERNAME
// names that one.
TEST_F(ApplicationTest, FollowsTheConsoleUsersBalloonTipSetting) {
  constexpr std::u16string_view kAdvanced =
      u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  struct Case {
    const char* name;
    std::optional<std::u16string> consoleSid;
    bool want;
  };
  const Case cases[] = {
      {"console user's setting off", u"S-1-5-21-9-9-9-1002", false},
      {"no console user", std::nullopt, true},
      {"console user without the setting", u"S-1-5-21-9-9-9-1003", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppFixture machine;
    // USERNAME's account has the tips off too: it must not be the one asked.
    machine.environment.SetVariable(u"USERNAME", u"tech");
    for (std::u16string sid : {u"S-1-5-21-1-2-3-1001", u"S-1-5-21-9-9-9-1002"}) {
      const auto file = u"C:\\Kit\\" + sid + u".DAT";
      machine.registry.WriteHiveFile(file, FakeKey{u"user", {}, {}});
      ASSERT_EQ(machine.registry.LoadHive(reg::kUsers, sid, file), 0);
      ASSERT_TRUE(WriteDwordAt(machine.registry, u"HKU\\" + sid + std::u16string(kAdvanced),
                               u"EnableBalloonTips", 0));
    }
    if (c.consoleSid) machine.accounts.consoleUser = ConsoleUser{*c.consoleSid, u"", u"owner"};
    Application app(machine.Ports());
    machine.shell.duringEventLoop = [&] { EXPECT_EQ(app.BalloonTips(), c.want); };
    EXPECT_EQ(app.Run({}, u""), exitcode::kNormal);
  }
}

TEST_F(ApplicationTest, BlocksShutdownUnlessTheOptionsAllowIt) {
  struct Case {
    const char* name;
    std::uint32_t optionsFlag;
    bool wantBlocked;
  };
  const Case cases[] = {
      {"default options", 199, true},
      {"shut-down allowed (bit 5)", 199 | 32, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppFixture machine;
    machine.files.CreateFolders(kToolsDir);
    machine.registry.WriteHiveFile(
        kSettingsFile, FakeKey{u"kva_settings", {{u"OptionsFlag", DwordValue(c.optionsFlag)}}, {}});
    Application app(machine.Ports());
    machine.shell.duringEventLoop = [&] {
      app.BlockShutdown(u"Repair operation in progress");
      EXPECT_EQ(machine.session.blocked, c.wantBlocked);
      app.BlockShutdown(u"");
      EXPECT_FALSE(machine.session.blocked);
    };
    EXPECT_EQ(app.Run({}, u""), exitcode::kNormal);
  }
}

TEST_F(ApplicationTest, TheThemeIsTheStoredOneOrChosenOnceAndAQuietRunNeverAsks) {
  struct Case {
    const char* name;
    std::optional<std::string> stored;  // CurrentTheme in KVASettings.ini
    bool quiet;
    std::optional<ThemeId> chosen;
    int wantChooserShown;
    ThemeId want;
  };
  const Case cases[] = {
      {"stored light", "0", false, std::nullopt, 0, ThemeId::Light},
      {"stored dark", "1", false, ThemeId::Light, 0, ThemeId::Dark},
      {"missing, light chosen", std::nullopt, false, ThemeId::Light, 1, ThemeId::Light},
      {"missing, chooser closed", std::nullopt, false, std::nullopt, 1, ThemeId::Dark},
      {"not a theme", "7", false, ThemeId::Light, 1, ThemeId::Light},
      {"missing in a quiet run", std::nullopt, true, ThemeId::Light, 0, ThemeId::Dark},
  };
  const std::u16string ini = std::u16string(kToolsDir) + u"\\KVASettings.ini";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files.RemoveFile(ini);
    if (c.stored) files.WriteText(ini, "[UI]\r\nCurrentTheme=" + *c.stored + "\r\n");
    shell.chooserShown = 0;
    shell.chosenTheme = c.chosen;
    RunProgram(c.quiet ? std::vector<std::u16string>{u"/Quiet"} : std::vector<std::u16string>{});
    EXPECT_EQ(shell.chooserShown, c.wantChooserShown);
    ASSERT_TRUE(shell.applied);
    EXPECT_EQ(shell.applied->id, c.want);
    EXPECT_EQ(ReadCurrentTheme(files, ini), static_cast<int>(c.want)) << "kept for the next start";
  }
}

TEST_F(ApplicationTest, TheSplashShowsUntilTheLoadingWindowOnlyWhenInteractive) {
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(shell.splashName, u"Kelvara");
  EXPECT_TRUE(shell.splashClosedBeforeLoading);
  EXPECT_FALSE(shell.splashOpen);

  shell.splashName.clear();
  RunProgram({u"/Quiet"});
  EXPECT_TRUE(shell.splashName.empty());
}

TEST_F(ApplicationTest, TheResumeSelectionTicksTheToolsLeftAndSaysSo) {
  const std::u16string resume = u"C:\\ProgramData\\Kelvara\\_kva_sel.kvasel";
  files.WriteText(resume, "[5]\r\nState=0\r\nUnchecky=1\r\nWin11Debloat=1\r\nO&O AppBuster=0\r\n");
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(shell.counterText, u"2 tools ticked.  <a>Clear</a>");
  ASSERT_EQ(interaction.messages.size(), 1u);
  EXPECT_EQ(interaction.messages[0].find(u"Kelvara was prematurely closed during a \"Run tools\""),
            0u);
  EXPECT_FALSE(Exists(files, resume)) << "one notice per interrupted run";

  AppFixture unreadable;
  unreadable.files.WriteText(resume, "[5]\r\nUnchecky=1\r\n");
  unreadable.files.FailNext(FakeFileSystem::Call::kReadAll, resume);
  EXPECT_EQ(unreadable.RunProgram({}), exitcode::kNormal);
  EXPECT_TRUE(unreadable.interaction.messages.empty()) << "no notice of ticks that were not set";
}

TEST_F(ApplicationTest, ACommandLineSelectionIsAppliedAndItsOperationPressed) {
  struct Case {
    std::u16string_view operationSwitch;
    MainCommand want;
  };
  const Case cases[] = {
      {u"/Update:", MainCommand::UpdateSelected},
      {u"/Run:", MainCommand::RunSelected},
      {u"/UpdateRun:", MainCommand::UpdateAndRunSelected},
  };
  files.WriteText(std::u16string(kToolsDir) + u"\\Saved Selections\\Weekly.kvasel",
                  "[5]\r\nState=1\r\nUnchecky=1\r\n");
  // The technician closes the dialog once the operation is complete.
  shell.progress.onStatus = [](RecordingProgress& dialog, std::u16string_view text) {
    if (text == u"Operation complete") dialog.pressed[0] = true;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.operationSwitch));
    shell.dispatched.clear();
    shell.progress.buttons = {};
    interaction.messages.clear();
    // Interactive: the program stays open after the operation.
    EXPECT_EQ(RunProgram({std::u16string(c.operationSwitch), u"Weekly"}), exitcode::kNormal);
    EXPECT_EQ(shell.counterText, u"One tool ticked.  <a>Clear</a>");
    EXPECT_EQ(shell.dispatched, std::vector{c.want});
    EXPECT_TRUE(interaction.messages.empty()) << "the switch asked for it: no question";
    EXPECT_EQ(shell.progress.buttons[0], u"OK, close this");
  }
  EXPECT_EQ(DwordIn(KeyAt(registry.ReadHiveFile(kSettingsFile), {u"5", u"Unchecky"}), u"State"),
            1u)
      << "applying a selection stores its ticks";
}

TEST_F(ApplicationTest, ASelectionThatCannotBeReadIsReportedAsMissing) {
  const std::u16string weekly = std::u16string(kToolsDir) + u"\\Saved Selections\\Weekly.kvasel";
  files.WriteText(weekly, "[5]\r\nUnchecky=1\r\n");
  shell.duringEventLoop = [] { ADD_FAILURE() << "the program waits although nothing will run"; };
  files.FailNext(FakeFileSystem::Call::kReadAll, weekly);
  EXPECT_EQ(RunProgram({u"/Run:", u"Weekly"}), exitcode::kReportedError);
  EXPECT_EQ(interaction.messages,
            std::vector<std::u16string>{u"The requested selection does not exist."});
  EXPECT_TRUE(shell.dispatched.empty());
}

std::vector<std::uint8_t> BytesOf(FakeFileSystem& files, std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(files.ReadAll(path, bytes));
  return bytes;
}

// Closing the loading window stops the loader where it may stop, then shuts
// down: no thread is left writing into the hives or the list as they go.
TEST_F(ApplicationTest, ClosingTheLoadingWindowStopsTheLoaderBeforeItSavesTheSettings) {
  ASSERT_EQ(RunProgram({}), exitcode::kNormal);  // a machine that has run the program
  // A settings file the integrity pass will change: the order list of
  // group 5 lost, which the pass rebuilds and the loader would save.
  const auto before = registry.ReadHiveFile(kSettingsFile);
  ASSERT_TRUE(before);
  FakeKey trimmed = *before;
  std::erase_if(trimmed.subkeys, [](const FakeKey& key) { return key.name == u"5"; });
  registry.WriteHiveFile(kSettingsFile, trimmed);
  const auto bytes = BytesOf(files, kSettingsFile);

  shell.CloseLoadingWindowAt(u"Verifying database integrity...");
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(BytesOf(files, kSettingsFile), bytes) << "the loader saved after it was stopped";
  EXPECT_EQ(shell.listShown, 1) << "only the first run got as far as the list";
  EXPECT_FALSE(HiveLoaded(registry, u"kva_tools"));
  EXPECT_FALSE(HiveLoaded(registry, u"kva_settings"));
  EXPECT_TRUE(files.Find(u"C:\\Temp\\kva_*").empty());
  EXPECT_TRUE(files.Find(std::u16string(kSettingsFile) + u".new").empty());
}

// Stopped while filling the list, the program writes back the settings the
// database loader completed, and no group state from the half list: with a
// resume selection pending the list has not even read them.
TEST_F(ApplicationTest, ClosingTheLoadingWindowWhileTheListLoadsKeepsCompleteSettings) {
  ASSERT_EQ(RunProgram({}), exitcode::kNormal);
  auto settings = registry.ReadHiveFile(kSettingsFile);
  ASSERT_TRUE(settings);
  for (auto& group : settings->subkeys) {
    if (group.name != u"5") continue;
    std::erase_if(group.values, [](const auto& v) { return v.name == u"GroupState"; });
    group.values.push_back({u"GroupState", DwordValue(1)});
  }
  registry.WriteHiveFile(kSettingsFile, *settings);
  files.WriteText(u"C:\\ProgramData\\Kelvara\\_kva_sel.kvasel", "[5]\r\nUnchecky=1\r\n");
  shell.CloseLoadingWindowAt(50);  // half the groups, group 5 among them
  EXPECT_EQ(RunProgram({}), exitcode::kNormal);
  EXPECT_EQ(DwordIn(KeyAt(registry.ReadHiveFile(kSettingsFile), {u"5"}), u"GroupState"), 1u);
  EXPECT_EQ(shell.listShown, 1);
  EXPECT_FALSE(HiveLoaded(registry, u"kva_settings"));
}

// What the program meant to keep and could not makes a normal exit a 2; the
// previous settings file stays as it was.
TEST_F(ApplicationTest, SettingsThatCannotBeKeptAtExitEndWith2) {
  struct Case {
    const char* name;
    std::function<void(AppFixture&)> breakIt;  // armed once the list is up
  };
  const std::u16string pending = std::u16string(kSettingsFile) + u".new";
  const Case cases[] = {
      {"the file cannot be replaced",
       [&](AppFixture& m) { m.files.FailNext(FakeFileSystem::Call::kMoveTo, pending); }},
      {"the hive cannot be saved",
       [](AppFixture& m) { m.registry.FailNext(FakeRegistry::Call::kSaveHive, 5); }},
      {"the settings hive cannot be unloaded",
       [](AppFixture& m) { m.registry.FailNext(FakeRegistry::Call::kUnloadHive, 5, 2); }},
      {"a group state cannot be written",
       [](AppFixture& m) { m.registry.FailNext(FakeRegistry::Call::kSetValue, 5); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppFixture machine;
    ASSERT_EQ(machine.RunProgram({}), exitcode::kNormal);
    const auto bytes = BytesOf(machine.files, kSettingsFile);
    machine.interaction.messages.clear();
    machine.shell.duringEventLoop = [&] { c.breakIt(machine); };
    EXPECT_EQ(machine.RunProgram({}), exitcode::kReportedError);
    EXPECT_EQ(machine.interaction.messages,
              std::vector<std::u16string>{
                  u"The settings could not be saved. The previous settings file was kept."});
    if (std::string_view(c.name).find("group state") == std::string_view::npos) {
      EXPECT_EQ(BytesOf(machine.files, kSettingsFile), bytes);
    }
  }
}

// The loader's own checks fail the load instead of passing a database that
// is not what it should be; the settings file is never half-written.
TEST_F(ApplicationTest, ADatabaseTheLoaderCannotVouchForIsReported) {
  struct Case {
    const char* name;
    std::function<void(AppFixture&)> prepare;  // on a machine that has run once
  };
  const auto catalogueWith = [](std::vector<FakeKey::Value> values) {
    return [values](AppFixture& m) {
      m.registry.WriteHiveFile(kToolsFile, FakeKey{u"kva_default_tools", values, {{u"3", {}, {}}}});
    };
  };
  const Case cases[] = {
      {"catalogue without a version", catalogueWith({})},
      {"catalogue version as text", catalogueWith({{u"Version", StringValue(reg::kSz, u"600")}})},
      {"integrity pass cannot write",
       [](AppFixture& m) {
         m.registry.WriteHiveFile(kSettingsFile, FakeKey{u"kva_settings", {}, {}});
         m.registry.FailNext(FakeRegistry::Call::kCreateKey, 5, 1000);
       }},
      {"settings cannot be saved",
       [](AppFixture& m) {
         m.registry.FailNext(FakeRegistry::Call::kSaveHive, 5, 1000);
         for (int i = 0; i < kDatabaseLoadAttempts; ++i) {
           m.files.FailNext(FakeFileSystem::Call::kCopyTo, std::u16string(kSettingsFile) + u".new");
         }
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    AppFixture machine;
    ASSERT_EQ(machine.RunProgram({}), exitcode::kNormal);
    c.prepare(machine);
    const auto settings = BytesOf(machine.files, kSettingsFile);
    EXPECT_EQ(machine.RunProgram({}), exitcode::kReportedError);
    ASSERT_EQ(machine.interaction.messages.size(), 1u);
    EXPECT_NE(machine.interaction.messages[0].find(u"definitions database could not be loaded"),
              std::u16string::npos);
    EXPECT_EQ(BytesOf(machine.files, kSettingsFile), settings);
    EXPECT_FALSE(Exists(machine.files, kToolsFile)) << "rebuilt from the program next time";
  }
}

}  // namespace
}  // namespace kva
