// The deletion service on the fake file system: what goes, what stays, and
// what each option does when a removal is refused.
#include "platform/FileDeletion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeFileSystem.h"
#include "platform/Text.h"
#include "platform/Wildcard.h"

namespace kva {
namespace {

using Refusal = FakeFileSystem::Refusal;
using Paths = std::vector<std::u16string>;

constexpr std::uint32_t kOwn = deletion::kTakeOwnershipWhenRefused;
constexpr std::uint32_t kAtRestart = deletion::kAtRestartWhenRefused;

// Every item of the tree, parents before what they hold; folders are the
// names without an extension, and cache.txt.
const Paths kTree = {
    u"C:\\root.txt",
    u"C:\\Tools",
    u"C:\\Tools\\setup.exe",
    u"C:\\Tools\\readme.txt",
    u"C:\\Tools\\notes.txt",
    u"C:\\Tools\\keep.log",
    u"C:\\Tools\\cache.txt",
    u"C:\\Tools\\cache.txt\\ro.bin",
    u"C:\\Tools\\cache.txt\\Deep",
    u"C:\\Tools\\cache.txt\\Deep\\index.dat",
    u"C:\\Other\\readme.txt",
};

void BuildTree(FakeFileSystem& fs) {
  for (const auto& path : kTree) {
    const std::u16string_view name = SplitPattern(path).name;
    if (name.find(u'.') == kNpos || name == u"cache.txt") {
      fs.CreateFolders(path);
    } else {
      fs.WriteText(path, "x");
    }
  }
  fs.SetAttributes(u"C:\\Tools\\notes.txt", attr::kReadOnly);
  fs.SetAttributes(u"C:\\Tools\\cache.txt\\ro.bin", attr::kReadOnly | attr::kHidden);
  fs.SetAttributes(u"C:\\Tools\\cache.txt\\Deep\\index.dat", attr::kHidden | attr::kSystem);
}

// Whether path is gone, given the items that were deleted with all they held.
bool Within(const std::u16string& path, const Paths& gone) {
  for (const auto& g : gone) {
    if (EqualsNoCase(path, g) || StartsWithNoCase(path, g + u"\\")) return true;
  }
  return false;
}

void ExpectGone(FakeFileSystem& fs, const Paths& gone) {
  for (const auto& path : kTree) {
    SCOPED_TRACE(Utf16ToUtf8(path));
    EXPECT_EQ(Exists(fs, path), !Within(path, gone));
  }
}

TEST(FileDeletion, DeletesWhatThePathNamesAndNothingElse) {
  struct Case {
    const char* name;
    std::u16string_view path;
    Paths gone;
  };
  const Case cases[] = {
      {"wildcard: files, a read-only one and a folder among the matches", u"C:\\Tools\\*.txt",
       {u"C:\\Tools\\readme.txt", u"C:\\Tools\\notes.txt", u"C:\\Tools\\cache.txt"}},
      {"wildcard matching none", u"C:\\Tools\\*.zip", {}},
      {"question mark", u"C:\\Tools\\setup.ex?", {u"C:\\Tools\\setup.exe"}},
      {"folder with nested folders, read-only, hidden and system files",
       u"C:\\Tools\\cache.txt", {u"C:\\Tools\\cache.txt"}},
      {"folder's contents only", u"C:\\Tools\\cache.txt\\*",
       {u"C:\\Tools\\cache.txt\\ro.bin", u"C:\\Tools\\cache.txt\\Deep"}},
      {"missing file", u"C:\\Tools\\missing.exe", {}},
      {"wildcard in a missing folder", u"C:\\Missing\\*", {}},
      {"dot-dot resolved", u"C:\\Tools\\Missing\\..\\setup.exe", {u"C:\\Tools\\setup.exe"}},
      {"forward slashes and other case", u"c:/tools/KEEP.LOG", {u"C:\\Tools\\keep.log"}},
      {"trailing backslash", u"C:\\Other\\", {u"C:\\Other"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    BuildTree(fs);
    EXPECT_TRUE(DeleteItems(fs, c.path, 0));
    ExpectGone(fs, c.gone);
  }
}

// Each of these would empty a drive, or depends on where the program stands.
TEST(FileDeletion, RefusesPathsThatCouldWipeADriveAndTouchesNothing) {
  FakeFileSystem fs;
  BuildTree(fs);
  ASSERT_TRUE(fs.SetCurrentFolder(u"C:\\Tools"));
  for (std::u16string_view path :
       {u"", u"C:\\", u"C:", u"c:/", u"C:\\*", u"C:\\*.*", u"C:\\?*", u"C:\\* ",
        u"C:\\ \\*", u"C:\\...\\*", u"C:\\.\\*",
        u"C:\\Tools\\..\\*", u"C:\\..\\Tools", u"C:\\Tools\\..\\..\\Tools\\setup.exe",
        u"\\\\server\\share", u"\\\\server\\share\\*", u"\\\\?\\C:\\*", u"*", u"setup.exe",
        u"\\Tools\\setup.exe", u"C:Tools\\setup.exe", u"C:\\T*\\setup.exe"}) {
    SCOPED_TRACE(Utf16ToUtf8(path));
    EXPECT_FALSE(DeleteItems(fs, path, kOwn | kAtRestart));
    ExpectGone(fs, {});
  }
  EXPECT_TRUE(fs.RemovalsAtRestart().empty());
}

TEST(FileDeletion, EachOptionHandlesARefusal) {
  struct Refused {
    std::u16string_view path;
    Refusal refusal;
  };
  struct Case {
    const char* name;
    std::u16string_view path;
    std::uint32_t options;
    std::vector<Refused> refused;
    bool want;
    Paths gone;
    Paths atRestart;
  };
  const std::u16string_view setup = u"C:\\Tools\\setup.exe";
  const std::u16string_view deep = u"C:\\Tools\\cache.txt\\Deep";
  const std::u16string_view index = u"C:\\Tools\\cache.txt\\Deep\\index.dat";
  const Case cases[] = {
      {"no options", setup, 0, {{setup, Refusal::kUntilOwned}}, false, {}, {}},
      {"ownership", setup, kOwn, {{setup, Refusal::kUntilOwned}}, true,
       {u"C:\\Tools\\setup.exe"}, {}},
      {"ownership does not help", setup, kOwn, {{setup, Refusal::kAlways}}, false, {}, {}},
      {"at restart", setup, kAtRestart, {{setup, Refusal::kUntilOwned}}, true, {},
       {u"C:\\Tools\\setup.exe"}},
      {"ownership first, then at restart", setup, kOwn | kAtRestart, {{setup, Refusal::kAlways}},
       true, {}, {u"C:\\Tools\\setup.exe"}},
      {"ownership helps, nothing left for the restart", setup, kOwn | kAtRestart,
       {{setup, Refusal::kUntilOwned}}, true, {u"C:\\Tools\\setup.exe"}, {}},
      {"a folder that lets only its owner in", u"C:\\Tools\\cache.txt", kOwn,
       {{deep, Refusal::kUntilOwned}}, true, {u"C:\\Tools\\cache.txt"}, {}},
      {"an entry kept keeps its folders", u"C:\\Tools\\cache.txt", kOwn,
       {{index, Refusal::kAlways}}, false, {u"C:\\Tools\\cache.txt\\ro.bin"}, {}},
      {"entries at restart before their folders", u"C:\\Tools\\cache.txt", kAtRestart,
       {{index, Refusal::kAlways}}, true, {u"C:\\Tools\\cache.txt\\ro.bin"},
       {u"C:\\Tools\\cache.txt\\Deep\\index.dat", u"C:\\Tools\\cache.txt\\Deep",
        u"C:\\Tools\\cache.txt"}},
      {"one match refused, the others still go", u"C:\\Tools\\*.txt", 0,
       {{u"C:\\Tools\\readme.txt", Refusal::kAlways}}, false,
       {u"C:\\Tools\\notes.txt", u"C:\\Tools\\cache.txt"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    BuildTree(fs);
    for (const auto& r : c.refused) fs.RefuseRemoval(r.path, r.refusal);
    EXPECT_EQ(DeleteItems(fs, c.path, c.options), c.want);
    ExpectGone(fs, c.gone);
    EXPECT_EQ(fs.RemovalsAtRestart(), c.atRestart);
  }
}

TEST(FileDeletion, TellsTheShellOfWhatWentNowOnly) {
  FakeFileSystem fs;
  BuildTree(fs);
  fs.RefuseRemoval(u"C:\\Tools\\readme.txt", Refusal::kAlways);
  EXPECT_TRUE(DeleteItems(fs, u"C:\\Tools\\*.txt", kAtRestart));
  EXPECT_EQ(fs.ShellRemovalNotices(), (Paths{u"C:\\Tools\\cache.txt", u"C:\\Tools\\notes.txt"}));
  EXPECT_EQ(fs.RemovalsAtRestart(), Paths{u"C:\\Tools\\readme.txt"});
}

}  // namespace
}  // namespace kva
