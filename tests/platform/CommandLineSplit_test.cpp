#include "platform/CommandLineSplit.h"

#include "CommandResolverFixture.h"
#include "platform/Text.h"

namespace kva {
namespace {

class CommandLineSplitTest : public test::CommandResolverFixture {};

TEST_F(CommandLineSplitTest, FindsTheProgramAtTheHead) {
  const struct {
    const char* name;
    std::u16string line, folder;
    std::u16string wantLine, wantExecutable, wantFolder;
  } cases[] = {
      {"unquoted path with a space", u"C:\\Program Files\\Tool\\tool.exe /S", u"",
       u"\"C:\\Program Files\\Tool\\tool.exe\" /S", u"C:\\Program Files\\Tool\\tool.exe",
       u"C:\\Program Files\\Tool"},
      {"quoted path", u"\"C:\\Program Files\\Tool\\tool.exe\" /S", u"",
       u"\"C:\\Program Files\\Tool\\tool.exe\" /S", u"C:\\Program Files\\Tool\\tool.exe",
       u"C:\\Program Files\\Tool"},
      {"given folder kept", u"C:\\Program Files\\Tool\\tool.exe", u"D:\\Work",
       u"\"C:\\Program Files\\Tool\\tool.exe\"", u"C:\\Program Files\\Tool\\tool.exe",
       u"D:\\Work"},
      {"variable expanded", u"%ComSpec% /c dir", u"", u"C:\\Windows\\System32\\cmd.exe /c dir",
       u"C:\\Windows\\System32\\cmd.exe", u"C:\\Windows\\System32"},
      {"name on the search path", u"notepad readme.txt", u"",
       u"C:\\Windows\\notepad.exe readme.txt", u"C:\\Windows\\notepad.exe", u"C:\\Windows"},
      {"name under App Paths", u"edit a.txt", u"", u"C:\\Apps\\Editor\\edit.exe a.txt",
       u"C:\\Apps\\Editor\\edit.exe", u"C:\\Apps\\Editor"},
      {".exe added", u"C:\\Program Files\\Tool\\tool /S", u"",
       u"\"C:\\Program Files\\Tool\\tool.exe\" /S", u"C:\\Program Files\\Tool\\tool.exe",
       u"C:\\Program Files\\Tool"},
      {".com added", u"C:\\Tools\\old /x", u"", u"C:\\Tools\\old.com /x", u"C:\\Tools\\old.com",
       u"C:\\Tools"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string line = c.line, executable, folder = c.folder;
    ASSERT_TRUE(SplitCommandLine(resolver, line, executable, folder));
    EXPECT_EQ(Utf16ToUtf8(line), Utf16ToUtf8(c.wantLine));
    EXPECT_EQ(Utf16ToUtf8(executable), Utf16ToUtf8(c.wantExecutable));
    EXPECT_EQ(Utf16ToUtf8(folder), Utf16ToUtf8(c.wantFolder));
  }
}

TEST_F(CommandLineSplitTest, NoProgramChangesNothing) {
  for (std::u16string_view text : {u"", u" ", u"C:\\Tools\\missing.exe /x",
                                   u"\"C:\\Program Files\\Tool\\missing\" /S", u"no such thing"}) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    std::u16string line(text), executable = u"before", folder = u"kept";
    EXPECT_FALSE(SplitCommandLine(resolver, line, executable, folder));
    EXPECT_EQ(line, text);
    EXPECT_EQ(executable, u"before");
    EXPECT_EQ(folder, u"kept");
  }
}

}  // namespace
}  // namespace kva
