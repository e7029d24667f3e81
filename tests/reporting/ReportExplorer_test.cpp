#include "reporting/ReportExplorer.h"

#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kStore = u"C:\\Kit\\Kelvara tools\\KVA Reports";
constexpr std::u16string_view kPc1 = u"11111111111111111111111111111111";
constexpr std::u16string_view kPc2 = u"22222222222222222222222222222222";
constexpr std::u16string_view kPc3 = u"33333333333333333333333333333333";

std::u16string At(std::u16string_view relative) {
  return std::u16string(kStore) + u"\\" + std::u16string(relative);
}
std::u16string At(std::u16string_view client, std::u16string_view pc, std::u16string_view file = {}) {
  auto path = At(client) + u"\\" + std::u16string(pc);
  return file.empty() ? path : path + u"\\" + std::u16string(file);
}

// Acme with two PCs (one with two reports), Beta with one PC, and things
// the tree must leave out.
class ReportExplorerTest : public ::testing::Test {
 protected:
  ReportExplorerTest() {
    files.WriteText(At(u"Acme", kPc1, u"2024-03-07.html"), std::string(12595, 'x'));
    files.WriteText(At(u"Acme", kPc1, u"2024-03-08.html"), "x");
    files.WriteText(At(u"Acme", kPc1, u"notes.txt"), "not a report");
    files.CreateFolders(At(u"Acme", kPc1, u"sub.html"));
    files.CreateFolders(At(u"Acme", kPc2));
    files.WriteText(At(u"Beta Repairs", kPc3, u"2024-01-01.html"), "x");
    files.CreateFolders(At(u"Linked"));
    files.MarkReparsePoint(At(u"Linked"));
    files.WriteText(At(u"kva_icon.png"), "png");
    IniFile mapping;
    (void)mapping.WriteString(kPc1, u"ClientName", u"Acme");
    (void)mapping.WriteString(kPc1, u"PCName", u"Dell Inc. OptiPlex 7010");
    (void)mapping.WriteString(kPc2, u"ClientName", u"Acme");
    (void)mapping.WriteString(kPc3, u"ClientName", u"Beta Repairs");
    EXPECT_TRUE(WriteIniFile(files, At(u"mapping.ini"), mapping));
    tree = LoadReportTree(files, kStore);
  }

  std::string Names(const std::optional<ReportTreePosition>& at) {
    if (!at) return "(none)";
    std::string text;
    for (const auto& name : PathAt(tree, *at)) text += (text.empty() ? "" : "/") + Utf16ToUtf8(name);
    return text;
  }

  FakeFileSystem files;
  std::vector<ReportTreeItem> tree;
};

TEST_F(ReportExplorerTest, TheTreeHoldsClientsPcsAndReportsOnly) {
  ASSERT_EQ(tree.size(), 2u);
  EXPECT_EQ(tree[0].name, u"Acme");
  EXPECT_EQ(tree[1].name, u"Beta Repairs");
  ASSERT_EQ(tree[0].children.size(), 2u);
  EXPECT_EQ(tree[0].children[0].name, kPc1);
  ASSERT_EQ(tree[0].children[0].children.size(), 2u);
  EXPECT_EQ(tree[0].children[0].children[0].name, u"2024-03-07.html");
  EXPECT_EQ(tree[0].children[0].children[1].name, u"2024-03-08.html");
  EXPECT_TRUE(tree[0].children[1].children.empty());
}

TEST_F(ReportExplorerTest, InformationTexts) {
  struct Case {
    const char* name;
    ReportItemPath item;
    std::u16string want;
  };
  const Case cases[] = {
      {"client", {u"Acme"},
       u"Client name:\r\nAcme\r\n\r\nAdded in: 2024/01/02 03:04:05\r\n\r\nNumber of PCs: 2"},
      {"PC with a name", {u"Acme", std::u16string(kPc1)},
       u"PC vendor, make and model: \r\nDell Inc. OptiPlex 7010\r\n\r\nHardware fingerprint:\r\n" +
           std::u16string(kPc1) +
           u"\r\n\r\nAdded in: 2024/01/02 03:04:05\r\n\r\nNumber of reports from this PC: 3"},
      {"PC without", {u"Acme", std::u16string(kPc2)},
       u"Hardware fingerprint:\r\n" + std::u16string(kPc2) +
           u"\r\n\r\nAdded in: 2024/01/02 03:04:05\r\n\r\nNumber of reports from this PC: 0"},
      {"report", {u"Acme", std::u16string(kPc1), u"2024-03-07.html"},
       u"Report creation date:\r\n2024-03-07\r\n\r\nReport file size: 12.2 KB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf16ToUtf8(ReportItemInfo(files, kStore, c.item)), Utf16ToUtf8(c.want));
  }
}

TEST_F(ReportExplorerTest, FindWalksOnFromTheSelectionAndWrapsToTheFirstClient) {
  struct Case {
    const char* name;
    std::optional<ReportTreePosition> from;
    std::u16string text;
    std::string want;
  };
  const Case cases[] = {
      {"from the top", std::nullopt, u"2024-03", "Acme/11111111111111111111111111111111/2024-03-07.html"},
      {"after the selection", ReportTreePosition{0, 0, 0}, u"2024-03",
       "Acme/11111111111111111111111111111111/2024-03-08.html"},
      {"into the next client", ReportTreePosition{0, 1}, u"2024",
       "Beta Repairs/33333333333333333333333333333333/2024-01-01.html"},
      {"case-insensitive", std::nullopt, u"beta", "Beta Repairs"},
      {"wraps round", ReportTreePosition{1}, u"acme", "Acme"},
      {"wraps to the selection itself", ReportTreePosition{1}, u"beta", "Beta Repairs"},
      {"nothing", std::nullopt, u"Gamma", "(none)"},
      {"empty text", std::nullopt, u"", "(none)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Names(FindReportItem(tree, c.from, c.text)), c.want);
  }
}

// Deleting a client forgets its PCs, so that they are asked about again.
TEST_F(ReportExplorerTest, RemovingForgetsTheMapSectionsOfWhatGoes) {
  ASSERT_TRUE(RemoveReportItem(files, kStore, {u"Acme"}));
  EXPECT_FALSE(Exists(files, At(u"Acme")));
  auto mapping = ReadIniFile(files, At(u"mapping.ini"));
  EXPECT_EQ(mapping.Sections(), std::vector<std::u16string>{std::u16string(kPc3)});

  ASSERT_TRUE(RemoveReportItem(files, kStore, {u"Beta Repairs", std::u16string(kPc3), u"2024-01-01.html"}));
  EXPECT_TRUE(Exists(files, At(u"Beta Repairs", kPc3))) << "only the report";
  EXPECT_EQ(ReadIniFile(files, At(u"mapping.ini")).Sections().size(), 1u);
  ASSERT_TRUE(RemoveReportItem(files, kStore, {u"Beta Repairs", std::u16string(kPc3)}));
  EXPECT_TRUE(ReadIniFile(files, At(u"mapping.ini")).Sections().empty());
  EXPECT_TRUE(Exists(files, At(u"Beta Repairs")));
}

TEST_F(ReportExplorerTest, AnUnreadableMapStopsTheRemovalOfAClient) {
  files.FailNext(FakeFileSystem::Call::kReadAll, At(u"mapping.ini"));
  EXPECT_FALSE(RemoveReportItem(files, kStore, {u"Acme"}));
  EXPECT_TRUE(Exists(files, At(u"Acme", kPc1, u"2024-03-07.html")));
  EXPECT_EQ(ReadIniFile(files, At(u"mapping.ini")).Sections().size(), 3u);
}

TEST_F(ReportExplorerTest, QuestionsAndTheSendPath) {
  EXPECT_EQ(RemoveQuestion(ReportItemKind::kClient), kRemoveClientQuestion);
  EXPECT_EQ(RemoveQuestion(ReportItemKind::kPc), kRemovePcQuestion);
  EXPECT_EQ(RemoveQuestion(ReportItemKind::kReport), kRemoveReportQuestion);
  EXPECT_EQ(ReportSendPath({u"Acme", std::u16string(kPc1), u"2024-03-07.html"}),
            u"Reports\\Acme\\" + std::u16string(kPc1) + u"\\2024-03-07.html");
  EXPECT_EQ(ReportSendPath({u"Acme"}), u"") << "only a report is sent";
}

}  // namespace
}  // namespace kva
