#include "platform/ProcessLauncher.h"

#include <gtest/gtest.h>

#include "CommandResolverFixture.h"
#include "PeImageBuilder.h"
#include "fakes/FakeProcesses.h"
#include "fakes/RecordingPump.h"

namespace kva::test {
namespace {

class ProcessLauncherTest : public CommandResolverFixture {
 protected:
  FakeProcesses processes;
  RecordingPump pump;
  ProcessLauncher launcher{processes, resolver, pump, folders};
};

TEST_F(ProcessLauncherTest, RunProcessGivesExitCodesIdsAndTheFailureValues) {
  processes.onStart = [](const StartRecord&) {
    return FakeProcess{.imagePath = u"C:\\t.exe", .exitCode = 0xC0000005, .roundsLeft = 3};
  };
  EXPECT_EQ(launcher.RunProcess(u"", u"C:\\t.exe", u"", show::kHidden, launch::kWait),
            0xC0000005);
  // The wait blocked on the process and kept the messages flowing between rounds.
  EXPECT_EQ(processes.waits, 3);
  EXPECT_EQ(processes.awaited.front().size(), 1u);
  EXPECT_EQ(pump.processCount, 3);
  EXPECT_EQ(pump.idleCount, 0);

  const auto id = launcher.RunProcess(u"", u"C:\\t.exe", u"", show::kShow, 0);
  EXPECT_GE(id, 1000);
  EXPECT_EQ(processes.started.back().show, show::kShow);

  processes.onStart = [](const StartRecord&) { return std::nullopt; };
  EXPECT_EQ(launcher.RunProcess(u"", u"C:\\none.exe", u"", show::kShow, launch::kWait), -1);
  EXPECT_EQ(launcher.RunProcess(u"", u"C:\\none.exe", u"", show::kShow, 0), 0);
}

TEST_F(ProcessLauncherTest, RunCommandStartsTheResolvedProgramInItsFolder) {
  launcher.RunCommand(u"C:\\Program Files\\Tool\\tool.exe /S", u"", show::kShow, 0);
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].commandLine, u"\"C:\\Program Files\\Tool\\tool.exe\" /S");
  EXPECT_EQ(processes.started[0].workingFolder, u"C:\\Program Files\\Tool");
  // No program found: the text goes as it is.
  launcher.RunCommand(u"nothing-here /x", u"D:\\", show::kShow, 0);
  EXPECT_EQ(processes.started[1].commandLine, u"nothing-here /x");
  EXPECT_EQ(processes.started[1].workingFolder, u"D:\\");
}

TEST_F(ProcessLauncherTest, TheShellTakesOverWhatCannotStartDirectly) {
  processes.onStart = [](const StartRecord&) { return std::nullopt; };
  // A program that would not start: the shell gets it with its own arguments
  // (not an empty "" argument where its quoted path was).
  const ProcessId id = launcher.RunCommandOrShell(u"C:\\Program Files\\Tool\\tool.exe /S", 5);
  EXPECT_GE(id, 1000u);
  ASSERT_EQ(processes.shellStarts.size(), 1u);
  EXPECT_EQ(processes.shellStarts[0].file, u"C:\\Program Files\\Tool\\tool.exe");
  EXPECT_EQ(processes.shellStarts[0].parameters, u"/S");
  EXPECT_EQ(processes.shellStarts[0].workingFolder, u"C:\\Program Files\\Tool");

  // A document or page: the whole text is the file.
  processes.onShell = [](const ShellRecord&) { return FakeProcess{}; };
  EXPECT_EQ(launcher.RunCommandOrShell(u"https://example.org/", 5), kStartedWithoutProcess);
  EXPECT_EQ(processes.shellStarts.back().file, u"https://example.org/");

  // Paths that name nothing never reach the shell.
  const auto shellCalls = processes.shellStarts.size();
  EXPECT_EQ(launcher.RunCommandOrShell(u"C:\\Missing\\setup.exe /q", 5), 0u);
  EXPECT_EQ(launcher.RunCommandOrShell(u"D:missing.txt", 5), 0u);
  EXPECT_EQ(processes.shellStarts.size(), shellCalls);

  processes.onShell = [](const ShellRecord&) { return std::nullopt; };
  EXPECT_EQ(launcher.ShellOpen(u"ms-settings:windowsupdate", u""), 0u);
}

TEST_F(ProcessLauncherTest, RegisterDllAsksRegsvr32ForWhatTheLibraryExports) {
  struct Case {
    const char* name;
    std::vector<std::string> exports;
    std::u16string switches;  // empty: regsvr32 is not started
  };
  const Case cases[] = {
      {"both", {"DllInstall", "DllRegisterServer", "DllUnregisterServer"}, u" /s /i "},
      {"install only", {"DllInstall"}, u" /s /i /n "},
      {"register only", {"DllGetClassObject", "DllRegisterServer"}, u" /s "},
      {"neither", {"DllMain", "Dll", "Install"}, u""},
  };
  for (const Case& c : cases) {
    const std::u16string path = u"C:\\Lib Folder\\lib.dll";
    const auto image = PeImageExporting(c.exports);
    ASSERT_TRUE(files.CreateFolders(u"C:\\Lib Folder") && files.WriteAll(path, image));
    processes.started.clear();
    const ProcessId id = launcher.RegisterDll(path);
    if (c.switches.empty()) {
      EXPECT_EQ(id, 0u) << c.name;
      EXPECT_TRUE(processes.started.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(processes.started.size(), 1u) << c.name;
    EXPECT_GE(id, 1000u) << c.name;
    const StartRecord& start = processes.started[0];
    EXPECT_EQ(start.application, u"C:\\Windows\\System32\\regsvr32.exe") << c.name;
    EXPECT_EQ(start.commandLine, c.switches + u"\"C:\\Lib Folder\\lib.dll\"") << c.name;
    EXPECT_EQ(start.workingFolder, u"C:\\Windows\\System32") << c.name;
    EXPECT_TRUE(start.withoutRedirection) << c.name;
  }
  EXPECT_EQ(launcher.RegisterDll(u"C:\\Windows\\notepad.exe"), 0u);  // not a PE image
  EXPECT_EQ(launcher.RegisterDll(u"C:\\missing.dll"), 0u);
}

}  // namespace
}  // namespace kva::test
