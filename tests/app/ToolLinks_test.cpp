#include "app/ToolLinks.h"

#include <gtest/gtest.h>

#include "catalog/ToolListFixture.h"
#include "catalog/ToolRecord.h"
#include "fakes/FakeExplorer.h"

namespace kva {
namespace {

using namespace kva::apptest;

class ToolLinksTest : public ToolListFixture {
 protected:
  void SetUp() override {
    ToolListFixture::SetUp();
    environment.SetVariable(u"ToolsDir", u"C:\\Kit\\Kelvara tools");
    files.WriteText(u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe", "MZ");
    files.WriteText(u"C:\\Kit\\Kelvara tools\\FRST\\FRST.exe", "MZ");
    files.WriteText(u"C:\\Kit\\Kelvara tools\\GMER\\gmer\\gmer.exe", "MZ");
    files.WriteText(u"C:\\Kit\\Kelvara tools\\Other\\other.exe", "MZ");
  }
  ToolRecord Record(std::u16string_view first, std::u16string_view second = {}) {
    ToolRecord record;
    record.downloadFile1 = first;
    record.downloadFile2 = second;
    return record;
  }

  FakeExplorer explorer;
  ToolLinkPorts ports{registry, files, environment, explorer};
};

TEST_F(ToolLinksTest, TheLocationIsTheDownloadedFileOrTheArchivesFolder) {
  constexpr std::u16string_view kFrst = u"C:\\Kit\\Kelvara tools\\FRST";
  struct Case {
    const char* name;
    std::u16string_view first, second;
    std::optional<ToolLocation> want;
  };
  const Case cases[] = {
      {"a file, selected in its folder", u"%ToolsDir%\\FRST\\FRST64.exe", u"",
       ToolLocation{std::u16string(kFrst), {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe"}}},
      {"quotes are dropped", u"\"%ToolsDir%\\FRST\\FRST64.exe\"", u"",
       ToolLocation{std::u16string(kFrst), {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe"}}},
      {"an archive stands for its folder, opened as such", u"%ToolsDir%\\GMER\\gmer.ZIP", u"",
       ToolLocation{u"C:\\Kit\\Kelvara tools\\GMER\\gmer", {}}},
      {"both downloads selected", u"%ToolsDir%\\FRST\\FRST64.exe", u"%ToolsDir%\\FRST\\FRST.exe",
       ToolLocation{std::u16string(kFrst),
                    {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe",
                     u"C:\\Kit\\Kelvara tools\\FRST\\FRST.exe"}}},
      {"the same second download counts once", u"%ToolsDir%\\FRST\\FRST64.exe",
       u"%TOOLSDIR%\\frst\\frst64.exe",
       ToolLocation{std::u16string(kFrst), {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe"}}},
      {"a missing second download is left out", u"%ToolsDir%\\FRST\\FRST64.exe",
       u"%ToolsDir%\\FRST\\FRST32.exe",
       ToolLocation{std::u16string(kFrst), {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe"}}},
      {"a second download elsewhere is left out", u"%ToolsDir%\\FRST\\FRST64.exe",
       u"%ToolsDir%\\Other\\other.exe",
       ToolLocation{std::u16string(kFrst), {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe"}}},
      {"not downloaded yet", u"%ToolsDir%\\FRST\\FRST32.exe", u"%ToolsDir%\\FRST\\FRST.exe",
       std::nullopt},
      {"an archive not unpacked yet", u"%ToolsDir%\\TDSS\\tdss.zip", u"", std::nullopt},
      {"no first download", u"", u"%ToolsDir%\\FRST\\FRST.exe", std::nullopt},
      {"too short to be a download", u"C:\\a.exe", u"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindToolLocation(Record(c.first, c.second), environment, files), c.want);
  }
}

TEST_F(ToolLinksTest, OnlyAWebAddressOfTenCharactersIsOpened) {
  struct Case {
    const char* name;
    std::u16string_view website;
    std::optional<std::u16string> want;
  };
  const Case cases[] = {
      {"https", u"https://www.bleepingcomputer.com/", u"https://www.bleepingcomputer.com/"},
      {"http, blanks around", u" HTTP://example.org ", u"HTTP://example.org"},
      {"ten characters", u"http://a.b", u"http://a.b"},
      {"nine characters", u"http://ab", std::nullopt},
      {"empty", u"", std::nullopt},
      {"a program, not a page", u"C:\\Windows\\System32\\cmd.exe", std::nullopt},
      {"another scheme", u"file://C:/Windows/System32/cmd.exe", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ToolRecord record;
    record.website = c.website;
    EXPECT_EQ(ToolWebsite(record), c.want);
  }
}

TEST_F(ToolLinksTest, TheEntrysRecordDecidesWhatTheShellShows) {
  Import(uR"(
[HKLM\kva_tools\5\7-Zip Portable]
"downloadfile"="%ToolsDir%\\FRST\\FRST64.exe"
"Website"="https://www.7-zip.org/"
[HKLM\kva_settings\2\My Own Tool]
"downloadfile"="%ToolsDir%\\GMER\\gmer.zip"
)");
  const auto& sevenZip = list.Entry(IndexOf(u"7-Zip Portable"));
  const auto& own = list.Entry(IndexOf(u"My Own Tool"));
  const auto& noRecord = list.Entry(IndexOf(u"Repair Echo"));
  EXPECT_TRUE(OpenToolLink(ports, sevenZip, ToolLink::Location));
  EXPECT_TRUE(OpenToolLink(ports, sevenZip, ToolLink::Website));
  EXPECT_TRUE(OpenToolLink(ports, own, ToolLink::Location));
  EXPECT_FALSE(OpenToolLink(ports, own, ToolLink::Website)) << "no website";
  EXPECT_FALSE(OpenToolLink(ports, noRecord, ToolLink::Location)) << "never downloaded";
  EXPECT_EQ(explorer.shown,
            (std::vector<FakeExplorer::Shown>{
                {u"C:\\Kit\\Kelvara tools\\FRST", {u"C:\\Kit\\Kelvara tools\\FRST\\FRST64.exe"}},
                {u"https://www.7-zip.org/", {}},
                {u"C:\\Kit\\Kelvara tools\\GMER\\gmer", {}}}));

  explorer.refuse = true;
  EXPECT_FALSE(OpenToolLink(ports, sevenZip, ToolLink::Website)) << "the shell refused";
}

}  // namespace
}  // namespace kva
