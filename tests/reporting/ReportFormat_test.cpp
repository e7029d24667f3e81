#include "reporting/ReportFormat.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/Text.h"

namespace kva {
namespace {

std::vector<std::uint8_t> Golden(const char* name) {
  std::ifstream in(std::string(KVA_TEST_DATA) + "/reporting/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const ReportHeadFields kAcme{u"Kelvara", {2024, 3, 7, 14, 5, 9, 0}, u"Acme MainBranch",
                             u"Dell Inc. OptiPlex 7010", u"0123456789ABCDEF0123456789ABCDEF"};

TEST(ReportFormat, NewReportIsExactlyTheFormatWithMarkLfLineAndFooterLast) {
  const auto bytes = NewReportBytes(kAcme);
  const auto want = Golden("new-report.html");
  ASSERT_FALSE(want.empty());
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string(want.begin(), want.end()));
  EXPECT_EQ(Utf8Bytes(kReportFooter).size(), kReportFooterBytes);
}

TEST(ReportFormat, RowsFollowTheHeadInTheGivenShape) {
  auto text = ReportHead(kAcme);
  text += ReportRow({u"Update tool: ", u"Autoruns", {2024, 3, 7, 14, 6, 1, 0},
                     u"Success: The tool was updated."});
  text += ReportRow({u"Run tool: ", u"Autoruns", {2024, 3, 7, 14, 7, 30, 0},
                     u"Failure: The tool exited with code 5."});
  text += kReportFooter;
  auto bytes = Utf8Bytes(text);
  bytes.insert(bytes.begin(), {0xEF, 0xBB, 0xBF});
  const auto want = Golden("two-rows.html");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string(want.begin(), want.end()));
}

TEST(ReportFormat, TimesAreZeroPadded) {
  const LocalTime early{987, 1, 2, 3, 4, 5, 0};
  EXPECT_EQ(ReportFileDate(early), u"0987-01-02");
  EXPECT_EQ(ReportHeaderTime(early), u"0987/01/02  03:04:05  ");
  EXPECT_EQ(ReportEntryTime(early), u"0987/01/02 03:04:05");
  EXPECT_EQ(ReportEntryTime({2024, 12, 31, 23, 59, 59, 999}), u"2024/12/31 23:59:59");
}

// Firmware strings, error texts and the branded name are outside input;
// the report is opened in a browser and sent on.
TEST(ReportFormat, EveryInsertedTextIsEscaped) {
  const std::u16string hostile = u"<script>alert(\"x\")</script> & co";
  const std::u16string escaped = u"&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; co";
  EXPECT_EQ(EscapeHtml(hostile), escaped);
  EXPECT_EQ(EscapeHtml(u"caf\u00e9 'quoted'"), u"caf\u00e9 'quoted'");

  const auto head = ReportHead({hostile, {}, hostile, hostile, u"ABC"});
  EXPECT_EQ(head.find(hostile), std::u16string::npos);
  EXPECT_NE(head.find(u"<title>" + escaped + u" HTML report</title>"), std::u16string::npos);
  EXPECT_NE(head.find(u"<p>Client name: " + escaped + u"</p>"), std::u16string::npos);
  EXPECT_NE(head.find(u"<p>PC: " + escaped + u"</p>\n"), std::u16string::npos);

  const auto row = ReportRow({hostile, hostile, {}, hostile});
  EXPECT_EQ(row.find(hostile), std::u16string::npos);
  EXPECT_TRUE(row.starts_with(u"\t\t\t<tr><td class=\"ftd1\">" + escaped + escaped + u"</td>"));
}

}  // namespace
}  // namespace kva
