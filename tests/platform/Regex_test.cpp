#include "platform/Regex.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kUnset = std::u16string_view::npos;

Regex Compiled(std::u16string_view pattern, RegexOptions options = RegexOptions::None) {
  auto regex = Regex::Compile(pattern, options);
  EXPECT_TRUE(regex.has_value());
  return std::move(*regex);
}

TEST(Regex, BadPatternsFailWithMessageAndOffset) {
  struct Case {
    const char* name;
    std::u16string_view pattern;
    std::size_t offset;
  };
  const Case cases[] = {
      {"open group", u"ab(", 3},
      {"reversed range", u"[z-a]", 3},
      {"nothing to repeat", u"*a", 0},
      {"lone surrogate", u"a\xD800", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto regex = Regex::Compile(c.pattern);
    ASSERT_FALSE(regex.has_value());
    EXPECT_EQ(regex.error().offset, c.offset);
    EXPECT_NE(regex.error().code, 0);
    EXPECT_FALSE(regex.error().message.empty());
  }
  EXPECT_FALSE(RegexMatch(u"ab(", u"ab("));
  EXPECT_FALSE(RegexFirst(u"ab(", u"ab(").has_value());
  EXPECT_TRUE(RegexAll(u"ab(", u"ab(").empty());
  EXPECT_FALSE(RegexReplace(u"ab(", u"ab(", u"x").has_value());
}

TEST(Regex, FirstMatchHonoursOptions) {
  struct Case {
    const char* name;
    std::u16string_view pattern;
    RegexOptions options;
    std::u16string_view subject;
    std::optional<std::u16string_view> want;
  };
  const Case cases[] = {
      {"caseless beyond ascii", u"é", RegexOptions::Caseless, u"ÉCOLE", u"É"},
      {"case kept without the option", u"é", RegexOptions::None, u"ÉCOLE", std::nullopt},
      {"caseless cyrillic", u"программа", RegexOptions::Caseless, u"ПРОГРАММА", u"ПРОГРАММА"},
      {"dot stops at a line end", u"a.b", RegexOptions::None, u"a\nb", std::nullopt},
      {"dot-all crosses it", u"a.b", RegexOptions::DotAll, u"a\nb", u"a\nb"},
      {"multiline anchors", u"^b$", RegexOptions::Multiline, u"a\nb\nc", u"b"},
      {"single-line anchors", u"^b$", RegexOptions::None, u"a\nb\nc", std::nullopt},
      {"ungreedy", u"<.+>", RegexOptions::Ungreedy, u"<a><b>", u"<a>"},
      {"greedy", u"<.+>", RegexOptions::None, u"<a><b>", u"<a><b>"},
      {"extended", u"a b  # letters", RegexOptions::Extended, u"xab", u"ab"},
      {"combined", u"^KELVARA.tools$", RegexOptions::Caseless | RegexOptions::DotAll,
       u"kelvara\ntools", u"kelvara\ntools"},
      {"lone surrogate in subject", u"b", RegexOptions::None,
       u"a\xD800"
       u"b",
       u"b"},
      {"surrogate pair is one character", u"^.$", RegexOptions::None, u"\U0001F527", u"\U0001F527"},
      {"empty subject, empty pattern", u"", RegexOptions::None, u"", u""},
      {"empty subject, pattern matching empty", u"^$", RegexOptions::None, u"", std::nullopt},
      {"empty subject, star", u"a*", RegexOptions::None, u"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto hit = RegexFirst(c.subject, c.pattern, c.options);
    ASSERT_EQ(hit.has_value(), c.want.has_value());
    if (hit) {
      EXPECT_EQ(hit->Text(), *c.want);
    }
    EXPECT_EQ(Compiled(c.pattern, c.options).IsMatch(c.subject), c.want.has_value());
  }
}

TEST(Regex, FirstMatchGivesPositionsAndGroups) {
  const Regex regex = Compiled(u"(\\d+)-(x)?(\\w+)");
  EXPECT_EQ(regex.GroupCount(), 3u);
  const auto hit = regex.First(u"id: 12-ab");
  ASSERT_TRUE(hit.has_value());
  ASSERT_EQ(hit->groups.size(), 4u);
  EXPECT_EQ(hit->Position(), 4u);
  EXPECT_EQ(hit->Text(), u"12-ab");
  EXPECT_EQ(hit->groups[1].position, 4u);
  EXPECT_EQ(hit->groups[1].text, u"12");
  EXPECT_FALSE(hit->groups[2].Matched());
  EXPECT_EQ(hit->groups[2].position, kUnset);
  EXPECT_EQ(hit->groups[3].position, 7u);
  EXPECT_EQ(hit->groups[3].text, u"ab");
  EXPECT_FALSE(regex.First(u"no digits").has_value());
}

TEST(Regex, PlainMatchIsCaseless) {
  EXPECT_TRUE(RegexMatch(u"E:\\USB\\KELVARA TOOLS", u"\\\\Kelvara tools$"));
  EXPECT_FALSE(RegexMatch(u"E:\\USB\\Kelvara tools\\x", u"\\\\Kelvara tools$"));
  EXPECT_TRUE(RegexMatch(u"NTFS", u"fat|ntfs"));
  EXPECT_TRUE(RegexMatch(u"", u""));
  EXPECT_FALSE(RegexMatch(u"", u".*"));
}

TEST(Regex, AllMatchesStepOverEmptyMatches) {
  struct Case {
    const char* name;
    std::u16string_view pattern;
    std::u16string_view subject;
    std::vector<std::pair<std::size_t, std::u16string_view>> want;
  };
  const Case cases[] = {
      {"numbers", u"\\d+", u"a1b22c333", {{1, u"1"}, {3, u"22"}, {6, u"333"}}},
      {"empty pattern", u"", u"ab", {{0, u""}, {1, u""}, {2, u""}}},
      {"empty and non-empty", u"x*", u"axxb", {{0, u""}, {1, u"xx"}, {3, u""}, {4, u""}}},
      {"empty match before a non-empty one",
       u"a??",
       u"aa",
       {{0, u""}, {0, u"a"}, {1, u""}, {1, u"a"}, {2, u""}}},
      {"lookahead", u"(?=b)", u"abab", {{1, u""}, {3, u""}}},
      {"crlf newline is one step", u"(*CRLF)", u"a\r\nb", {{0, u""}, {1, u""}, {3, u""}, {4, u""}}},
      {"lf newline steps into crlf",
       u"",
       u"a\r\nb",
       {{0, u""}, {1, u""}, {2, u""}, {3, u""}, {4, u""}}},
      {"surrogate pair is one step", u"", u"a\U0001F527", {{0, u""}, {1, u""}, {3, u""}}},
      {"multiline lines",
       u"(?m)^\\w+$",
       u"one\ntwo\n\nthree",
       {{0, u"one"}, {4, u"two"}, {9, u"three"}}},
      {"empty subject", u"x*", u"", {}},
      {"empty subject, empty pattern", u"", u"", {{0, u""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto hits = RegexAll(c.subject, c.pattern);
    ASSERT_EQ(hits.size(), c.want.size());
    for (std::size_t i = 0; i < hits.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(hits[i].Position(), c.want[i].first);
      EXPECT_EQ(hits[i].Text(), c.want[i].second);
    }
  }
}

TEST(Regex, ReplaceGloballyOrCounted) {
  struct Case {
    const char* name;
    std::u16string_view subject, pattern, replacement;
    std::optional<std::size_t> count;
    std::u16string_view want;
  };
  const Case cases[] = {
      {"global", u"a1b2c3", u"(\\d)", u"<$1>", std::nullopt, u"a<1>b<2>c<3>"},
      {"counted", u"a1b2c3", u"(\\d)", u"<$1>", 2, u"a<1>b<2>c3"},
      {"count of one", u"a1b2c3", u"\\d", u"#", 1, u"a#b2c3"},
      {"count above the matches", u"a1b2", u"\\d", u"#", 10, u"a#b#"},
      {"count of zero", u"a1b2", u"\\d", u"#", 0, u"a1b2"},
      {"braces and dollar", u"x=5", u"(\\w)=(\\d)", u"$2$$${1}", std::nullopt, u"5$x"},
      {"named group", u"key=val", u"(?<k>\\w+)=(?<v>\\w+)", u"${v}=${k}", std::nullopt, u"val=key"},
      {"unset group inserts nothing", u"ab", u"(a)|b", u"[$1]", std::nullopt, u"[a][]"},
      {"empty matches", u"ab", u"x*", u"-", std::nullopt, u"-a-b-"},
      {"counted empty matches", u"ab", u"x*", u"-", 2, u"-a-b"},
      {"switches stripped", u"setup.exe /S -q", u" +(/|-)\\S+", u"", std::nullopt, u"setup.exe"},
      {"shrinking", u"aaaa", u"a", u"", std::nullopt, u""},
      {"no match", u"abc", u"\\d", u"#", std::nullopt, u"abc"},
      {"empty subject", u"", u"a*", u"#", std::nullopt, u""},
      {"empty subject, empty pattern", u"", u"", u"#", std::nullopt, u"#"},
      {"lone surrogate kept",
       u"a\xD800"
       u"a",
       u"a", u"b", std::nullopt,
       u"b\xD800"
       u"b"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result =
        RegexReplace(c.subject, c.pattern, c.replacement, RegexOptions::None, c.count);
    ASSERT_TRUE(result.has_value()) << Utf16ToUtf8(result.error().message);
    EXPECT_EQ(*result, c.want);
  }
}

TEST(Regex, ReplaceReportsBadReplacements) {
  struct Case {
    const char* name;
    std::u16string_view replacement;
  };
  const Case cases[] = {
      {"group beyond the pattern", u"$9"},
      {"dollar at the end", u"x$"},
      {"unclosed brace", u"${1"},
      {"unknown name", u"${nope}"},
  };
  const Regex regex = Compiled(u"(b)");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = regex.Replace(u"abc", c.replacement);
    ASSERT_FALSE(result.has_value());
    EXPECT_LT(result.error().code, 0);
    EXPECT_FALSE(result.error().message.empty());
  }
}

TEST(Regex, ReplaceGrowsItsBufferForLongResults) {
  const std::u16string subject(300, u'x');
  const Regex regex = Compiled(u"(x)");
  const auto global = regex.Replace(subject, u"$1$1$1$1$1$1$1$1$1$1<$0>");
  ASSERT_TRUE(global.has_value());
  std::u16string want;
  for (int i = 0; i < 300; ++i) want += u"xxxxxxxxxx<x>";
  EXPECT_EQ(*global, want);

  const auto counted = regex.Replace(subject, u"$1$1$1$1$1$1$1$1$1$1<$0>", 100);
  ASSERT_TRUE(counted.has_value());
  EXPECT_EQ(*counted, want.substr(0, 100 * 13) + std::u16string(200, u'x'));
}

TEST(Regex, CompiledPatternIsKeptAndReused) {
  std::vector<Regex> kept;
  kept.push_back(Compiled(u"^\\[(.+)\\]", RegexOptions::Caseless));
  kept.push_back(Compiled(u"fat|ntfs", RegexOptions::Caseless));
  Regex moved = std::move(kept[0]);
  EXPECT_EQ(moved.First(u"[Group 3] rest")->groups[1].text, u"Group 3");
  EXPECT_FALSE(moved.IsMatch(u"Group 3"));
  EXPECT_TRUE(kept[1].IsMatch(u"FAT32"));
  EXPECT_FALSE(kept[1].IsMatch(u"ReFS"));
}

}  // namespace
}  // namespace kva
