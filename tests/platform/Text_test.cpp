#include "platform/Text.h"

#include <gtest/gtest.h>

namespace kva {
namespace {

TEST(Utf8, RoundTripsAndReplacesMalformedInput) {
  struct Case {
    const char* name;
    std::string utf8;
    std::u16string want;
  };
  const Case cases[] = {
      {"ascii", "Kelvara", u"Kelvara"},
      {"two-byte", "\xC3\xA9t\xC3\xA9", u"été"},
      {"supplementary", "\xF0\x9F\x94\xA7", u"\U0001F527"},
      {"truncated sequence", "a\xE2\x82", u"a\uFFFD\uFFFD"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.want);
    EXPECT_EQ(IsValidUtf8(c.utf8), Utf8ToUtf16(c.utf8).find(u'\uFFFD') == kNpos);
  }
  EXPECT_EQ(Utf16ToUtf8(u"été \U0001F527"), "\xC3\xA9t\xC3\xA9 \xF0\x9F\x94\xA7");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(NoCase, FoldsBeyondAscii) {
  struct Case {
    const char* name;
    std::u16string_view a, b;
    bool equal;
  };
  const Case cases[] = {
      {"ascii", u"HKEY_Local_Machine", u"hkey_local_machine", true},
      {"latin-1", u"ÉCOLE", u"école", true},
      {"greek final sigma", u"ΣΑΣ", u"σας", true},
      {"cyrillic", u"ПРОГРАММА", u"программа", true},
      {"deseret (surrogates)", u"\U00010400", u"\U00010428", true},
      {"different length", u"abc", u"ab", false},
      {"different letters", u"zip", u"zap", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal);
  }
  EXPECT_LT(CompareNoCase(u"apple", u"BANANA"), 0);
  EXPECT_GT(CompareNoCase(u"apples", u"APPLE"), 0);
}

TEST(NoCase, FindsAndKeepsPositions) {
  EXPECT_EQ(FindNoCase(u"7-Zip File Manager", u"ZIP"), 2u);
  EXPECT_EQ(FindNoCase(u"ÀÉÎ zip", u"ZIP"), 4u);
  EXPECT_EQ(FindNoCase(u"zip zip", u"ZIP", 1), 4u);
  EXPECT_EQ(FindNoCase(u"abc", u"d"), kNpos);
  EXPECT_EQ(FindNoCase(u"abc", u"a", 9), kNpos);
  EXPECT_TRUE(StartsWithNoCase(u"HKLM32\\Software", u"hklm"));
  EXPECT_TRUE(EndsWithNoCase(u"setup.EXE", u".exe"));
  EXPECT_FALSE(EndsWithNoCase(u"exe", u".exe"));
}

TEST(Pieces, TrimSplitAndNumbers) {
  EXPECT_EQ(Trim(u" \t value \t"), u"value");
  EXPECT_EQ(Trim(u" \t "), u"");
  EXPECT_EQ(TrimLeft(u"  a "), u"a ");
  const auto parts = Split(u"a=>b=>=>c", u"=>");
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(parts[2], u"");
  EXPECT_EQ(parts[3], u"c");
  EXPECT_EQ(Split(u"", u",").size(), 1u);

  struct Case {
    std::u16string_view text;
    std::int64_t want;
  };
  const Case numbers[] = {{u"42", 42},          {u"  -7x", -7},
                          {u"+3", 3},           {u"abc", 0},
                          {u"", 0},             {u"99999999999999999999999", INT64_MAX}};
  for (const auto& n : numbers) {
    SCOPED_TRACE(Utf16ToUtf8(n.text));
    EXPECT_EQ(ParseLeadingInt(n.text), n.want);
  }
}

TEST(OneBased, PositionsCountFromOne) {
  EXPECT_EQ(InStr(1, u"<FlushDNS>", u">"), 10u);
  EXPECT_EQ(InStr(3, u"a=>b=>c", u"=>"), 5u);
  EXPECT_EQ(InStr(1, u"abc", u"x"), 0u);
  EXPECT_EQ(InStr(9, u"abc", u"a"), 0u);
  EXPECT_EQ(InStrNoCase(1, u"Setup.EXE", u".exe"), 6u);
  EXPECT_EQ(Mid(u"Kelvara", 2, 3), u"elv");
  EXPECT_EQ(Mid(u"Kelvara", 5), u"ara");
  EXPECT_EQ(Mid(u"Kelvara", 8), u"");
  EXPECT_EQ(Left(u"abc", 5), u"abc");
  EXPECT_EQ(Right(u"abcdef", 2), u"ef");
}

}  // namespace
}  // namespace kva
