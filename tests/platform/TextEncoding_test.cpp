#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace kva {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DecodeText, TellsEncodingsByTheirMark) {
  struct Case {
    const char* name;
    Bytes bytes;
    WithoutMark rule;
    std::u16string want;
    TextEncoding encoding;
  };
  const Case cases[] = {
      {"utf-16le", {0xFF, 0xFE, 'a', 0, 0xE9, 0}, WithoutMark::Ansi, u"aé", TextEncoding::Utf16Le},
      {"utf-16be",
       {0xFE, 0xFF, 0, 'a', 0x20, 0xAC},
       WithoutMark::Ansi,
       u"a€",
       TextEncoding::Utf16Be},
      {"utf-16le surrogate pair",
       {0xFF, 0xFE, 0x3D, 0xD8, 0x27, 0xDD},
       WithoutMark::Ansi,
       u"\U0001F527",
       TextEncoding::Utf16Le},
      {"utf-16le odd byte count",
       {0xFF, 0xFE, 'a', 0, 'b'},
       WithoutMark::Ansi,
       u"a\uFFFD",
       TextEncoding::Utf16Le},
      {"utf-16be mark and one byte",
       {0xFE, 0xFF, 'x'},
       WithoutMark::Ansi,
       u"\uFFFD",
       TextEncoding::Utf16Be},
      {"utf-8 with mark",
       {0xEF, 0xBB, 0xBF, 0xC3, 0xA9},
       WithoutMark::Ansi,
       u"é",
       TextEncoding::Utf8},
      {"mark only", {0xFF, 0xFE}, WithoutMark::Ansi, u"", TextEncoding::Utf16Le},
      {"empty", {}, WithoutMark::Utf8IfValid, u"", TextEncoding::Utf8},
      {"valid utf-8 read as ansi", {0xC3, 0xA9}, WithoutMark::Ansi, u"Ã©", TextEncoding::Ansi},
      {"valid utf-8 accepted", {0xC3, 0xA9}, WithoutMark::Utf8IfValid, u"é", TextEncoding::Utf8},
      {"invalid utf-8 falls back to ansi",
       {'c', 0xE9},
       WithoutMark::Utf8IfValid,
       u"cé",
       TextEncoding::Ansi},
      {"lone FF is ansi", {0xFF}, WithoutMark::Ansi, u"ÿ", TextEncoding::Ansi},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodedText decoded = DecodeText(c.bytes, c.rule);
    EXPECT_EQ(decoded.text, c.want);
    EXPECT_EQ(decoded.encoding, c.encoding);
  }
}

TEST(Ansi, MapsTheWholeWindows1252Range) {
  struct Case {
    unsigned char byte;
    char16_t want;
  };
  const Case cases[] = {
      {0x41, u'A'},      {0x80, u'€'},      {0x81, u'\u0081'}, {0x8A, u'Š'}, {0x8D, u'\u008D'},
      {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x92, u'’'},      {0x96, u'–'}, {0x99, u'™'},
      {0x9D, u'\u009D'}, {0x9F, u'Ÿ'},      {0xA0, u'\u00A0'}, {0xE9, u'é'}, {0xFF, u'ÿ'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.byte));
    EXPECT_EQ(AnsiToUtf16(std::string(1, char(c.byte))), std::u16string(1, c.want));
  }
  // Every byte survives the way there and back.
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(char(b));
  EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(all)), all);
}

TEST(Ansi, ReplacesWhatWindows1252CannotHold) {
  EXPECT_EQ(Utf16ToAnsi(u"ΩĀ\u0080"), "???");
  EXPECT_EQ(Utf16ToAnsi(u"a\U0001F527b"), "a?b");
  EXPECT_EQ(Utf16ToAnsi(std::u16string{u'x', char16_t(0xDC00)}), "x?");
}

TEST(EncodeUtf16Le, WritesTheMarkWhenAsked) {
  EXPECT_EQ(EncodeUtf16Le(u"a€"), (Bytes{0xFF, 0xFE, 'a', 0, 0xAC, 0x20}));
  EXPECT_EQ(EncodeUtf16Le(u"a", false), (Bytes{'a', 0}));
  const std::u16string text = u"line\r\n\U0001F527 ";
  EXPECT_EQ(DecodeText(EncodeUtf16Le(text)).text, text);
}

}  // namespace
}  // namespace kva
