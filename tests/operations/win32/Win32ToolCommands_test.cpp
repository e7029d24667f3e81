// A tool's commands with real processes under Wine: the fixture sleeper
// stands in for installers that end at once, leave children behind or
// restart themselves, and 7-Zip's extractor is a stand-in that records how
// it was called.
#include <windows.h>

#include <gtest/gtest.h>

#include "operations/OperationFlags.h"
#include "operations/ToolCommands.h"
#include "operations/ToolsFolderExtractor.h"
#include "operations/win32/FixturePrograms.h"
#include "operations/win32/Win32CommandWiring.h"
#include "platform/FileDeletion.h"
#include "platform/Text.h"
#include "platform/win32/WideText.h"

namespace kva::test {
namespace {

class Win32ToolCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DeleteItems(files, work, 0));
    ASSERT_TRUE(files.CreateFolders(work + u"\\tools"));
  }
  void TearDown() override { EXPECT_TRUE(DeleteItems(files, work, 0)); }

  std::u16string Sleeper(std::u16string_view arguments) const {
    return u"\"" + SleeperPath() + u"\" " + std::u16string(arguments);
  }
  std::u16string Marker(std::u16string_view name) const {
    return work + u"\\" + std::u16string(name);
  }
  ToolCommandsResult Run() { return RunToolCommands(wiring.services, {tool, op::kRun, {}, u""}); }

  std::u16string work = win32::Win32Environment().TempFolder() + u"\\kva_commands_" +
                        ToDecimal(static_cast<std::int64_t>(::GetCurrentProcessId()));
  ToolRecord tool;
  Win32CommandWiring wiring{work + u"\\tools"};
  FileSystem& files = wiring.files;
  ProcessLauncher& launcher = wiring.launcher;
};

TEST_F(Win32ToolCommandsTest, EachWaitLastsAsLongAsItsKindOfCommand) {
  struct Case {
    const char* name;
    std::uint32_t flag1;
    std::u16string arguments;
    std::vector<std::u16string> markers;  // all written before the run returns
  };
  const Case cases[] = {
      {"process", 0, u"--sleep-ms 400 --marker " + Marker(u"p"), {u"p"}},
      {"tree outlasts the parent", flag1::kWaitForChildren,
       u"--children 2 --child-sleep-ms 600 --marker " + Marker(u"t"), {u"t", u"t.1", u"t.2"}},
      {"image path follows a restart", flag1::kMonitorByPath,
       u"--restart --sleep-ms 600 --marker " + Marker(u"r"), {u"r"}},
  };
  for (const Case& c : cases) {
    tool.commands = {Sleeper(c.arguments), Sleeper(u"--marker " + Marker(u"second"))};
    tool.flags = {c.flag1, 0, 0, 0};
    ASSERT_TRUE(DeleteItems(files, Marker(u"second"), 0));
    EXPECT_EQ(Run().executed, 2) << c.name;
    for (const auto& marker : c.markers) {
      EXPECT_TRUE(Exists(files, Marker(marker))) << c.name << " " << Utf16ToUtf8(marker);
    }
    EXPECT_TRUE(Exists(files, Marker(u"second"))) << c.name;
  }
}

TEST_F(Win32ToolCommandsTest, RunProcessGivesExitCodesAndTheFailureValues) {
  EXPECT_EQ(launcher.RunProcess(u"", Sleeper(u"--exit 7"), u"", show::kHidden, launch::kWait), 7);
  EXPECT_EQ(launcher.RunProcess(u"", u"kva_no_such.exe", u"", show::kHidden, launch::kWait), -1);
  EXPECT_EQ(launcher.RunProcess(u"", u"kva_no_such.exe", u"", show::kHidden, 0), 0);
  EXPECT_GT(launcher.RunCommand(Sleeper(u"--exit 0"), u"", show::kHidden, 0), 4);
}

TEST_F(Win32ToolCommandsTest, ThePasswordReachesSevenZipAsOneArgument) {
  const std::u16string sevenZip = work + u"\\tools\\7za.exe";
  ASSERT_TRUE(
      ::CopyFileW(win32::Wide(Fake7zaPath()).c_str(), win32::Wide(sevenZip).c_str(), TRUE));
  const std::u16string log = work + u"\\7za.log";
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_LOG", win32::Wide(log).c_str());
  files.WriteAll(work + u"\\a b.7z", std::vector<std::uint8_t>{'7', 'z'});
  ToolsFolderExtractor sevenZipExtractor(files, launcher, wiring.progress, work + u"\\tools");
  EXPECT_TRUE(
      sevenZipExtractor.ExtractArchive(work + u"\\a b.7z", work + u"\\out", u"pass word"));
  std::vector<std::uint8_t> recorded;
  ASSERT_TRUE(files.ReadAll(log, recorded));
  const std::string text(recorded.begin(), recorded.end());
  EXPECT_NE(text.find("\n-ppass word\n"), std::string::npos) << text;
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_EXIT", L"2");
  EXPECT_FALSE(sevenZipExtractor.ExtractArchive(work + u"\\a b.7z", work + u"\\out", u""));
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_EXIT", nullptr);
  ::SetEnvironmentVariableW(L"KVA_FAKE7ZA_LOG", nullptr);
}

}  // namespace
}  // namespace kva::test
