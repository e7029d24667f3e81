#include "platform/FileSystemContract.h"

#include "fakes/FakeFileSystem.h"
#include "platform/Text.h"

namespace kva {

bool FileSystemContract::Write(std::u16string_view path, std::string_view text) {
  return Fs().WriteAll(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                       text.size()));
}

std::string FileSystemContract::Read(std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  if (!Fs().ReadAll(path, bytes)) return "(unreadable)";
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::u16string> FileSystemContract::Names(std::u16string_view pattern) {
  std::vector<std::u16string> names;
  for (const auto& found : Fs().Find(pattern)) names.push_back(found.name);
  return names;
}

std::string BackendName(const ::testing::TestParamInfo<FileSystemBackend>& info) {
  return info.param.name;
}

namespace {

constexpr std::uint32_t kVisibleBits = attr::kReadOnly | attr::kHidden | attr::kDirectory;

TEST_P(FileSystemContract, CreatesNestedFoldersAndRemovesOnlyEmptyOnes) {
  ASSERT_TRUE(Fs().CreateFolders(At(u"a\\b\\c")));
  EXPECT_TRUE(IsFolder(Fs(), At(u"a\\b")));
  EXPECT_TRUE(IsFolder(Fs(), At(u"a\\b\\c")));
  EXPECT_TRUE(Fs().CreateFolders(At(u"a\\b\\c"))) << "an existing folder is fine";
  EXPECT_TRUE(Fs().CreateFolders(At(u"a/b/d")));
  EXPECT_TRUE(IsFolder(Fs(), At(u"a\\b\\d")));

  ASSERT_TRUE(Write(At(u"a\\file.txt"), "x"));
  EXPECT_FALSE(Fs().CreateFolders(At(u"a\\file.txt\\sub"))) << "a file is in the way";
  EXPECT_FALSE(Fs().RemoveFolder(At(u"a\\file.txt")));
  EXPECT_FALSE(Fs().RemoveFolder(At(u"a\\b"))) << "not empty";
  EXPECT_TRUE(Fs().RemoveFolder(At(u"a\\b\\c")));
  EXPECT_FALSE(Exists(Fs(), At(u"a\\b\\c")));
  EXPECT_TRUE(IsFolder(Fs(), At(u"a\\b")));
}

TEST_P(FileSystemContract, WritesAndReadsBackAnyBytes) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"text", "[UI]\r\nCurrentTheme=Dark\r\n"},
      {"binary with NULs", std::string("\xFF\xFE\0\0regf\x01", 9)},
      {"large", std::string(300000, 'k')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Write(At(u"data.bin"), c.bytes));
    EXPECT_EQ(Read(At(u"data.bin")), c.bytes);
    std::uint64_t size = 99;
    ASSERT_TRUE(Fs().SizeOf(At(u"data.bin"), size));
    EXPECT_EQ(size, c.bytes.size()) << "a shorter write truncates";
  }
}

TEST_P(FileSystemContract, FailuresLeaveOutputsAlone) {
  std::vector<std::uint8_t> bytes{7};
  EXPECT_FALSE(Fs().ReadAll(At(u"missing.txt"), bytes));
  EXPECT_EQ(bytes, std::vector<std::uint8_t>{7});
  std::uint64_t size = 42;
  EXPECT_FALSE(Fs().SizeOf(At(u"missing.txt"), size));
  EXPECT_EQ(size, 42u);
  EXPECT_EQ(Fs().Attributes(At(u"missing.txt")), attr::kInvalid);
  EXPECT_FALSE(Write(At(u"no folder\\file.txt"), "x"));
  EXPECT_FALSE(Fs().RemoveFile(At(u"missing.txt")));
  EXPECT_TRUE(Fs().Find(At(u"no folder\\*")).empty());
}

// What appending to a report needs: its tail without the rest, and a
// write over its end that keeps everything before.
TEST_P(FileSystemContract, ReadsRangesAndWritesInPlace) {
  ASSERT_TRUE(Write(At(u"report.html"), "head|rows|footer"));
  struct Case {
    const char* name;
    std::uint64_t offset;
    std::size_t count;
    std::string want;
  };
  const Case reads[] = {
      {"head", 0, 4, "head"},
      {"tail", 10, 6, "footer"},
      {"past the end is cut", 10, 100, "footer"},
      {"at the end", 16, 5, ""},
      {"beyond the end", 40, 5, ""},
  };
  for (const auto& c : reads) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> bytes{1, 2};
    ASSERT_TRUE(Fs().ReadRange(At(u"report.html"), c.offset, c.count, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.want);
  }

  const std::string more = "row2|footer";
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(more.data()), more.size());
  ASSERT_TRUE(Fs().WriteAt(At(u"report.html"), 10, bytes));
  EXPECT_EQ(Read(At(u"report.html")), "head|rows|row2|footer");
  ASSERT_TRUE(Fs().WriteAt(At(u"report.html"), 0, std::span(bytes).first(4)));
  EXPECT_EQ(Read(At(u"report.html")), "row2|rows|row2|footer") << "not truncated";
  ASSERT_TRUE(Fs().WriteAt(At(u"report.html"), 21, bytes)) << "at the very end";
  EXPECT_EQ(Read(At(u"report.html")), "row2|rows|row2|footerrow2|footer");

  EXPECT_FALSE(Fs().WriteAt(At(u"report.html"), 100, bytes)) << "past the end";
  EXPECT_FALSE(Fs().WriteAt(At(u"missing.html"), 0, bytes)) << "only an existing file";
  EXPECT_FALSE(Exists(Fs(), At(u"missing.html")));
  std::vector<std::uint8_t> kept{7};
  EXPECT_FALSE(Fs().ReadRange(At(u"missing.html"), 0, 4, kept));
  EXPECT_EQ(kept, std::vector<std::uint8_t>{7});
}

TEST_P(FileSystemContract, TellsWhenFilesAndFoldersWereCreated) {
  ASSERT_TRUE(Fs().CreateFolders(At(u"client")));
  ASSERT_TRUE(Write(At(u"client\\a.html"), "x"));
  for (const auto& path : {At(u"client"), At(u"client\\a.html")}) {
    LocalTime created;
    ASSERT_TRUE(Fs().CreationTimeOf(path, created));
    EXPECT_GE(created.year, 2000);
    EXPECT_TRUE(created.month >= 1 && created.month <= 12);
  }
  LocalTime untouched{1, 1, 1, 1, 1, 1, 1};
  EXPECT_FALSE(Fs().CreationTimeOf(At(u"missing"), untouched));
  EXPECT_EQ(untouched.year, 1);
}

TEST_P(FileSystemContract, HiddenSurvivesRewriteCopyAndMove) {
  ASSERT_TRUE(Write(At(u"kva_settings.dat"), "v1"));
  ASSERT_TRUE(Fs().SetAttributes(At(u"kva_settings.dat"), attr::kHidden));
  ASSERT_TRUE(Write(At(u"kva_settings.dat"), "v2"));
  EXPECT_EQ(Read(At(u"kva_settings.dat")), "v2");
  ASSERT_TRUE(Fs().CopyTo(At(u"kva_settings.dat"), At(u"copy.dat"), false));
  ASSERT_TRUE(Fs().MoveTo(At(u"copy.dat"), At(u"moved.dat"), false));
  for (const auto* name : {u"kva_settings.dat", u"moved.dat"}) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    EXPECT_EQ(Fs().Attributes(At(name)) & kVisibleBits, attr::kHidden);
  }
  ASSERT_TRUE(Fs().SetAttributes(At(u"moved.dat"), attr::kNormal));
  EXPECT_EQ(Fs().Attributes(At(u"moved.dat")) & kVisibleBits, 0u);
  EXPECT_EQ(Fs().Attributes(Root()) & kVisibleBits, attr::kDirectory);
}

TEST_P(FileSystemContract, ReadOnlyBlocksRemoveFile) {
  ASSERT_TRUE(Write(At(u"7za.exe"), "MZ"));
  ASSERT_TRUE(Fs().SetAttributes(At(u"7za.exe"), attr::kReadOnly));
  EXPECT_FALSE(Fs().RemoveFile(At(u"7za.exe")));
  EXPECT_EQ(Read(At(u"7za.exe")), "MZ");
  ASSERT_TRUE(Fs().SetAttributes(At(u"7za.exe"), attr::kNormal));
  EXPECT_TRUE(Fs().RemoveFile(At(u"7za.exe")));
  EXPECT_FALSE(Exists(Fs(), At(u"7za.exe")));
}

TEST_P(FileSystemContract, FindsByWindowsWildcardsInNameOrder) {
  for (const auto* name : {u"kva_settings.dat.LOG12", u"LICENSE", u"kva_settings.dat.LOG1",
                           u"kva_tools.dat", u"kva_settings.dat.LOG"}) {
    ASSERT_TRUE(Write(At(name), "log"));
  }
  ASSERT_TRUE(Fs().CreateFolders(At(u"Saved Selections")));
  using NameList = std::vector<std::u16string>;
  const NameList all = {u"kva_settings.dat.LOG", u"kva_settings.dat.LOG1",
                        u"kva_settings.dat.LOG12", u"kva_tools.dat",
                        u"LICENSE", u"Saved Selections"};
  struct Case {
    const char* name;
    std::u16string_view pattern;
    NameList want;
  };
  const Case cases[] = {
      {"one more character or none", u"kva_*.LOG?",
       {u"kva_settings.dat.LOG", u"kva_settings.dat.LOG1"}},
      {"star", u"*", all},
      {"star-dot-star", u"*.*", all},
      {"long names only", u"*.LOG", {u"kva_settings.dat.LOG"}},
      {"no wildcard, other case", u"KVA_TOOLS.DAT", {u"kva_tools.dat"}},
      {"nothing matches", u"*.kvasel", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Names(At(c.pattern)), c.want);
  }
  const auto found = Fs().Find(At(u"*"));
  ASSERT_EQ(found.size(), all.size());
  EXPECT_EQ(found[0].sizeBytes, 3u);
  EXPECT_EQ(found.back().attributes & attr::kDirectory, attr::kDirectory);
  EXPECT_EQ(found[0].attributes & attr::kDirectory, 0u);
}

TEST_P(FileSystemContract, MovesReplacingOnlyWhenAsked) {
  ASSERT_TRUE(Write(At(u"kva_settings.new"), "new"));
  ASSERT_TRUE(Write(At(u"kva_settings.dat"), "old"));
  EXPECT_FALSE(Fs().MoveTo(At(u"kva_settings.new"), At(u"kva_settings.dat"), false));
  EXPECT_EQ(Read(At(u"kva_settings.new")), "new");
  EXPECT_EQ(Read(At(u"kva_settings.dat")), "old");
  ASSERT_TRUE(Fs().MoveTo(At(u"kva_settings.new"), At(u"kva_settings.dat"), true));
  EXPECT_EQ(Read(At(u"kva_settings.dat")), "new");
  EXPECT_FALSE(Exists(Fs(), At(u"kva_settings.new")));

  ASSERT_TRUE(Fs().CreateFolders(At(u"tool")));
  ASSERT_TRUE(Write(At(u"tool\\setup.exe"), "MZ"));
  ASSERT_TRUE(Fs().MoveTo(At(u"tool"), At(u"tool.tmp"), false)) << "folders move too";
  EXPECT_EQ(Read(At(u"tool.tmp\\setup.exe")), "MZ");
  EXPECT_FALSE(Fs().MoveTo(At(u"tool.tmp"), At(u"tool.tmp\\inside"), false));
  EXPECT_FALSE(Fs().MoveTo(At(u"missing"), At(u"anything"), true));
}

TEST_P(FileSystemContract, CopiesOverwritingOnlyWhenAsked) {
  ASSERT_TRUE(Write(At(u"kva_tools.dat"), "catalogue"));
  ASSERT_TRUE(Write(At(u"temp.dat"), "stale"));
  EXPECT_FALSE(Fs().CopyTo(At(u"kva_tools.dat"), At(u"temp.dat"), false));
  EXPECT_EQ(Read(At(u"temp.dat")), "stale");
  ASSERT_TRUE(Fs().CopyTo(At(u"kva_tools.dat"), At(u"temp.dat"), true));
  EXPECT_EQ(Read(At(u"temp.dat")), "catalogue");
  ASSERT_TRUE(Fs().CopyTo(At(u"kva_tools.dat"), At(u"fresh.dat"), false));
  EXPECT_EQ(Read(At(u"fresh.dat")), "catalogue");
  EXPECT_EQ(Read(At(u"kva_tools.dat")), "catalogue");
  EXPECT_FALSE(Fs().CopyTo(At(u"missing.dat"), At(u"other.dat"), true));
}

TEST_P(FileSystemContract, NamesCompareWithoutCaseAndKeepTheirCase) {
  ASSERT_TRUE(Write(At(u"Readme.TXT"), "first"));
  EXPECT_EQ(Read(At(u"README.txt")), "first");
  ASSERT_TRUE(Write(At(u"readme.txt"), "second"));
  EXPECT_EQ(Read(At(u"Readme.TXT")), "second");
  EXPECT_EQ(Names(At(u"*")), std::vector<std::u16string>{u"Readme.TXT"});
  ASSERT_TRUE(Fs().CreateFolders(At(u"Kelvara Tools")));
  EXPECT_TRUE(IsFolder(Fs(), At(u"KELVARA TOOLS")));
  EXPECT_TRUE(Fs().RemoveFile(At(u"README.TXT")));
}

// The search path is the system's; what the scratch folder shows is that
// paths are never looked up and the current folder is not searched.
TEST_P(FileSystemContract, FindOnPathTakesOnlyBareNamesAndSkipsTheCurrentFolder) {
  const std::u16string before = Fs().CurrentFolder();
  ASSERT_TRUE(Write(At(u"kva-not-on-path.txt"), "x"));
  ASSERT_TRUE(Fs().SetCurrentFolder(Root()));
  EXPECT_EQ(Fs().FindOnPath(u"kva-not-on-path.txt"), std::nullopt);
  EXPECT_EQ(Fs().FindOnPath(At(u"kva-not-on-path.txt")), std::nullopt);
  EXPECT_EQ(Fs().FindOnPath(u".\\kva-not-on-path.txt"), std::nullopt);
  EXPECT_TRUE(Fs().SetCurrentFolder(before));
}

// The download job writes through extended-length paths.
TEST_P(FileSystemContract, ExtendedLengthPathsNameTheSameItems) {
  ASSERT_TRUE(Fs().CreateFolders(At(u"long")));
  EXPECT_TRUE(Write(u"\\\\?\\" + At(u"long\\file.txt"), "x"));
  EXPECT_EQ(Read(At(u"long\\file.txt")), "x");
  EXPECT_TRUE(IsFolder(Fs(), u"\\\\?\\" + At(u"long")));
}

TEST_P(FileSystemContract, RelativePathsFollowTheCurrentFolder) {
  const std::u16string before = Fs().CurrentFolder();
  ASSERT_TRUE(Fs().CreateFolders(At(u"work\\sub")));
  ASSERT_TRUE(Fs().SetCurrentFolder(At(u"work\\")));
  EXPECT_TRUE(EqualsNoCase(Fs().CurrentFolder(), At(u"work"))) << "no trailing backslash";
  EXPECT_FALSE(Fs().SetCurrentFolder(At(u"missing")));
  EXPECT_TRUE(EqualsNoCase(Fs().CurrentFolder(), At(u"work")));

  EXPECT_TRUE(Write(u"relative.txt", "here"));
  EXPECT_EQ(Read(At(u"work\\relative.txt")), "here");
  EXPECT_EQ(Read(u"sub/../relative.txt"), "here");
  EXPECT_EQ(Names(u"*.txt"), std::vector<std::u16string>{u"relative.txt"});

  ASSERT_TRUE(Fs().SetCurrentFolder(u"sub"));
  EXPECT_FALSE(Fs().RemoveFolder(At(u"work\\sub"))) << "the current folder stays";
  EXPECT_FALSE(Fs().MoveTo(At(u"work\\sub"), At(u"work\\moved"), false));
  ASSERT_TRUE(Fs().SetCurrentFolder(before));
  EXPECT_TRUE(Fs().RemoveFolder(At(u"work\\sub")));
}

TEST_P(FileSystemContract, TakesItemsOverAndSchedulesRemovalsAtRestart) {
  ASSERT_TRUE(Fs().CreateFolders(At(u"locked")));
  ASSERT_TRUE(Write(At(u"locked\\tool.exe"), "MZ"));
  EXPECT_TRUE(Fs().TakeOwnershipAndGrantFullAccess(At(u"locked")));
  EXPECT_TRUE(Fs().TakeOwnershipAndGrantFullAccess(At(u"locked\\tool.exe")));
  EXPECT_FALSE(Fs().TakeOwnershipAndGrantFullAccess(At(u"missing.exe")));
  EXPECT_TRUE(Write(At(u"locked\\tool.exe"), "MZ2")) << "full access";
  EXPECT_EQ(Read(At(u"locked\\tool.exe")), "MZ2");

  EXPECT_TRUE(Fs().RemoveAtRestart(At(u"locked\\tool.exe")));
  EXPECT_TRUE(Exists(Fs(), At(u"locked\\tool.exe"))) << "it stays until the restart";
  EXPECT_TRUE(Fs().RemoveFile(At(u"locked\\tool.exe")));
  EXPECT_TRUE(Fs().RemoveFolder(At(u"locked")));
}

class FakeScratch final : public FileSystemScratch {
 public:
  FakeScratch() { files_.CreateFolders(u"C:\\Scratch"); }
  FileSystem& Files() override { return files_; }
  std::u16string Root() override { return u"C:\\Scratch"; }

 private:
  FakeFileSystem files_;
};

INSTANTIATE_TEST_SUITE_P(Fake, FileSystemContract,
                         ::testing::Values(FileSystemBackend{
                             "Fake", [] { return std::make_unique<FakeScratch>(); }}),
                         BackendName);

}  // namespace
}  // namespace kva
