#include "reporting/ReportStore.h"

#include "ReportFixture.h"
#include "platform/IniFile.h"
#include "platform/Text.h"
#include "platform/TextEncoding.h"

#include <fstream>
#include <iterator>

namespace kva::reporttest {

std::string ReportWorld::Utf16Text(std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  if (!files.ReadAll(path, bytes)) return "(missing)";
  if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xFE) return "(no UTF-16 mark)";
  return Utf16ToUtf8(DecodeText(bytes).text);
}

namespace {

// MD5 of "ABC" as UTF-16LE.
constexpr std::u16string_view kAbc = u"716774B53A92B98525BBA179A159CC71";
const std::u16string kAcmeFolder = std::u16string(kStore) + u"\\Acme MainBranch\\" + std::u16string(kAbc);
const std::u16string kAcmeReport = kAcmeFolder + u"\\2024-03-07.html";

using ReportStoreTest = ReportFixture;

TEST_F(ReportStoreTest, ANewPcIsAskedOnceAndItsReportStartsInTheClientFolder) {
  files.CreateFolders(std::u16string(kStore) + u"\\Beta");
  files.CreateFolders(std::u16string(kStore) + u"\\Linked");
  files.MarkReparsePoint(std::u16string(kStore) + u"\\Linked");
  const auto result = Start(Answering(Client(u"Acme MainBranch")));
  ASSERT_TRUE(result.started);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].pcText, u"Dell Inc. OptiPlex 7010");
  EXPECT_EQ(asked[0].clients, std::vector<std::u16string>{u"Beta"}) << "folders, no reparse points";
  EXPECT_EQ(session.currentReportPath, kAcmeReport);
  EXPECT_EQ(Mapping(), "[716774B53A92B98525BBA179A159CC71]\r\nClientName=Acme MainBranch\r\n"
                       "PCName=Dell Inc. OptiPlex 7010\r\n");
  EXPECT_EQ(files.ReadText(std::u16string(kStore) + u"\\kva_icon.png"), "\x89PNG");
  const auto report = files.ReadText(kAcmeReport);
  ASSERT_TRUE(report);
  EXPECT_TRUE(report->starts_with("\xEF\xBB\xBF<!DOCTYPE html>"));
  EXPECT_NE(report->find("<p>Client name: Acme MainBranch</p>"), std::string::npos);
  EXPECT_TRUE(report->ends_with("</html>"));

  session = {};
  clock.now.hour = 18;
  ASSERT_TRUE(Start(Answering(std::nullopt)).started);
  EXPECT_EQ(asked.size(), 1u) << "known now";
  EXPECT_EQ(files.ReadText(kAcmeReport), report) << "the same day's file is left as it is";
}

TEST_F(ReportStoreTest, NoReportWhenDisabledCancelledOrWithoutIdentity) {
  struct Case {
    const char* name;
    std::function<void(ReportWorld&)> setUp;
    std::optional<NewPcAnswer> answer;
    bool disableReports;
    std::string mapping;
    bool asks = true;
  };
  const Case cases[] = {
      {"cancel", {}, std::nullopt, false, "(missing)"},
      {"never on this PC", {}, NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, true, false}, false,
       "[716774B53A92B98525BBA179A159CC71]\r\nDisabled=1\r\n"},
      {"reports off", {}, NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, false, true}, true, "(missing)"},
      {"both", {}, NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, true, true}, true,
       "[716774B53A92B98525BBA179A159CC71]\r\nDisabled=1\r\n"},
      {"disabled PC is not asked",
       [](ReportWorld& t) {
         IniFile ini;
         (void)ini.WriteString(kAbc, u"ClientName", u"Acme");
         (void)ini.WriteString(kAbc, u"Disabled", u"1");
         t.files.CreateFolders(kStore);
         (void)WriteIniFile(t.files, kMapping, ini);
       },
       Client(u"Other"), false, "[716774B53A92B98525BBA179A159CC71]\r\nClientName=Acme\r\nDisabled=1\r\n",
       false},
      {"no serial anywhere", [](ReportWorld& t) { t.wmi.rows.clear(); }, Client(u"Acme"), false,
       "(missing)", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReportWorld fresh;
    if (c.setUp) c.setUp(fresh);
    const auto result = StartReport(fresh.ports, kStore, u"Kelvara", fresh.Answering(c.answer), fresh.session);
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.disableReports, c.disableReports);
    EXPECT_EQ(fresh.session.currentReportPath, u"");
    EXPECT_EQ(fresh.Mapping(), c.mapping);
    EXPECT_EQ(fresh.asked.size(), c.asks ? 1u : 0u);
  }
}

// Scheduled runs never wait for a window; the PC is asked about at the
// next interactive start.
TEST_F(ReportStoreTest, AQuietRunFilesUnderUnassignedAndLeavesTheMapAlone) {
  ASSERT_TRUE(Start(nullptr).started);
  EXPECT_EQ(session.currentReportPath,
            std::u16string(kStore) + u"\\Unassigned\\" + std::u16string(kAbc) + u"\\2024-03-07.html");
  EXPECT_EQ(Mapping(), "(missing)");

  session = {};
  ASSERT_TRUE(Start(Answering(Client(u"Acme MainBranch"))).started);
  EXPECT_EQ(asked.size(), 1u) << "the interactive start asks";
  EXPECT_EQ(session.currentReportPath, kAcmeReport);

  session = {};
  ASSERT_TRUE(Start(nullptr).started);
  EXPECT_EQ(session.currentReportPath, kAcmeReport) << "a known PC keeps its client";
}

// A map that is there but cannot be read is never saved over: every
// client association in it would be lost.
TEST_F(ReportStoreTest, AnUnreadableMapIsNeitherAskedAboutNorOverwritten) {
  files.WriteText(kMapping, "\xFF\xFE[");
  files.FailNext(FakeFileSystem::Call::kReadAll, kMapping);
  ASSERT_TRUE(Start(Answering(Client(u"Acme"))).started);
  EXPECT_TRUE(asked.empty());
  EXPECT_NE(session.currentReportPath.find(u"\\Unassigned\\"), std::u16string::npos);
  EXPECT_EQ(files.ReadText(kMapping), "\xFF\xFE[");
}

TEST_F(ReportStoreTest, TheMapIsReplacedInOneStep) {
  IniFile ini;
  (void)ini.WriteString(u"OTHERPC", u"ClientName", u"Beta");
  files.CreateFolders(kStore);
  ASSERT_TRUE(WriteIniFile(files, kMapping, ini));
  // Both saves of the start: the client, then the PC's name.
  files.FailNext(FakeFileSystem::Call::kMoveTo, std::u16string(kMapping) + u".new");
  files.FailNext(FakeFileSystem::Call::kMoveTo, std::u16string(kMapping) + u".new");
  Start(Answering(Client(u"Acme")));
  EXPECT_EQ(Mapping(), "[OTHERPC]\r\nClientName=Beta\r\n") << "a failed save keeps the old file whole";
  EXPECT_FALSE(Exists(files, std::u16string(kMapping) + u".new"));
}

TEST_F(ReportStoreTest, RowsAppendInOrderWithTheFooterLast) {
  ASSERT_TRUE(Start(Answering(Client(u"Acme MainBranch"))).started);
  const std::size_t before = files.ReadText(kAcmeReport)->size();
  clock.now = {2024, 3, 7, 14, 6, 1, 0};
  const auto first = AppendReportEntry(files, clock, session, u"Update tool: ", u"Autoruns",
                                       u"Success: The tool was updated.");
  clock.now = {2024, 3, 7, 14, 7, 30, 0};
  const auto second = AppendReportEntry(files, clock, session, u"Run tool: ", u"Autoruns",
                                        u"Failure: The tool exited with code 5.");
  const auto report = files.ReadText(kAcmeReport);
  ASSERT_TRUE(report);
  std::ifstream in(std::string(KVA_TEST_DATA) + "/reporting/two-rows.html", std::ios::binary);
  std::string golden{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // The golden head names the same client and fingerprint, another PC text.
  golden.replace(golden.find("0123456789ABCDEF0123456789ABCDEF"), 32, "716774B53A92B98525BBA179A159CC71");
  EXPECT_EQ(*report, golden);
  EXPECT_EQ(before + first + second, report->size() + 2 * kReportFooterBytes)
      << "each row with a footer, over the old one";
}

TEST_F(ReportStoreTest, AppendsNothingWithoutAReport) {
  EXPECT_EQ(AppendReportEntry(files, clock, session, u"Run tool: ", u"x", u"Success: y"), 0u);
  ASSERT_TRUE(Start(Answering(Client(u"Acme MainBranch"))).started);
  ASSERT_TRUE(files.RemoveFile(kAcmeReport));
  EXPECT_EQ(AppendReportEntry(files, clock, session, u"Run tool: ", u"x", u"Success: y"), 0u);
  EXPECT_FALSE(Exists(files, kAcmeReport)) << "a deleted report is not made again";
}

// A crash or a hand edit leaves a file whose end is not the footer:
// writing 88 bytes before the end would eat real rows.
TEST_F(ReportStoreTest, AFileWithoutItsFooterKeepsEveryByte) {
  ASSERT_TRUE(Start(Answering(Client(u"Acme MainBranch"))).started);
  AppendReportEntry(files, clock, session, u"Run tool: ", u"First", u"Success: one");
  AppendReportEntry(files, clock, session, u"Run tool: ", u"Second", u"Success: two");
  std::string cut = *files.ReadText(kAcmeReport);
  cut.resize(cut.size() - kReportFooterBytes);  // the footer never made it
  files.WriteText(kAcmeReport, cut);

  AppendReportEntry(files, clock, session, u"Run tool: ", u"Third", u"Success: three");
  const auto report = *files.ReadText(kAcmeReport);
  EXPECT_TRUE(report.starts_with(cut)) << "both earlier rows kept";
  EXPECT_NE(report.find("Third"), std::string::npos);
  EXPECT_TRUE(report.ends_with(Utf16ToUtf8(kReportFooter)));

  const std::string edited = report + "\r\n<!-- note -->";
  files.WriteText(kAcmeReport, edited);
  AppendReportEntry(files, clock, session, u"Run tool: ", u"Fourth", u"Success: four");
  EXPECT_TRUE(files.ReadText(kAcmeReport)->starts_with(edited));
}

TEST_F(ReportStoreTest, AFileTooShortForAHeadGetsANewOne) {
  ASSERT_TRUE(Start(Answering(Client(u"Acme MainBranch"))).started);
  files.WriteText(kAcmeReport, "\xEF\xBB\xBF<!DOCTYPE");
  EXPECT_GT(AppendReportEntry(files, clock, session, u"Run tool: ", u"Autoruns", u"Success: ok"), 0u);
  const auto report = *files.ReadText(kAcmeReport);
  EXPECT_TRUE(report.starts_with("\xEF\xBB\xBF<!DOCTYPE html>\r\n"));
  EXPECT_EQ(report.find("<!DOCTYPE", 10), std::string::npos) << "one head";
  EXPECT_NE(report.find("Autoruns"), std::string::npos);
  EXPECT_TRUE(report.ends_with(Utf16ToUtf8(kReportFooter)));
  EXPECT_FALSE(Exists(files, kAcmeReport + u".new"));
}

}  // namespace
}  // namespace kva::reporttest
