#include "operations/OperationRunner.h"

#include <gtest/gtest.h>

#include "RunnerFixture.h"
#include "catalog/Selections.h"
#include "operations/RunTexts.h"

namespace kva::test {
namespace {

constexpr std::u16string_view kApp = u"C:\\Kit\\Kelvara tools\\Echo Tool\\echo.exe";
const std::string kProgram = "MZ new program";

class OperationRunnerTest : public RunnerTest {
 protected:
  // Echo Tool in group 5: one download of an .exe and one command that runs it.
  void AddEchoTool(std::u16string_view extraValues = u"", int shownGroup = 5) {
    Import(u"[HKLM\\kva_tools\\5\\Echo Tool]\r\n"
           u"\"url1\"=\"http://tools.test/echo.exe\"\r\n"
           u"\"downloadfile\"=\"%ToolsDir%\\\\Echo Tool\\\\echo.exe\"\r\n"
           u"\"command1\"=\"%ToolsDir%\\\\Echo Tool\\\\echo.exe /go\"\r\n" +
           std::u16string(extraValues));
    echoEntry = AddEntry(u"Echo Tool", shownGroup);
  }
  std::optional<std::string> App() { return files.ReadText(kApp); }
  std::size_t echoEntry = 0;
};

TEST_F(OperationRunnerTest, UpdateAndRunDownloadsRunsAndReportsOneRowPerPhase) {
  AddEchoTool();
  network.Serve(u"http://tools.test/echo.exe", FakeNetwork::Ok(kProgram));
  EXPECT_EQ(Process(op::kUpdate | op::kRun), 1);
  EXPECT_EQ(App(), kProgram);
  EXPECT_EQ(report.rows, (std::vector<ReportRow>{
                             {u"Update tool: Echo Tool", u"Success: Successfully downloaded."},
                             {u"Run tool: Echo Tool", u"Success: 1 command successfully executed."}}));
  EXPECT_EQ(progress.lines.back(), u"Run tool: Echo Tool | Success: 1 command successfully executed.");
  EXPECT_EQ(String(u"5\\Echo Tool", u"LastUpdate"), u"2026/12/10  09:30:00  ");
  EXPECT_EQ(list.Entry(echoEntry).secondLine, u"Updated: 2026/12/10  09:30:00  ");
  EXPECT_FALSE(Exists(files, std::u16string(kApp) + u".tmp"));
}

TEST_F(OperationRunnerTest, FavouriteTakesItsRecordAndStateFromItsRealGroup) {
  AddEchoTool(u"", 1);
  Import(uR"([HKLM\kva_settings\1\Echo Tool]
"GroupId"=dword:00000005)");
  network.Serve(u"http://tools.test/echo.exe", FakeNetwork::Ok(kProgram));
  EXPECT_EQ(Process(op::kUpdate), 1);
  EXPECT_EQ(App(), kProgram);
  EXPECT_TRUE(String(u"5\\Echo Tool", u"LastUpdate"));
}

TEST_F(OperationRunnerTest, WindowsBuiltInToolIsNeverDownloaded) {
  Import(uR"([HKLM\kva_tools\11\Disk Management]
"url1"="http://tools.test/echo.exe"
"downloadfile"="C:\\Kit\\Kelvara tools\\x\\diskmgmt.exe")");
  AddEntry(u"Disk Management", 11);
  network.Serve(u"http://tools.test/echo.exe", FakeNetwork::Ok(kProgram));
  Process(op::kUpdate);
  EXPECT_TRUE(RequestedUrls().empty());
  EXPECT_TRUE(report.rows.empty());
}

TEST_F(OperationRunnerTest, DownloadTwoIsTheFallbackIntoTheSameFile) {
  AddEchoTool(u"\"url2\"=\"http://mirror.test/echo.exe\"\r\n");
  network.Serve(u"http://tools.test/echo.exe", FakeResponse{.status = 404});
  network.Serve(u"http://mirror.test/echo.exe", FakeNetwork::Ok(kProgram));
  Process(op::kUpdate);
  EXPECT_EQ(App(), kProgram);
  EXPECT_EQ(report.rows, (std::vector<ReportRow>{
                             {u"Update tool: Echo Tool", u"Failure: Download failed."},
                             {u"Update tool: Echo Tool", u"Success: Successfully downloaded."}}));
}

TEST_F(OperationRunnerTest, FailedOrInvalidDownloadKeepsThePreviousFile) {
  struct Case {
    const char* name;
    FakeResponse response;
  };
  const Case cases[] = {
      {"server error", FakeResponse{.status = 500}},
      {"an error page where a program belongs", FakeNetwork::Ok("<html>not here</html>")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    list.Clear();
    report.rows.clear();
    AddEchoTool();
    files.WriteText(kApp, "MZ old program");
    network.Serve(u"http://tools.test/echo.exe", c.response);
    Process(op::kUpdate);
    EXPECT_EQ(App(), "MZ old program");
    EXPECT_FALSE(Exists(files, std::u16string(kApp) + u".tmp"));
    EXPECT_EQ(report.rows, (std::vector<ReportRow>{
                               {u"Update tool: Echo Tool", u"Failure: Download failed."}}));
  }
}

TEST_F(OperationRunnerTest, MissingUrlAndShortFileName) {
  Import(uR"([HKLM\kva_tools\5\No Url Tool]
"downloadfile"="C:\\Kit\\Kelvara tools\\n\\no.exe"
[HKLM\kva_tools\5\Short Name Tool]
"url1"="http://tools.test/echo.exe"
"downloadfile"="C:\\s\\a.exe")");
  AddEntry(u"No Url Tool", 5);
  AddEntry(u"Short Name Tool", 5);
  Process(op::kUpdate);
  EXPECT_EQ(report.rows, (std::vector<ReportRow>{
                             {u"Update tool: No Url Tool", u"Failure: No download URL."}}));
  EXPECT_TRUE(RequestedUrls().empty());
}

TEST_F(OperationRunnerTest, PerBitnessDownloadsFetchBothOnlyForABareUpdate) {
  struct Case {
    std::uint32_t operation;
    std::vector<std::u16string> urls;
  };
  const Case cases[] = {
      {op::kUpdate, {u"http://tools.test/x32.exe", u"http://tools.test/x64.exe"}},
      {op::kUpdate | op::kRun, {u"http://tools.test/x64.exe"}},
      {op::kUpdate | op::kUnattended, {u"http://tools.test/x64.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operation);
    list.Clear();
    report.rows.clear();
    Import(uR"([HKLM\kva_tools\5\Bitness Tool]
"url1"="http://tools.test/x32.exe"
"downloadfile"="C:\\Kit\\Kelvara tools\\b\\x32.exe"
"url2"="http://tools.test/x64.exe"
"downloadfile2"="C:\\Kit\\Kelvara tools\\b\\x64.exe"
"flag1"=dword:00000020)");
    AddEntry(u"Bitness Tool", 5);
    network.Serve(u"http://tools.test/x32.exe", FakeNetwork::Ok(kProgram));
    network.Serve(u"http://tools.test/x64.exe", FakeNetwork::Ok(kProgram));
    const auto before = network.Requests().size();
    Process(c.operation);
    EXPECT_EQ(RequestedUrls(before), c.urls);
    EXPECT_EQ(report.rows.front().action,
              c.urls.size() == 2 ? u"Update tool: Bitness Tool (32-bit)"
                                 : u"Update tool: Bitness Tool (64-bit)");
  }
}

TEST_F(OperationRunnerTest, ArchiveIsExtractedDeletedAndLaterFoundUpToDate) {
  Import(uR"([HKLM\kva_tools\5\Zip Tool]
"url1"="http://tools.test/zip.zip"
"downloadfile"="C:\\Kit\\Kelvara tools\\Zip Tool\\zip.zip"
"ZipPass"="secret"
"flag1"=dword:00000001
[HKLM\kva_settings\5\Zip Tool]
"PDS1"=dword:00000001)");
  AddEntry(u"Zip Tool", 5);
  const std::string archive = "PK\x03\x04 zipped bytes";
  network.Serve(u"http://tools.test/zip.zip", FakeNetwork::Ok(archive));
  Process(op::kUpdate);
  EXPECT_EQ(extractor.calls, (std::vector<std::u16string>{
                                 u"C:\\Kit\\Kelvara tools\\Zip Tool\\zip.zip > "
                                 u"C:\\Kit\\Kelvara tools\\Zip Tool\\zip [secret]"}));
  EXPECT_FALSE(Exists(files, u"C:\\Kit\\Kelvara tools\\Zip Tool\\zip.zip"));
  RegValue size;
  RegKey state(registry);
  ASSERT_TRUE(Open(state, u"HKLM\\kva_settings\\5\\Zip Tool", reg::kRead));
  ASSERT_TRUE(ReadRaw(state, u"PDS1", size));
  EXPECT_EQ(size.type, reg::kQword);
  EXPECT_EQ(size.data, (std::vector<std::uint8_t>{std::uint8_t(archive.size()), 0, 0, 0, 0, 0, 0, 0}));

  // What the extractor would have left.
  files.WriteText(u"C:\\Kit\\Kelvara tools\\Zip Tool\\zip\\tool.exe", std::string(archive.size(), 'x'));
  report.rows.clear();
  Process(op::kUpdate);
  EXPECT_EQ(report.rows, (std::vector<ReportRow>{
                             {u"Update tool: Zip Tool", u"Success: Already up to date."}}));
}

TEST_F(OperationRunnerTest, ArchiveThatDoesNotExtractIsKeptAndReported) {
  Import(uR"([HKLM\kva_tools\5\Zip Tool]
"url1"="http://tools.test/zip.zip"
"downloadfile"="C:\\Kit\\Kelvara tools\\Zip Tool\\zip.zip"
"flag1"=dword:00000001)");
  AddEntry(u"Zip Tool", 5);
  network.Serve(u"http://tools.test/zip.zip", FakeNetwork::Ok("PK\x03\x04 zipped"));
  extractor.succeeds = false;
  Process(op::kUpdate);
  EXPECT_TRUE(Exists(files, u"C:\\Kit\\Kelvara tools\\Zip Tool\\zip.zip"));
  EXPECT_EQ(report.rows.back().result, run_text::kNotExtracted);
}

TEST_F(OperationRunnerTest, RunResultTexts) {
  struct Case {
    int executed;
    bool installSkipped;
    std::u16string_view text;
  };
  const Case cases[] = {
      {0, false, u"Failure: The commands could not be executed."},
      {1, false, u"Success: 1 command successfully executed."},
      {3, false, u"Success: 3 commands successfully executed."},
      {0, true, u"Success: Install skipped, already up to date. "},
      {1, true, u"Success: Install skipped, already up to date. 1 command successfully executed."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run_text::RunResult(c.executed, c.installSkipped), c.text);
  }
}

TEST_F(OperationRunnerTest, BuiltInActionReportsOnlyItsOwnLine) {
  Import(uR"([HKLM\kva_tools\1001\Pause Action]
"command1"="<Sleep> 1")");
  AddEntry(u"Pause Action", 1001);
  struct Case {
    const char* name;
    std::u16string line;
    int cancelAtPoll;
    std::u16string_view result;
  };
  const Case cases[] = {
      {"its own line", u"Script successfully paused for 1 secconds.", -1,
       u"Script successfully paused for 1 secconds."},
      {"no line: the runner's text, never an earlier tool's", u"", -1,
       u"Success: 1 command successfully executed."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    report.rows.clear();
    tags.toolResult = u"Successfully did what the previous tool did.";
    tags.lineOnDispatch = c.line;
    Process(op::kRun);
    EXPECT_EQ(tags.dispatched.back(), u"<Sleep> 1");
    EXPECT_EQ(report.rows.back().result, c.result);
  }
}

TEST_F(OperationRunnerTest, UnsupportedWindowsSkipsTheRunAndIsNotCounted) {
  AddEchoTool(u"\"WindowsVersions\"=\"6.1\"\r\n");
  files.WriteText(kApp, "MZ");
  EXPECT_EQ(Process(op::kRun), 0);
  EXPECT_EQ(report.rows, (std::vector<ReportRow>{
                             {u"Run tool: Echo Tool", u"Skipped: Unsupported Windows version."}}));
  EXPECT_TRUE(processes.started.empty());
}

TEST_F(OperationRunnerTest, ResumeFileHoldsExactlyTheToolsNotYetRun) {
  for (auto name : {u"First Tool", u"Second Tool", u"Third Tool"}) {
    Import(u"[HKLM\\kva_tools\\5\\" + std::u16string(name) + u"]\r\n\"command1\"=\"C:\\\\t\\\\" +
           std::u16string(name) + u".exe\"\r\n");
    files.WriteText(u"C:\\t\\" + std::u16string(name) + u".exe", "MZ");
    AddEntry(name, 5);
  }
  AddEntry(u"Unticked Tool", 5, false);
  std::vector<std::optional<std::string>> seen;
  onProgramStart = [&](const std::u16string&) { seen.push_back(files.ReadText(kResumeFile)); };
  EXPECT_EQ(Start(op::kRun | op::kUnattended), 3);
  ASSERT_EQ(seen.size(), 3u);
  // While the second tool runs, a restart would offer only the third.
  ToolListModel after;
  after.AddGroup({5, u"Group 5"});
  for (auto name : {u"First Tool", u"Second Tool", u"Third Tool", u"Unticked Tool"}) {
    after.Append({.name = name, .group = 5, .recordGroup = 5, .ticked = true});
  }
  ASSERT_TRUE(seen[1]);
  files.WriteText(u"C:\\copy.kvasel", *seen[1]);
  ASSERT_TRUE(ApplySelection(after, registry, files, u"C:\\copy.kvasel", false).applied);
  std::vector<std::u16string> ticked;
  for (const auto& entry : after.Entries()) {
    if (entry.ticked) ticked.push_back(entry.name);
  }
  EXPECT_EQ(ticked, (std::vector<std::u16string>{u"Third Tool"}));
  EXPECT_FALSE(seen[2]);  // gone before the last tool starts
  EXPECT_FALSE(Exists(files, kResumeFile));
}

TEST_F(OperationRunnerTest, RunOfOneToolNeverWritesTheResumeFile) {
  AddEchoTool();
  files.WriteText(kApp, "MZ");
  std::optional<std::string> seen = "unset";
  onProgramStart = [&](const std::u16string&) { seen = files.ReadText(kResumeFile); };
  Start(op::kRun | op::kUnattended);
  EXPECT_FALSE(seen);
}

TEST_F(OperationRunnerTest, QuestionDecidesAndItsBoxesAddTheOptions) {
  AddEchoTool(u"\"UninstallCmd\"=\"UniKey=>HKLM=>Echo\"\r\n\"NVC\"=\"1.0\"\r\n");
  files.WriteText(kApp, "MZ");
  settings.autoClose = true;
  interaction.answers = {msg::kNo};
  EXPECT_EQ(Start(op::kRun), 0);
  EXPECT_EQ(interaction.shown, (std::vector<std::u16string>{
                                   u"Are you sure you want to run the selected tools?"}));
  EXPECT_TRUE(processes.started.empty());

  interaction.answers = {msg::kYes | msg::kSkipUpToDate};
  EXPECT_EQ(Start(op::kRun), 1);
  EXPECT_EQ(report.rows.back().result, u"Success: Install skipped, already up to date. ");
}

TEST_F(OperationRunnerTest, BareUpdateOfflineSaysSoAndDoesNothing) {
  AddEchoTool();
  network.connected = false;
  EXPECT_EQ(Start(op::kUpdate | op::kUnattended), 0);
  EXPECT_EQ(interaction.shown.front().substr(0, 41), u"This PC is not connected to the internet.");
  EXPECT_FALSE(progress.shown);
}

TEST_F(OperationRunnerTest, CancelledDownloadRestoresThePreviousFile) {
  AddEchoTool();
  files.WriteText(kApp, "MZ old program");
  network.Serve(u"http://tools.test/echo.exe",
                FakeResponse{.body = "MZ", .pieceBytes = 1, .endless = true});
  progress.pressed[cancel_button::kThisTool] = true;
  interaction.answers = {msg::kYes};
  EXPECT_EQ(Process(op::kUpdate | op::kRun), 0);
  EXPECT_EQ(App(), "MZ old program");
  EXPECT_FALSE(Exists(files, std::u16string(kApp) + u".tmp"));
  EXPECT_TRUE(report.rows.empty());
  EXPECT_TRUE(processes.started.empty());
}

TEST_F(OperationRunnerTest, OperationCompleteWaitsForItsButton) {
  AddEchoTool();
  files.WriteText(kApp, "MZ");
  settings.autoClose = false;
  progress.onStatus = [](RecordingProgress& dialog, std::u16string_view text) {
    if (text == u"Operation complete") dialog.pressed[cancel_button::kThisTool] = true;
  };
  interaction.answers = {msg::kYes};
  EXPECT_EQ(Start(op::kRun), 1);
  EXPECT_EQ(progress.buttons[0], u"OK, close this");
  EXPECT_EQ(interaction.shown.size(), 1u);  // the press closes without a question
  EXPECT_FALSE(progress.shown);
}

}  // namespace
}  // namespace kva::test
