#include "operations/ToolsFolderExtractor.h"

#include <gtest/gtest.h>

#include "ZipFixture.h"
#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakeRegistry.h"
#include "fakes/RecordingProgress.h"
#include "fakes/RecordingPump.h"

namespace kva {
namespace {

constexpr std::u16string_view kTools = u"C:\\Kit\\Kelvara tools";
constexpr std::u16string_view kSevenZip = u"C:\\Kit\\Kelvara tools\\7za.exe";

class ToolsFolderExtractorTest : public ::testing::Test {
 protected:
  ToolsFolderExtractorTest() {
    files.CreateFolders(kTools);
    files.WriteAll(u"C:\\Kit\\Kelvara tools\\a.zip",
                   MakeZip({{.name = "tool/readme.txt", .data = "hello"}}));
    files.WriteText(u"C:\\Kit\\Kelvara tools\\b.7z", "7z");
    processes.onStart = [this](const StartRecord&) {
      return FakeProcess{.imagePath = std::u16string(kSevenZip), .exitCode = exitCode};
    };
  }

  FakeFileSystem files;
  FakeEnvironment environment;
  FakeRegistry registry;
  FakeProcesses processes;
  RecordingPump pump;
  RecordingProgress log;
  CommandResolver resolver{files, environment, registry};
  ProcessLauncher launcher{processes, resolver, pump, {u"C:", u"C:\\Windows", u"C:\\Windows\\System32"}};
  ToolsFolderExtractor extractor{files, launcher, log, std::u16string(kTools)};
  std::uint32_t exitCode = 0;
};

TEST_F(ToolsFolderExtractorTest, SevenZipRunsHiddenAndItsExitCodeDecides) {
  files.WriteText(kSevenZip, "MZ");
  EXPECT_TRUE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\b.7z",
                                       u"C:\\Kit\\Kelvara tools\\B\\new", u"pass word"));
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].commandLine,
            u"\"C:\\Kit\\Kelvara tools\\7za.exe\" x  -y -r \"C:\\Kit\\Kelvara tools\\b.7z\" "
            u"-o\"C:\\Kit\\Kelvara tools\\B\\new\" -p\"pass word\"");
  EXPECT_EQ(processes.started[0].show, show::kHidden);
  EXPECT_TRUE(IsFolder(files, u"C:\\Kit\\Kelvara tools\\B\\new"));  // made first
  exitCode = 2;
  EXPECT_FALSE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\b.7z", kTools, u""));
  // Nothing starts for an archive that is not there.
  EXPECT_FALSE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\none.7z", kTools, u""));
  EXPECT_EQ(processes.started.size(), 2u);
}

TEST_F(ToolsFolderExtractorTest, WithoutSevenZipOnlyZipArchivesAreExtracted) {
  EXPECT_TRUE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\a.zip",
                                       u"C:\\Kit\\Kelvara tools\\A", u""));
  EXPECT_EQ(files.ReadText(u"C:\\Kit\\Kelvara tools\\A\\tool\\readme.txt"), "hello");
  EXPECT_FALSE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\b.7z",
                                        u"C:\\Kit\\Kelvara tools\\B", u""));
  EXPECT_EQ(log.LastLine(), u"Warning: 7za.exe is missing from the tools folder, so "
                            u"C:\\Kit\\Kelvara tools\\b.7z could not be extracted!");
  EXPECT_TRUE(processes.started.empty());
}

TEST_F(ToolsFolderExtractorTest, WhatSevenZipCannotBeGivenFallsToTheOwnCode) {
  files.WriteText(kSevenZip, "MZ");
  files.WriteAll(u"C:\\Kit\\Kelvara tools\\p.zip",
                 MakeZip({{.name = "x.txt", .data = "secret", .password = "a\"b"}}));
  EXPECT_TRUE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\p.zip",
                                       u"C:\\Kit\\Kelvara tools\\P", u"a\"b"));
  EXPECT_EQ(files.ReadText(u"C:\\Kit\\Kelvara tools\\P\\x.txt"), "secret");
  EXPECT_FALSE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\p.zip",
                                        u"C:\\Kit\\Kelvara tools\\Q", u"wrong\""));
  EXPECT_EQ(log.LastLine(),
            u"Warning: the password of C:\\Kit\\Kelvara tools\\p.zip is missing or wrong!");
  EXPECT_FALSE(extractor.ExtractArchive(u"C:\\Kit\\Kelvara tools\\b.7z", kTools, u"a\"b"));
  EXPECT_TRUE(processes.started.empty());
}

}  // namespace
}  // namespace kva
