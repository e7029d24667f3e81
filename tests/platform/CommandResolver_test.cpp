#include "platform/CommandResolver.h"

#include <functional>

#include "CommandResolverFixture.h"
#include "platform/Text.h"

namespace kva {
namespace {

class CommandResolverTest : public test::CommandResolverFixture {
 protected:
  void Check(const std::vector<test::ResolveCase>& cases,
             const std::function<bool(std::u16string&)>& resolve) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      std::u16string text = c.text;
      EXPECT_EQ(resolve(text), c.resolves);
      EXPECT_EQ(Utf16ToUtf8(text), Utf16ToUtf8(c.want));
    }
  }
};

TEST_F(CommandResolverTest, ExpandPathWildcards) {
  Check({
            {"no wildcard: variables expanded", u"%ProgramFiles%\\Tool\\tool.exe /S", true,
             u"C:\\Program Files\\Tool\\tool.exe /S"},
            {"folder wildcard takes the first entry", u"C:\\Tools\\Scan v*\\scan.exe /S", true,
             u"C:\\Tools\\Scan v2.0\\scan.exe /S"},
            {"junctions are passed over", u"C:\\Tools\\*v*\\scan.exe", true,
             u"C:\\Tools\\Scan v2.0\\scan.exe"},
            {"file wildcard ends at a space", u"C:\\Tools\\old.c* /x", true,
             u"C:\\Tools\\old.com /x"},
            {"one wildcard per component", u"C:\\Tools\\Sc*\\sc*.exe", true,
             u"C:\\Tools\\Scan v2.0\\scan.exe"},
            {"quoted path keeps its quotes", u"\"C:\\Tools\\Scan v*\" /x", true,
             u"\"C:\\Tools\\Scan v2.0\" /x"},
            {"matches nothing", u"%ProgramFiles%\\Nothing*\\x.exe", false,
             u"%ProgramFiles%\\Nothing*\\x.exe"},
            {"empty folder matches nothing", u"C:\\Tools\\Empty\\*.exe", false,
             u"C:\\Tools\\Empty\\*.exe"},
            {"missing folder", u"D:\\*\\x.exe", false, u"D:\\*\\x.exe"},
            {"no folder before the wildcard", u"tool*.exe", false, u"tool*.exe"},
        },
        [&](std::u16string& t) { return resolver.ExpandPathWildcards(t); });
}

TEST_F(CommandResolverTest, FindOnSearchPath) {
  const std::vector<test::ResolveCase> split = {
      {"on the search path", u"notepad.exe", true, u"C:\\Windows\\notepad.exe"},
      {"App Paths without quotes", u"edit", true, u"C:\\Apps\\Editor\\edit.exe"},
      {"App Paths up to the first space", u"edit -x", true, u"C:\\Apps\\Editor\\edit.exe"},
      {"drive", u"C:\\notepad.exe", false, u"C:\\notepad.exe"},
      {"relative folder", u"Windows\\notepad.exe", false, u"Windows\\notepad.exe"},
      {"one character", u"e", false, u"e"},
      {"unknown", u"nothing", false, u"nothing"},
  };
  Check(split, [&](std::u16string& t) { return resolver.FindOnSearchPath(t, true); });
  Check({{"whole name with its space", u"edit -x", false, u"edit -x"}},
        [&](std::u16string& t) { return resolver.FindOnSearchPath(t, false); });
}

TEST_F(CommandResolverTest, ResolveExecutableName) {
  Check({
            {"switch", u"/S", false, u"/S"},
            {"existing file as is", u"C:\\Program Files\\Tool\\tool.exe", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"junction counts as a file", u"C:\\Tools\\Linked v9", true, u"C:\\Tools\\Linked v9"},
            {"folder", u"C:\\Program Files\\Tool", false, u"C:\\Program Files\\Tool"},
            {"absolute without extension", u"C:\\Program Files\\Tool\\tool", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"absolute .com is not a candidate", u"C:\\Tools\\old", false, u"C:\\Tools\\old"},
            {"name with extension on the path", u"notepad.exe", true, u"C:\\Windows\\notepad.exe"},
            {"name without extension", u"notepad", true, u"C:\\Windows\\notepad.exe"},
            {"batch file on the path", u"setup", true, u"C:\\Windows\\System32\\setup.bat"},
            {"under App Paths", u"edit", true, u"C:\\Apps\\Editor\\edit.exe"},
            {"unknown", u"nothing", false, u"nothing"},
        },
        [&](std::u16string& t) { return resolver.ResolveExecutableName(t); });
}

TEST_F(CommandResolverTest, ResolveCommandTarget) {
  Check({
            {"rundll32: the library, not the applet",
             u"rundll32.exe shell32.dll,Control_RunDLL desk.cpl", true,
             u"C:\\Windows\\System32\\shell32.dll"},
            {"regedit: switch skipped, .reg tried", u"regedit /s fix", true, u"C:\\Fixes\\fix.reg"},
            {"regedit: other extensions skipped", u"regedit /s notes.txt", true,
             u"C:\\Windows\\regedit.exe"},
            {"library name before the comma", u"rundll32 shell32,Control_RunDLL", true,
             u"C:\\Windows\\System32\\shell32.dll"},
            {"long extension cut to four", u"rundll32 shell32.dllx,Entry", true,
             u"C:\\Windows\\System32\\shell32.dll"},
            {"cmd: batch file tried", u"%ComSpec% /c setup", false, u"%ComSpec% /c setup"},
            {"cmd: extensions tried in order", u"cmd /c setup", true,
             u"C:\\Windows\\System32\\setup.bat"},
            {"cmd: absolute target must exist",
             u"C:\\Windows\\System32\\cmd.exe /c \"C:\\Program Files\\Tool\\tool.exe\"", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"cmd: missing target falls back to cmd", u"cmd /k C:\\Nope\\x.bat", true,
             u"C:\\Windows\\System32\\cmd.exe"},
            {"no interpreter: the program", u"notepad readme.txt", true,
             u"C:\\Windows\\notepad.exe"},
            {"one existing argument", u"C:\\Windows\\notepad.exe", true,
             u"C:\\Windows\\notepad.exe"},
            {"one argument is not searched", u"notepad", false, u"notepad"},
            {"one folder argument", u"C:\\Tools", false, u"C:\\Tools"},
            {"empty", u"", false, u""},
            {"nothing resolves", u"wscript missing.vbs", false, u"wscript missing.vbs"},
        },
        [&](std::u16string& t) { return resolver.ResolveCommandTarget(t); });
}

TEST_F(CommandResolverTest, ResolveLeadingExecutable) {
  Check({
            {"longest program prefix", u"C:\\Program Files\\Tool\\tool.exe /S /Q", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"extension added", u"C:\\Program Files\\Tool\\tool /S", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"a switch alone is no program", u"/S", false, u"/S"},
            {"nothing", u"no such program", false, u"no such program"},
        },
        [&](std::u16string& t) { return resolver.ResolveLeadingExecutable(t); });
}

TEST_F(CommandResolverTest, ResolveExistingPath) {
  Check({
            {"as given", u"C:\\Windows\\notepad.exe", true, u"C:\\Windows\\notepad.exe"},
            {"switches removed", u"%ComSpec% /c", true, u"C:\\Windows\\System32\\cmd.exe"},
            {"unquoted path with a switch", u"C:\\Program Files\\Tool\\tool.exe /S", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"rooted path on the system drive", u"\\Windows\\notepad.exe", true,
             u"C:\\Windows\\notepad.exe"},
            {"NT prefix", u"\\??\\C:\\Windows\\notepad.exe", true, u"C:\\Windows\\notepad.exe"},
            {"long-path prefix", u"\\\\?\\C:\\Windows\\notepad.exe", true,
             u"\\\\?\\C:\\Windows\\notepad.exe"},  // exists as given
            {"at sign", u"@%SystemRoot%\\notepad.exe", true, u"C:\\Windows\\notepad.exe"},
            {"System32 relative", u"System32\\cmd.exe", true, u"C:\\Windows\\System32\\cmd.exe"},
            {"interpreter target", u"rundll32.exe shell32.dll,Control_RunDLL desk.cpl", true,
             u"C:\\Windows\\System32\\shell32.dll"},
            {"quoted program with arguments", u"\"C:\\Program Files\\Tool\\tool.exe\" x y", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"unquoted program with words", u"C:\\Program Files\\Tool\\tool.exe more words", true,
             u"C:\\Program Files\\Tool\\tool.exe"},
            {"missing: left expanded", u"%SystemRoot%\\missing.exe /x", false,
             u"C:\\Windows\\missing.exe /x"},
            {"share path is not rooted", u"\\\\server\\x.exe", false, u"\\\\server\\x.exe"},
            {"empty", u"", false, u""},
        },
        [&](std::u16string& t) { return resolver.ResolveExistingPath(t, folders); });
}

TEST(ExtensionOf, EndsAtSpaceOrFolder) {
  const struct {
    std::u16string_view path, want;
  } cases[] = {{u"a.exe", u".exe"}, {u"a.tar.gz", u".gz"}, {u"C:\\v1.2\\tool", u""},
               {u"a.b c", u""},      {u"a.", u"."},        {u"", u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    EXPECT_EQ(ExtensionOf(c.path), c.want);
  }
}

}  // namespace
}  // namespace kva
