#include "app/DataLocations.h"

#include <gtest/gtest.h>

#include "app/RestartCommand.h"

namespace kva {
namespace {

TEST(DataLocations, ToolsFolderBesideOrAroundTheProgram) {
  struct Case {
    const char* name;
    std::u16string_view program;
    std::u16string_view programDir, toolsDir, restartExe;
  };
  const Case cases[] = {
      {"beside", u"E:\\Kit\\Kelvara.exe", u"E:\\Kit", u"E:\\Kit\\Kelvara tools",
       u"E:\\Kit\\Kelvara.exe"},
      {"inside the tools folder", u"E:\\Kit\\kelvara TOOLS\\Kelvara.exe", u"E:\\Kit",
       u"E:\\Kit\\kelvara TOOLS", u"E:\\Kit\\Kelvara.exe"},
      {"64-bit launcher restarts the plain one", u"E:\\Kit\\Kelvara64.EXE", u"E:\\Kit",
       u"E:\\Kit\\Kelvara tools", u"E:\\Kit\\Kelvara.exe"},
      {"folder name only ends alike", u"E:\\My Kelvara tools2\\Kelvara.exe",
       u"E:\\My Kelvara tools2", u"E:\\My Kelvara tools2\\Kelvara tools",
       u"E:\\My Kelvara tools2\\Kelvara.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto d = ComputeDataLocations(c.program, u"C:\\ProgramData", u"C:\\Temp");
    EXPECT_EQ(d.programDir, c.programDir);
    EXPECT_EQ(d.toolsDir, c.toolsDir);
    EXPECT_EQ(d.restartExe, c.restartExe);
  }
  const auto d = ComputeDataLocations(u"E:\\Kit\\Kelvara.exe", u"C:\\ProgramData", u"C:\\Temp");
  EXPECT_EQ(d.settingsHivePath, u"E:\\Kit\\Kelvara tools\\kva_settings.dat");
  EXPECT_EQ(d.resumeSelectionPath, u"C:\\ProgramData\\Kelvara\\_kva_sel.kvasel");
  EXPECT_EQ(d.tempToolsHivePath, u"C:\\Temp\\kva_tools.dat");
  EXPECT_EQ(d.sevenZipPath, u"E:\\Kit\\Kelvara tools\\7za.exe");
}

TEST(RestartCommand, KeepsTheArgumentsAfterNoUpdate) {
  EXPECT_EQ(RestartCommandLine(u"E:\\Kit\\Kelvara.exe", u"/Quiet"),
            u"E:\\Kit\\Kelvara.exe /NoUpdate /Quiet");
  EXPECT_EQ(RestartCommandLine(u"E:\\Kit\\Kelvara.exe", u""), u"E:\\Kit\\Kelvara.exe /NoUpdate");
  EXPECT_EQ(ObsoleteFileCommand(u"E:\\Kit\\old.exe"),
            u"%ComSpec% /c for /l %i in (1,1,100) do del /f /q \"E:\\Kit\\old.exe\"");
}

}  // namespace
}  // namespace kva
