#include "operations/ZipExtraction.h"

#include <map>

#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "operations/ZipFixture.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kArchive = u"C:\\Downloads\\tool.zip";
constexpr std::u16string_view kDestination = u"C:\\Tools\\tool";

// Every file and folder on drive C: outside the downloads folder, with the
// files' contents: what an extraction left behind, wherever it went.
using Tree = std::map<std::string, std::string>;
constexpr std::string_view kFolder = "<folder>";

void Collect(FakeFileSystem& files, const std::u16string& folder, Tree& tree) {
  for (const auto& found : files.Find(folder + u"\\*")) {
    const std::u16string path = folder + u"\\" + found.name;
    if (EqualsNoCase(path, u"C:\\Downloads")) continue;
    if (found.attributes & attr::kDirectory) {
      tree[Utf16ToUtf8(path)] = kFolder;
      Collect(files, path, tree);
    } else {
      tree[Utf16ToUtf8(path)] = files.ReadText(path).value_or("<unreadable>");
    }
  }
}

Tree TreeOf(FakeFileSystem& files) {
  Tree tree;
  Collect(files, u"C:", tree);
  return tree;
}

const std::string kText(2000, 'k');  // compresses well, so deflate really deflates

struct Case {
  const char* name;
  std::vector<ZipFixtureEntry> entries;
  std::u16string_view password;
  std::optional<ZipFailure> want;  // nothing: extracted
  Tree wantTree;                   // on success; a failure leaves an empty tree
};

std::vector<Case> Cases() {
  const std::string folder(kFolder);
  return {
      {"stored and deflated files, nested folders", {
           {"readme.txt", "stored text", false},
           {"bin/x64/tool.exe", kText},
           {"empty/", ""},
       }, u"", std::nullopt, {
           {"C:\\Tools", folder},
           {"C:\\Tools\\tool", folder},
           {"C:\\Tools\\tool\\bin", folder},
           {"C:\\Tools\\tool\\bin\\x64", folder},
           {"C:\\Tools\\tool\\bin\\x64\\tool.exe", kText},
           {"C:\\Tools\\tool\\empty", folder},
           {"C:\\Tools\\tool\\readme.txt", "stored text"},
       }},
      {"backslashes in a stored name", {{"bin\\tool.exe", "x"}}, u"", std::nullopt, {
           {"C:\\Tools", folder},
           {"C:\\Tools\\tool", folder},
           {"C:\\Tools\\tool\\bin", folder},
           {"C:\\Tools\\tool\\bin\\tool.exe", "x"},
       }},
      {"an empty archive makes the folder", {}, u"", std::nullopt, {
           {"C:\\Tools", folder},
           {"C:\\Tools\\tool", folder},
       }},
      {"right password, deflated and stored", {
           {"a.txt", kText, true, "pass word"},
           {"b.txt", "plain", false, "pass word"},
       }, u"pass word", std::nullopt, {
           {"C:\\Tools", folder},
           {"C:\\Tools\\tool", folder},
           {"C:\\Tools\\tool\\a.txt", kText},
           {"C:\\Tools\\tool\\b.txt", "plain"},
       }},
      {"a password on an archive that needs none is harmless",
       {{"a.txt", "plain"}}, u"unused", std::nullopt, {
           {"C:\\Tools", folder},
           {"C:\\Tools\\tool", folder},
           {"C:\\Tools\\tool\\a.txt", "plain"},
       }},
      {"wrong password on a deflated entry writes nothing", {
           {"plain.txt", "first, unencrypted"},
           {"a.txt", kText, true, "right"},
       }, u"wrong", ZipFailure{ZipError::kWrongPassword, u"a.txt"}, {}},
      {"wrong password on a stored entry writes nothing",
       {{"a.txt", "stored secret", false, "right"}}, u"wrong",
       ZipFailure{ZipError::kWrongPassword, u"a.txt"}, {}},
      {"no password for an encrypted entry",
       {{"a.txt", kText, true, "right"}}, u"",
       ZipFailure{ZipError::kWrongPassword, u"a.txt"}, {}},
      {"a ..\\ entry after good ones writes nothing", {
           {"good.txt", "fine"},
           {"..\\..\\Windows\\evil.exe", "bad"},
       }, u"", ZipFailure{ZipError::kUnsafeEntry, u"..\\..\\Windows\\evil.exe"}, {}},
      {"a ../ entry inside a folder",
       {{"bin/../../evil.exe", "bad"}}, u"",
       ZipFailure{ZipError::kUnsafeEntry, u"bin/../../evil.exe"}, {}},
      {"an absolute entry",
       {{"/Windows/evil.exe", "bad"}}, u"",
       ZipFailure{ZipError::kUnsafeEntry, u"/Windows/evil.exe"}, {}},
      {"a drive-letter entry",
       {{"C:\\Windows\\evil.exe", "bad"}}, u"",
       ZipFailure{ZipError::kUnsafeEntry, u"C:\\Windows\\evil.exe"}, {}},
      {"a device name",
       {{"nul.txt", "bad"}}, u"", ZipFailure{ZipError::kUnsafeEntry, u"nul.txt"}, {}},
  };
}

TEST(ZipExtraction, ExtractsWholeArchivesAndRefusesBadOnesBeforeWriting) {
  for (const auto& c : Cases()) {
    SCOPED_TRACE(c.name);
    FakeFileSystem files;
    ASSERT_TRUE(files.CreateFolders(u"C:\\Downloads"));
    ASSERT_TRUE(files.WriteAll(kArchive, MakeZip(c.entries)));
    const auto got = ExtractZip(files, kArchive, kDestination, c.password);
    ASSERT_EQ(got.has_value(), !c.want.has_value())
        << (got ? "extracted" : Utf16ToUtf8(got.error().entry) + " failed with " +
                                    std::to_string(static_cast<int>(got.error().error)));
    if (!got) {
      EXPECT_EQ(got.error().error, c.want->error);
      EXPECT_EQ(Utf16ToUtf8(got.error().entry), Utf16ToUtf8(c.want->entry));
    }
    EXPECT_EQ(TreeOf(files), c.wantTree);
  }
}

std::vector<std::uint8_t> SampleZip() {
  return MakeZip({{"a.txt", kText}, {"b.txt", "second"}});
}

TEST(ZipExtraction, FailsCleanlyOnArchivesThatAreNotWhole) {
  const auto whole = SampleZip();
  auto flipped = whole;
  flipped[40] ^= 0xFF;  // inside a.txt's deflated data, after its 30-byte header and name
  struct Case {
    const char* name;
    std::optional<std::vector<std::uint8_t>> bytes;  // nothing: no archive file
    ZipError want;
  };
  const Case cases[] = {
      {"missing file", std::nullopt, ZipError::kUnreadable},
      {"empty file", std::vector<std::uint8_t>{}, ZipError::kNotAZip},
      {"garbage", std::vector<std::uint8_t>(300, 0x5A), ZipError::kNotAZip},
      {"cut before the end", std::vector<std::uint8_t>(whole.begin(), whole.end() - 10),
       ZipError::kNotAZip},
      {"cut in half", std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2),
       ZipError::kNotAZip},
      {"a flipped byte in the data", flipped, ZipError::kDamaged},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem files;
    ASSERT_TRUE(files.CreateFolders(u"C:\\Downloads"));
    if (c.bytes) {
      ASSERT_TRUE(files.WriteAll(kArchive, *c.bytes));
    }
    const auto got = ExtractZip(files, kArchive, kDestination, u"");
    ASSERT_FALSE(got.has_value());
    EXPECT_EQ(got.error().error, c.want);
    EXPECT_EQ(TreeOf(files), Tree());
  }
}

TEST(ZipExtraction, ReplacesOlderFilesInOneStep) {
  FakeFileSystem files;
  files.WriteText(u"C:\\Tools\\tool\\a.txt", "old version");
  files.WriteText(u"C:\\Tools\\tool\\kept.txt", "not in the archive");
  files.WriteText(kArchive, "");
  ASSERT_TRUE(files.WriteAll(kArchive, SampleZip()));
  ASSERT_TRUE(ExtractZip(files, kArchive, u"C:\\Tools\\tool\\", u"").has_value());
  EXPECT_EQ(files.ReadText(u"C:\\Tools\\tool\\a.txt"), kText);
  EXPECT_EQ(files.ReadText(u"C:\\Tools\\tool\\b.txt"), "second");
  EXPECT_EQ(files.ReadText(u"C:\\Tools\\tool\\kept.txt"), "not in the archive");
}

TEST(ZipExtraction, AFailedWriteIsReportedAndLeavesNoPartFile) {
  FakeFileSystem files;
  files.WriteText(u"C:\\Tools\\tool\\b.txt", "read-only copy");
  ASSERT_TRUE(files.SetAttributes(u"C:\\Tools\\tool\\b.txt", attr::kReadOnly));
  files.WriteText(kArchive, "");
  ASSERT_TRUE(files.WriteAll(kArchive, SampleZip()));
  const auto got = ExtractZip(files, kArchive, kDestination, u"");
  ASSERT_FALSE(got.has_value());
  EXPECT_EQ(got.error().error, ZipError::kWriteFailed);
  EXPECT_EQ(Utf16ToUtf8(got.error().entry), "b.txt");
  EXPECT_EQ(files.ReadText(u"C:\\Tools\\tool\\b.txt"), "read-only copy");
  EXPECT_TRUE(files.Find(u"C:\\Tools\\tool\\*.kva-partial").empty());
}

}  // namespace
}  // namespace kva
