#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include "fakes/FakeFileSystem.h"
#include "platform/Text.h"

namespace kva {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes AsBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::u16string SerializedText(const IniFile& file) {
  const Bytes bytes = file.Serialize();
  EXPECT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  return DecodeText(bytes).text;
}

// One file with the cases of the reading rules side by side.
class IniReading : public ::testing::Test {
 protected:
  IniFile file = IniFile::FromText(
      u"; written by hand\r\n"
      u"[3]\r\n"
      u"state=1\r\n"
      u"State = 1\r\n"
      u"Malwarebytes Free=1\r\n"
      u"Padded=\t  value, trailing kept  \r\n"
      u"Number=42abc\r\n"
      u"Word=abc\r\n"
      u"Empty=\r\n"
      u"Emoji \U0001F527=🔧\r\n"
      u"[3] group three again\r\n"
      u"Hidden=1\r\n"
      u"[Other] comment\r\n"
      u"Key=other\r\n");
};

TEST_F(IniReading, FindsKeysByTheLineRules) {
  struct Case {
    const char* name;
    std::u16string_view section, key;
    std::optional<std::u16string_view> want;
    std::int64_t wantInt;
  };
  const Case cases[] = {
      {"first character must match exactly", u"3", u"State", u"1", 1},
      {"lower-case key finds its own line", u"3", u"state", u"1", 1},
      {"rest of the name is case-insensitive", u"3", u"STATE", u"1", 1},
      {"first character differs", u"3", u"malwarebytes free", std::nullopt, 0},
      {"name with blanks", u"3", u"MALWAREBYTES FREE", u"1", 1},
      {"prefix of a name is not a key", u"3", u"Malware", std::nullopt, 0},
      {"leading blanks and tabs skipped", u"3", u"Padded", u"value, trailing kept  ", 0},
      {"leading digits", u"3", u"Number", u"42abc", 42},
      {"not numeric", u"3", u"Word", u"abc", 0},
      {"empty value", u"3", u"Empty", u"", 0},
      {"beyond the BMP", u"3", u"Emoji \U0001F527", u"🔧", 0},
      {"a repeated section is not read", u"3", u"Hidden", std::nullopt, 0},
      {"section names are case-insensitive", u"OTHER", u"Key", u"other", 0},
      {"keys stay in their section", u"Other", u"State", std::nullopt, 0},
      {"missing section", u"4", u"State", std::nullopt, 0},
      {"empty key", u"3", u"", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(file.ReadString(c.section, c.key), c.want);
    EXPECT_EQ(file.ReadInt(c.section, c.key), c.wantInt);
  }
}

TEST_F(IniReading, ListsSectionsAndKeysAsReadsSeeThem) {
  EXPECT_EQ(file.Sections(), (std::vector<std::u16string>{u"3", u"Other"}));
  const std::vector<IniEntry> want = {
      {u"state", u"1"},
      {u"State", u"1"},
      {u"Malwarebytes Free", u"1"},
      {u"Padded", u"value, trailing kept  "},
      {u"Number", u"42abc"},
      {u"Word", u"abc"},
      {u"Empty", u""},
      {u"Emoji \U0001F527", u"🔧"},
  };
  EXPECT_EQ(file.Keys(u"3"), want);
  for (const IniEntry& entry : file.Keys(u"3"))
    EXPECT_EQ(file.ReadString(u"3", entry.name), entry.value);
  EXPECT_TRUE(file.Keys(u"missing").empty());
}

TEST(IniFile, DuplicateKeysFirstWins) {
  IniFile file = IniFile::FromText(u"[s]\r\nk=1\r\nK=2\r\nk =3\r\nx\r\n[s]\r\nk=4\r\n");
  EXPECT_EQ(file.ReadString(u"s", u"k"), u"1");
  EXPECT_EQ(file.ReadString(u"s", u"K"), u"2");
  EXPECT_EQ(file.Keys(u"s"), (std::vector<IniEntry>{{u"k", u"1"}, {u"K", u"2"}}));
  ASSERT_TRUE(file.WriteString(u"s", u"k", u"9"));
  EXPECT_TRUE(file.DeleteKey(u"s", u"k"));
  EXPECT_FALSE(file.ReadString(u"s", u"k").has_value());
  EXPECT_FALSE(file.DeleteKey(u"s", u"k"));
  EXPECT_EQ(SerializedText(file), u"[s]\r\nK=2\r\nx\r\n[s]\r\nk=4\r\n");
}

TEST(IniFile, ReadsEveryEncodingAndLineEnd) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::optional<std::u16string_view> want;
  };
  const Case cases[] = {
      {"utf-16le with mark", EncodeUtf16Le(u"[s]\r\nk=é€\r\n"), u"é€"},
      {"utf-16be with mark",
       {0xFE, 0xFF, 0, '[', 0, 's', 0, ']', 0, '\n', 0, 'k', 0, '=', 0x20, 0xAC},
       u"€"},
      {"lf only", AsBytes("[s]\nother=1\nk=v\n"), u"v"},
      {"no final line end", AsBytes("[s]\r\nk=v"), u"v"},
      {"lf inside a crlf file stays in the line", AsBytes("[s]\r\nj=1\nk=2\r\n"), std::nullopt},
      {"line starting with cr ignored", AsBytes("[s]\r\n\rk=bad\r\nk=good\r\n"), u"good"},
      {"cr line in an lf file ignored", AsBytes("[s]\n\rk=bad\nk=good\n"), u"good"},
      {"section line with text after it", AsBytes("[s] ; note\nk=v\n"), u"v"},
      {"bracket in a section name", AsBytes("[s]x]\nk=v\n[s]\nk=w\n"), u"w"},
      {"empty brackets are no section", AsBytes("[s]\n[]\nk=v\n"), u"v"},
      {"odd utf-16 byte count",
       {0xFF, 0xFE, '[', 0, 's', 0, ']', 0, '\n', 0, 'k', 0, '=', 0, 'v'},
       u"\uFFFD"},
      {"no bytes", {}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IniFile::Parse(c.bytes).ReadString(u"s", u"k"), c.want);
  }
  EXPECT_EQ(IniFile::Parse(AsBytes("[s]\r\nj=1\nk=2\r\n")).ReadString(u"s", u"j"), u"1\nk=2");
}

// Without a mark: valid UTF-8 is UTF-8, anything else Windows-1252, for
// every INI file alike.
TEST(IniFile, TextWithoutAMarkIsUtf8WhenValidElseWindows1252) {
  struct Case {
    const char* name;
    std::string_view value;  // the bytes after "[s]\r\nk="
    std::u16string_view want;
  };
  const Case cases[] = {
      {"plain ascii", "Caf e", u"Caf e"},
      {"utf-8 e acute", "Caf\xC3\xA9", u"Café"},
      {"utf-8 euro and a 4-byte character", "\xE2\x82\xAC \xF0\x9F\x94\xA7", u"€ \U0001F527"},
      {"windows-1252 e acute", "Caf\xE9", u"Café"},
      {"windows-1252 euro and quotes", "\x80 \x93q\x94", u"€ “q”"},
      {"utf-8 cut short at the end", "Caf\xC3", u"CafÃ"},
      {"utf-8 three-byte form cut short", "\xE2\x82", u"â‚"},
      {"overlong slash", "\xC0\xAF", u"À¯"},
      {"overlong three-byte nul", "\xE0\x80\x80", u"à€€"},
      {"surrogate encoded in utf-8", "\xED\xA0\x80", u"í\u00A0€"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"ô\u0090€€"},
      {"one bad byte makes the whole file ansi", "\xC3\xA9 \xE9", u"Ã© é"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = "[s]\r\nk=" + std::string(c.value) + "\r\n";
    EXPECT_EQ(IniFile::Parse(AsBytes(text)).ReadString(u"s", u"k"), c.want);
  }
  // A mark decides whatever follows.
  EXPECT_EQ(IniFile::Parse(AsBytes("\xEF\xBB\xBF[s]\r\nk=\xC3\xA9\r\n")).ReadString(u"s", u"k"),
            u"é");
  EXPECT_EQ(IniFile::Parse(AsBytes("\xEF\xBB\xBF[s]\r\nk=\xE9\r\n")).ReadString(u"s", u"k"),
            u"\uFFFD")
      << "utf-8 with a mark stays utf-8";
  EXPECT_EQ(IniFile::Parse(EncodeUtf16Le(u"[s]\r\nk=\u00C3\u00A9\r\n")).ReadString(u"s", u"k"),
            u"Ã©")
      << "utf-16le with a mark is never read again as utf-8";
}

TEST(IniFile, WritesInPlaceAndKeepsWhatItDoesNotUnderstand) {
  IniFile file =
      IniFile::Parse(AsBytes("; tools of the day\n"
                             "\n"
                             "[1]\n"
                             "State = 1\n"
                             "garbage line\n"
                             "\n"
                             "[3]\n"
                             "\r stray\n"
                             "Autoruns=0\n"
                             "[unterminated\n"));
  ASSERT_TRUE(file.WriteInt(u"1", u"State", 0));
  ASSERT_TRUE(file.WriteInt(u"1", u"Malwarebytes Free", 1));
  ASSERT_TRUE(file.WriteString(u"3", u"autoruns", u"lower case is another key"));
  ASSERT_TRUE(file.WriteInt(u"1001", u"State", -1));
  EXPECT_EQ(SerializedText(file),
            u"; tools of the day\r\n"
            u"[1]\r\n"
            u"State=0\r\n"
            u"garbage line\r\n"
            u"Malwarebytes Free=1\r\n"
            u"[3]\r\n"
            u"Autoruns=0\r\n"
            u"[unterminated\r\n"
            u"autoruns=lower case is another key\r\n"
            u"[1001]\r\n"
            u"State=-1\r\n");

  const IniFile again = IniFile::Parse(file.Serialize());
  EXPECT_EQ(again.ReadInt(u"1", u"Malwarebytes Free"), 1);
  EXPECT_EQ(again.ReadInt(u"1001", u"State"), -1);
  EXPECT_EQ(again.Serialize(), file.Serialize());
}

TEST(IniFile, RefusesTextThatWouldBreakTheLines) {
  struct Case {
    const char* name;
    std::u16string_view section, key, value;
  };
  const Case cases[] = {
      {"empty section", u"", u"k", u"v"},
      {"empty key", u"s", u"", u"v"},
      {"blank key", u"s", u" \t", u"v"},
      {"key that reads as a section", u"s", u"[k]", u"v"},
      {"equals sign in the key", u"s", u"a=b", u"v"},
      {"line end in the value", u"s", u"k", u"a\r\nb=c"},
      {"lf in the value", u"s", u"k", u"a\nb"},
      {"cr in the key", u"s", u"k\r", u"v"},
      {"lf in the section", u"s\n", u"k", u"v"},
  };
  IniFile file = IniFile::FromText(u"[s]\r\nk=old\r\n");
  const Bytes before = file.Serialize();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(file.WriteString(c.section, c.key, c.value));
    EXPECT_EQ(file.Serialize(), before);
  }
}

TEST(IniFile, EmptyFileSerializesToTheMarkOnly) {
  IniFile file;
  EXPECT_EQ(file.Serialize(), (Bytes{0xFF, 0xFE}));
  EXPECT_TRUE(file.Sections().empty());
  ASSERT_TRUE(file.WriteString(u"Theme", u"Name", u"Dark"));
  EXPECT_EQ(SerializedText(file), u"[Theme]\r\nName=Dark\r\n");
}

TEST(IniFile, DeletesEverySectionOfANameWithItsLines) {
  IniFile file = IniFile::FromText(
      u"; head\r\n[PC1]\r\nClientName=Acme\r\n[pc2]\r\nClientName=Beta\r\n[pc1]\r\nPCName=x\r\n");
  EXPECT_TRUE(file.DeleteSection(u"pc1"));
  EXPECT_EQ(SerializedText(file), u"; head\r\n[pc2]\r\nClientName=Beta\r\n");
  EXPECT_FALSE(file.DeleteSection(u"pc1"));
}

// A file that is there but cannot be read must not be saved over with an
// empty one: every line in it would be lost.
TEST(IniFile, RewritesOnlyWhatCouldBeRead) {
  FakeFileSystem files;
  files.WriteText(u"C:\\Store\\mapping.ini", "[PC]\r\nClientName=Acme\r\n");
  const auto read = ReadIniFileToRewrite(files, u"C:\\Store\\mapping.ini");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->ReadString(u"PC", u"ClientName"), u"Acme");
  const auto missing = ReadIniFileToRewrite(files, u"C:\\Store\\none.ini");
  ASSERT_TRUE(missing) << "no file: a new one";
  EXPECT_TRUE(missing->Sections().empty());
  files.FailNext(FakeFileSystem::Call::kReadAll, u"C:\\Store\\mapping.ini");
  EXPECT_FALSE(ReadIniFileToRewrite(files, u"C:\\Store\\mapping.ini"));
}

}  // namespace
}  // namespace kva
