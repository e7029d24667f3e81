#include "catalog/PathVariables.h"

#include <gtest/gtest.h>

#include "fakes/FakeEnvironment.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kToolsDir = u"C:\\Program Files\\Kit\\Kelvara tools";

class PathVariablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    using enum KnownFolder;
    environment.SetFolder(Windows, u"C:\\Windows");
    environment.SetFolder(System, u"C:\\Windows\\System32");
    environment.SetFolder(SystemX86, u"C:\\Windows\\SysWOW64");
    environment.SetFolder(ProgramFiles, u"C:\\Program Files");
    environment.SetFolder(ProgramFilesX86, u"C:\\Program Files (x86)");
    environment.SetFolder(Desktop, u"C:\\Users\\tech\\Desktop", FolderOwner::ConsoleUser);
    environment.SetFolder(Desktop, u"C:\\Users\\admin\\Desktop");
    environment.SetFolder(CommonDesktop, u"C:\\Users\\Public\\Desktop");
    environment.SetFolder(Documents, u"C:\\Users\\admin\\Documents");
    environment.SetFolder(Documents, u"C:\\Users\\tech\\Documents", FolderOwner::ConsoleUser);
    environment.SetFolder(CommonDocuments, u"C:\\Users\\Public\\Documents");
    environment.SetFolder(LocalAppData, u"C:\\Users\\tech\\AppData\\Local",
                          FolderOwner::ConsoleUser);
    environment.SetFolder(LocalAppData, u"C:\\Users\\admin\\AppData\\Local");
    environment.SetVariable(u"ProgramFiles", u"C:\\Program Files");
    environment.SetVariable(u"ProgramFiles(x86)", u"C:\\Program Files (x86)");
    environment.SetVariable(u"SystemRoot", u"C:\\Windows");
    environment.SetVariable(u"SystemDrive", u"C:");
    environment.SetVariable(u"USERPROFILE", u"C:\\Users\\admin");
    variables = ComputePathVariables(environment, kToolsDir);
  }

  FakeEnvironment environment;
  PathVariables variables;
};

TEST_F(PathVariablesTest, ValuesComeFromTheRightAccounts) {
  EXPECT_EQ(variables.toolsDir, kToolsDir);
  EXPECT_EQ(variables.systemDir, u"C:\\Windows\\System32");
  EXPECT_EQ(variables.sysWowDir, u"C:\\Windows\\SysWOW64");
  EXPECT_EQ(variables.desktop, u"C:\\Users\\tech\\Desktop");
  EXPECT_EQ(variables.publicDesktop, u"C:\\Users\\Public\\Desktop");
  EXPECT_EQ(variables.myDocs, u"C:\\Users\\admin\\Documents");
  EXPECT_EQ(variables.commonDocs, u"C:\\Users\\Public\\Documents");
  EXPECT_EQ(variables.localAppData, u"C:\\Users\\tech\\AppData\\Local");
}

TEST_F(PathVariablesTest, PublishedVariablesExpandWhateverTheirCase) {
  variables.desktop.clear();  // no console user
  environment.SetVariable(u"Desktop", u"kept");
  ASSERT_TRUE(PublishPathVariables(environment, variables));
  EXPECT_EQ(ExpandPath(environment, u"%ToolsDir%\\7za.exe %SysWOWDir% %sysWowDir%"),
            u"C:\\Program Files\\Kit\\Kelvara tools\\7za.exe C:\\Windows\\SysWOW64 "
            u"C:\\Windows\\SysWOW64");
  EXPECT_EQ(ExpandPath(environment, u"%Desktop%"), u"kept");
  EXPECT_EQ(ExpandPath(environment, u"%NoSuchVariable%\\x 100%"), u"%NoSuchVariable%\\x 100%");
}

TEST_F(PathVariablesTest, AnExpansionThatDoesNotFitLeavesTheText) {
  environment.SetVariable(u"Big", std::u16string(5000, u'x'));
  EXPECT_EQ(ExpandPath(environment, u"%Big%\\tool.exe"), u"%Big%\\tool.exe");
}

TEST_F(PathVariablesTest, CollapseReplacesTheFirstFolderThatStartsThePath) {
  struct Case {
    std::u16string_view path, want;
  };
  const Case cases[] = {
      {u"C:\\Program Files\\Kit\\Kelvara tools\\7za.exe", u"%ToolsDir%\\7za.exe"},
      {u"C:\\Program Files (x86)\\App\\app.exe", u"%ProgramFiles(x86)%\\App\\app.exe"},
      {u"c:\\program files\\App\\app.exe", u"%ProgramFiles%\\App\\app.exe"},
      {u"C:\\Program Files", u"%ProgramFiles%"},
      {u"C:\\Program Files2\\x.exe", u"C:\\Program Files2\\x.exe"},
      {u"C:\\Windows\\System32\\cmd.exe", u"%SystemDir%\\cmd.exe"},
      {u"C:\\Windows\\SysWOW64\\x.exe", u"%SysWOWDir%\\x.exe"},
      {u"C:\\Windows\\notepad.exe", u"%SystemRoot%\\notepad.exe"},
      {u"C:\\Users\\tech\\Desktop\\a.txt", u"%Desktop%\\a.txt"},
      {u"C:\\Users\\Public\\Desktop\\b.lnk", u"%PublicDesktop%\\b.lnk"},
      {u"C:\\Users\\admin\\Documents\\c.doc", u"%MyDocs%\\c.doc"},
      {u"C:\\Users\\Public\\Documents\\d.doc", u"%CommonDocs%\\d.doc"},
      {u"C:\\Users\\tech\\AppData\\Local\\App\\e.exe", u"%LocalAppData%\\App\\e.exe"},
      {u"C:\\Users\\admin\\AppData\\Local\\f.exe", u"%USERPROFILE%\\AppData\\Local\\f.exe"},
      {u"C:\\Users\\tech\\Desktopper\\g.exe", u"%SystemDrive%\\Users\\tech\\Desktopper\\g.exe"},
      {u"%TEMP%\\h.exe", u"%TEMP%\\h.exe"},
      {u"D:\\Other\\i.exe", u"D:\\Other\\i.exe"},
  };
  ASSERT_TRUE(PublishPathVariables(environment, variables));
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    const auto collapsed = CollapsePath(environment, variables, c.path);
    EXPECT_EQ(collapsed, c.want);
    EXPECT_TRUE(EqualsNoCase(ExpandPath(environment, collapsed), c.path)) << "round trip";
  }
}

}  // namespace
}  // namespace kva
