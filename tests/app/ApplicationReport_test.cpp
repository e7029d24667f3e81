#include "app/Application.h"

#include <gtest/gtest.h>

#include "app/AppFixture.h"
#include "platform/IniFile.h"
#include "platform/RegistryAccess.h"

namespace kva {
namespace {

using namespace kva::apptest;

constexpr std::u16string_view kStore = u"C:\\Kit\\Kelvara tools\\KVA Reports";
constexpr std::u16string_view kFingerprint = u"716774B53A92B98525BBA179A159CC71";  // serial "ABC"

class ApplicationReportTest : public ::testing::Test, protected AppFixture {
 protected:
  ApplicationReportTest() {
    wmi.rows[u"Select Vendor, Name, IdentifyingNumber from Win32_ComputerSystemProduct"] = {
        {u"Vendor", u"Dell Inc."}, {u"Name", u"OptiPlex 7010"}, {u"IdentifyingNumber", u"ABC"}};
    clock.now = {2024, 3, 7, 14, 5, 9, 0};
  }
  std::u16string ReportIn(std::u16string_view client) {
    return std::u16string(kStore) + u"\\" + std::u16string(client) + u"\\" +
           std::u16string(kFingerprint) + u"\\2024-03-07.html";
  }
  std::optional<std::u16string> MappedClient() {
    return ReadIniFile(files, std::u16string(kStore) + u"\\mapping.ini")
        .ReadString(kFingerprint, u"ClientName");
  }
};

TEST_F(ApplicationReportTest, AnInteractiveStartAsksAboutANewPcAndStartsItsReport) {
  shell.newPcAnswer = NewPcAnswer{NewPcAnswer::Kind::kClient, u"Acme", false, false};
  RunProgram({});
  ASSERT_EQ(shell.newPcQuestions.size(), 1u);
  EXPECT_EQ(shell.newPcQuestions[0].pcText, u"Dell Inc. OptiPlex 7010");
  EXPECT_EQ(MappedClient(), u"Acme");
  EXPECT_TRUE(Exists(files, ReportIn(u"Acme")));
}

TEST_F(ApplicationReportTest, RowsGoToThisRunsReport) {
  Application app(Ports());
  EXPECT_EQ(app.AppendReportEntry(u"Run tool: ", u"Autoruns", u"Success: ok"), 0u) << "none yet";
  app.Run({u"/Quiet"}, u"");
  EXPECT_GT(app.AppendReportEntry(u"Run tool: ", u"Autoruns", u"Success: ok"), 0u);
  const auto report = files.ReadText(ReportIn(u"Unassigned"));
  ASSERT_TRUE(report);
  EXPECT_NE(report->find("<td class=\"ftd1\">Run tool: Autoruns</td>"), std::string::npos);
}

TEST_F(ApplicationReportTest, AQuietStartNeverAsksAndFilesUnderUnassigned) {
  RunProgram({u"/Quiet"});
  EXPECT_TRUE(shell.newPcQuestions.empty());
  EXPECT_TRUE(Exists(files, ReportIn(u"Unassigned")));
  EXPECT_EQ(MappedClient(), std::nullopt) << "the next interactive start still asks";
}

TEST_F(ApplicationReportTest, TurningReportsOffIsSavedAndStopsTheQuestion) {
  shell.newPcAnswer = NewPcAnswer{NewPcAnswer::Kind::kNoReport, {}, false, true};
  RunProgram({});
  EXPECT_EQ(shell.newPcQuestions.size(), 1u);
  EXPECT_FALSE(Exists(files, std::u16string(kStore) + u"\\Unassigned"));
  RunProgram({});
  EXPECT_EQ(shell.newPcQuestions.size(), 1u) << "reports are off for good";
}

}  // namespace
}  // namespace kva
