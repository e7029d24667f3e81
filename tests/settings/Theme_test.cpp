#include "settings/Theme.h"

#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "platform/IniFile.h"
#include "platform/TextEncoding.h"

namespace kva {
namespace {

constexpr std::u16string_view kIni = u"C:\\Kit\\Kelvara tools\\KVASettings.ini";

class ThemeTest : public ::testing::Test {
 protected:
  void SetUp() override { files.CreateFolders(u"C:\\Kit\\Kelvara tools"); }
  std::optional<std::u16string> Stored() {
    std::vector<std::uint8_t> bytes;
    if (!files.ReadAll(kIni, bytes)) return std::nullopt;
    return IniFile::Parse(bytes).ReadString(u"UI", u"CurrentTheme");
  }

  FakeFileSystem files;
};

TEST_F(ThemeTest, EachThemeHasItsColoursAndButtonStyle) {
  const auto light = ThemeOf(ThemeId::Light);
  EXPECT_EQ(light.colours, (ThemeColours{0x301020, 0xFFFEFC, 0x000000, 0xA06060}));
  EXPECT_EQ(light.buttons.colours,
            (std::array<std::uint32_t, 7>{0xFFFFFEFC, 0xFFEFEEEC, 0xFFEFEEEC, 0xFFDFDEDC,
                                          0xFF101010, 0xFF151515, 0xFF000000}));
  const auto dark = ThemeOf(ThemeId::Dark);
  EXPECT_EQ(dark.colours, (ThemeColours{0x606060, 0x301020, 0xFFFFFF, 0xFFA0A0}));
  EXPECT_EQ(dark.buttons.colours,
            (std::array<std::uint32_t, 7>{0xFFEFEEEC, 0xFFDFDEDC, 0xFFFFFEFC, 0xFFEFEEEC,
                                          0xFFC0C0C0, 0xFFE0E0E0, 0xFF000000}));
  for (const auto& theme : {light, dark}) {
    EXPECT_EQ(theme.buttons.cornerRadius, 5.0f);
    EXPECT_EQ(theme.buttons.borderWidth, 2);
    EXPECT_EQ(theme.buttons.flag, 1);
    EXPECT_EQ(theme.buttons.fontSize, 14.0f);
  }
  const auto plain = UnthemedButtonStyle();
  EXPECT_EQ(plain.cornerRadius, 4.0f);
  EXPECT_EQ(plain.borderWidth, 6);
  EXPECT_EQ(plain.colours[4], 0xA09F9F9Fu);
}

TEST_F(ThemeTest, StartUpUsesAStoredThemeOrAsksAndStoresTheAnswer) {
  struct Case {
    const char* name;
    std::optional<std::string_view> file;  // ANSI text, none: no file
    bool interactive;
    std::optional<ThemeId> clicked;        // the chooser's answer
    bool wantAsked;
    ThemeId want;
    std::optional<std::u16string> wantStored;
  };
  const Case cases[] = {
      {"light stored", "[UI]\r\nCurrentTheme=0\r\n", true, {}, false, ThemeId::Light, u"0"},
      {"dark stored", "[UI]\r\nCurrentTheme = 1\r\n", false, {}, false, ThemeId::Dark, u"1"},
      {"no file, light clicked", std::nullopt, true, ThemeId::Light, true, ThemeId::Light, u"0"},
      {"chooser closed", "[UI]\r\n", true, std::nullopt, true, ThemeId::Dark, u"1"},
      {"another value", "[UI]\r\nCurrentTheme=7\r\n", true, ThemeId::Light, true,
       ThemeId::Light, u"0"},
      {"a quiet run never waits", std::nullopt, false, ThemeId::Light, false, ThemeId::Dark,
       u"1"},
      {"a quiet run with another value", "[UI]\r\nCurrentTheme=-1\r\n", false, {}, false,
       ThemeId::Dark, u"1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files.RemoveFile(kIni);
    if (c.file) files.WriteText(kIni, *c.file);
    bool asked = false;
    const auto theme = StartUpTheme(files, kIni, c.interactive, [&] {
      asked = true;
      return c.clicked;
    });
    EXPECT_EQ(asked, c.wantAsked);
    EXPECT_EQ(theme, ThemeOf(c.want));
    EXPECT_EQ(Stored(), c.wantStored);
  }
}

TEST_F(ThemeTest, StoringTheThemeKeepsTheFilesOtherLines) {
  files.WriteText(kIni, "[Options]\r\nLanguage=Fran\xc3\xa7" "ais\r\n[UI]\r\nScale=2\r\n");
  EXPECT_EQ(ApplyTheme(files, kIni, ThemeId::Light), ThemeOf(ThemeId::Light));
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(files.ReadAll(kIni, bytes));
  EXPECT_EQ(DecodeText(bytes).text,
            u"[Options]\r\nLanguage=Fran\u00e7ais\r\n[UI]\r\nScale=2\r\nCurrentTheme=0\r\n");

  // A file that cannot be read is not replaced by one holding only the theme.
  files.FailNext(FakeFileSystem::Call::kReadAll, kIni);
  EXPECT_FALSE(WriteCurrentTheme(files, kIni, ThemeId::Dark));
  EXPECT_EQ(ReadCurrentTheme(files, kIni), 0);
}

}  // namespace
}  // namespace kva
