// What the fake does beyond the contract suite: the Windows rules that Wine
// (run as root) does not enforce, path resolution, and the failure hooks.
#include "fakes/FakeFileSystem.h"

#include <gtest/gtest.h>

namespace kva {
namespace {

using Call = FakeFileSystem::Call;

class FakeFileSystemTest : public ::testing::Test {
 protected:
  bool Write(std::u16string_view path, std::string_view text) {
    return fs.WriteAll(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()),
                                       text.size()));
  }
  FakeFileSystem fs;
};

TEST_F(FakeFileSystemTest, ResolvesPathsLikeGetFullPathName) {
  fs.AddDrive(u'd');
  ASSERT_TRUE(fs.CreateFolders(u"C:\\Work\\Sub"));
  ASSERT_TRUE(fs.SetCurrentFolder(u"c:\\work\\sub"));
  struct Case {
    const char* name;
    std::u16string_view written, absolute;
  };
  const Case cases[] = {
      {"relative", u"a.txt", u"C:\\Work\\Sub\\a.txt"},
      {"parent", u"..\\b.txt", u"C:\\Work\\b.txt"},
      {"rooted", u"\\c.txt", u"C:\\c.txt"},
      {"drive-relative", u"C:d.txt", u"C:\\Work\\Sub\\d.txt"},
      {"forward slashes", u"C:/Work/e.txt", u"C:\\Work\\e.txt"},
      {"dots", u"C:\\Work\\.\\Sub\\..\\f.txt", u"C:\\Work\\f.txt"},
      {"above the root", u"C:\\..\\..\\g.txt", u"C:\\g.txt"},
      {"other drive", u"d:h.txt", u"D:\\h.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Write(c.written, c.name));
    EXPECT_EQ(fs.ReadText(c.absolute), c.name);
  }
  EXPECT_EQ(fs.CurrentFolder(), u"C:\\work\\sub") << "names as the caller wrote them";
}

TEST_F(FakeFileSystemTest, RefusesPathsWindowsRefuses) {
  const std::u16string_view paths[] = {
      u"", u"\\\\server\\share\\x.txt", u"E:\\no drive.txt", u"C:\\a|b.txt", u"C:\\a*b.txt",
  };
  for (const auto path : paths) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    EXPECT_FALSE(Write(path, "x"));
    EXPECT_FALSE(fs.CreateFolders(path));
  }
  ASSERT_TRUE(Write(u"C:\\file.txt", "x"));
  EXPECT_EQ(fs.Attributes(u"C:\\file.txt\\"), attr::kInvalid) << "a file is no folder";
}

TEST_F(FakeFileSystemTest, EnforcesReadOnlyHiddenAndVolumeRules) {
  fs.AddDrive(u'D');
  ASSERT_TRUE(Write(u"C:\\ro.txt", "keep"));
  ASSERT_TRUE(Write(u"C:\\hidden.dat", "keep"));
  ASSERT_TRUE(Write(u"C:\\new.txt", "new"));
  ASSERT_TRUE(fs.SetAttributes(u"C:\\ro.txt", attr::kReadOnly));
  ASSERT_TRUE(fs.SetAttributes(u"C:\\hidden.dat", attr::kHidden));

  EXPECT_FALSE(Write(u"C:\\ro.txt", "lost"));
  EXPECT_FALSE(fs.MoveTo(u"C:\\new.txt", u"C:\\ro.txt", true));
  EXPECT_FALSE(fs.CopyTo(u"C:\\new.txt", u"C:\\ro.txt", true));
  EXPECT_FALSE(fs.CopyTo(u"C:\\new.txt", u"C:\\hidden.dat", true));
  EXPECT_EQ(fs.ReadText(u"C:\\ro.txt"), "keep");
  EXPECT_EQ(fs.ReadText(u"C:\\hidden.dat"), "keep");
  EXPECT_TRUE(fs.MoveTo(u"C:\\new.txt", u"C:\\hidden.dat", true)) << "a rename may replace it";

  EXPECT_FALSE(fs.MoveTo(u"C:\\ro.txt", u"D:\\ro.txt", false)) << "no copy between drives";
  EXPECT_TRUE(fs.CopyTo(u"C:\\ro.txt", u"D:\\ro.txt", false));
  EXPECT_EQ(fs.Attributes(u"D:\\ro.txt"), attr::kReadOnly | attr::kArchive);
}

TEST_F(FakeFileSystemTest, RenamesCaseOnly) {
  ASSERT_TRUE(Write(u"C:\\setup.exe", "MZ"));
  ASSERT_TRUE(fs.MoveTo(u"C:\\setup.exe", u"C:\\Setup.EXE", false));
  const auto found = fs.Find(u"C:\\*");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].name, u"Setup.EXE");
}

TEST_F(FakeFileSystemTest, FailNextStopsOneCallOnEitherEnd) {
  ASSERT_TRUE(Write(u"C:\\kva_settings.new", "new"));
  ASSERT_TRUE(Write(u"C:\\kva_settings.dat", "old"));
  fs.FailNext(Call::kMoveTo, u"c:\\KVA_SETTINGS.DAT");
  EXPECT_FALSE(fs.MoveTo(u"C:\\kva_settings.new", u"C:\\kva_settings.dat", true));
  EXPECT_EQ(fs.ReadText(u"C:\\kva_settings.dat"), "old");
  EXPECT_EQ(fs.ReadText(u"C:\\kva_settings.new"), "new");
  EXPECT_TRUE(fs.MoveTo(u"C:\\kva_settings.new", u"C:\\kva_settings.dat", true)) << "only once";

  fs.FailNext(Call::kRemoveFile, u"C:\\kva_settings.dat");
  EXPECT_FALSE(fs.RemoveFile(u"C:\\kva_settings.dat"));
  EXPECT_TRUE(Write(u"C:\\other.txt", "x")) << "other calls go through";
  EXPECT_TRUE(fs.RemoveFile(u"C:\\kva_settings.dat"));

  fs.FailNext(Call::kWriteAll, u"C:\\fresh.txt");
  EXPECT_FALSE(Write(u"C:\\fresh.txt", "x"));
  EXPECT_EQ(fs.Attributes(u"C:\\fresh.txt"), attr::kInvalid) << "no empty file left";
  fs.FailNext(Call::kCopyTo, u"C:\\copy.txt");
  EXPECT_FALSE(fs.CopyTo(u"C:\\other.txt", u"C:\\copy.txt", false));
  EXPECT_EQ(fs.Attributes(u"C:\\copy.txt"), attr::kInvalid);
}

TEST_F(FakeFileSystemTest, TornWriteKeepsOnlyTheFirstBytes) {
  ASSERT_TRUE(Write(u"C:\\kva_sel.kvasel", "complete old selection"));
  fs.TearNextWrite(u"C:\\kva_sel.kvasel", 4);
  EXPECT_FALSE(Write(u"C:\\kva_sel.kvasel", "new selection"));
  EXPECT_EQ(fs.ReadText(u"C:\\kva_sel.kvasel"), "new ");
  EXPECT_TRUE(Write(u"C:\\kva_sel.kvasel", "new selection"));
  EXPECT_EQ(fs.ReadText(u"C:\\kva_sel.kvasel"), "new selection");
}

}  // namespace
}  // namespace kva
