#include "downloads/DownloadValidity.h"

#include <gtest/gtest.h>

#include "fakes/FakeFileStreams.h"
#include "fakes/FakeFileSystem.h"

namespace kva::test {
namespace {

TEST(DownloadValidityTest, ContentMustMatchTheExtension) {
  FakeFileSystem files;
  FakeFileStreams streams(files);
  const std::string html = "<html>Not found</html>";
  struct Case {
    std::u16string_view path;
    std::string content;
    bool valid;
  } cases[] = {
      {u"C:\\d\\a.zip", "PK\3\4", true},       {u"C:\\d\\a.zip", html, false},
      {u"C:\\d\\a.exe", "MZ\x90", true},       {u"C:\\d\\a.EXE", html, false},
      {u"C:\\d\\a.exe", "M", false},           {u"C:\\d\\a.dll", "MZ", true},
      {u"C:\\d\\a.ocx", "PK", false},          {u"C:\\d\\a.msi", "\xD0\xCF\x11", true},
      {u"C:\\d\\a.msi", "MZ", false},          {u"C:\\d\\a.cab", "MSCF", true},
      {u"C:\\d\\a.diagcab", "MSCF", true},     {u"C:\\d\\a.7z", "7z\xBC", true},
      {u"C:\\d\\a.7z", "PK", false},           {u"C:\\d\\a.txt", html, true},
      {u"C:\\d\\no extension", html, true},    {u"C:\\d\\a.exe", "", false},
      {u"C:\\d.x\\setup", html, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()) + " " + c.content);
    files.WriteText(c.path, c.content);
    EXPECT_EQ(IsValidDownload(files, streams, c.path), c.valid);
  }
  EXPECT_FALSE(IsValidDownload(files, streams, u"C:\\d\\missing.exe"));
}

TEST(DownloadValidityTest, OnlyALargeZipPassesAsAProgram) {
  FakeFileSystem files;
  FakeFileStreams streams(files);
  for (std::size_t size : {20u << 20, 40u << 20}) {
    SCOPED_TRACE(size);
    std::string zip(size, '\0');
    zip[0] = 'P';
    zip[1] = 'K';
    files.WriteText(u"C:\\setup.exe", zip);
    EXPECT_EQ(IsValidDownload(files, streams, u"C:\\setup.exe"), size > (30u << 20));
  }
}

}  // namespace
}  // namespace kva::test
