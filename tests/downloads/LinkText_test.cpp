#include "downloads/LinkText.h"

#include <gtest/gtest.h>

#include "platform/Text.h"

namespace kva::test {
namespace {

constexpr std::u16string_view kPageUrl = u"http://h.test/dir/page.html";

// A product page as such pages are built: a menu, a text mention before the
// first link, buttons that repeat a label, links written in every quoting.
constexpr std::u16string_view kProductPage = uR"(<html><head><title>Tool 1.0</title></head>
<body><p>Press Download now below.</p>
<a href="/about.html">About</a>
<div class="buttons">
<a class="btn" href="files/tool-1.0.exe">Download now</a>
<a href = "https://mirror.test/tool-1.0.exe" >Download now (mirror)</a>
<a href='alt/tool.zip'>click here</a> or <A HREF=plain/tool.msi class=x>Click Here</A>
<a href="get.php?id=7&amp;type=exe">Get it</a>
</div>
<script>setTimeout(function(){ location.href="/dl/tool-1.0.exe"; }, 3000);</script>
<p>Old: https://dl.test/files/notes.txt New: https://dl.test/files/tool-2.1.exe and more</p>
</body></html>)";

TEST(ParseLinkTextTest, FindsLinksInEveryForm) {
  struct Case {
    const char* name;
    std::u16string_view expression;
    std::u16string_view want;  // empty: not found
  } cases[] = {
      {"anchor text", u"Download now", u"http://h.test/dir/files/tool-1.0.exe"},
      {"any case", u"DOWNLOAD NOW", u"http://h.test/dir/files/tool-1.0.exe"},
      {"second instance", u"Download now,2", u"https://mirror.test/tool-1.0.exe"},
      {"instance 0 is the first", u"Download now,0", u"http://h.test/dir/files/tool-1.0.exe"},
      {"instance 01", u"Download now,01", u"http://h.test/dir/files/tool-1.0.exe"},
      {"beyond the last", u"Download now,3", u""},
      {"apostrophes", u"click here", u"http://h.test/dir/alt/tool.zip"},
      {"unquoted, upper-case tag", u"click here,2", u"http://h.test/dir/plain/tool.msi"},
      {"text that starts in the href", u"1.0.exe\">Download now", u"http://h.test/dir/files/tool-1.0.exe"},
      {"entities decoded", u"Get it", u"http://h.test/dir/get.php?id=7&type=exe"},
      {"three digits are text", u"Download now,123", u""},
      {"missing", u"Buy now", u""},
      {"between", u"location.href=\"|||\"", u"http://h.test/dl/tool-1.0.exe"},
      {"between, after missing", u"location.href=\"|||\"; }, 9", u""},
      {"between needs exactly two parts", u"a|||b|||c", u""},
      {"ends with the separator: anchor text", u"Download now|||", u""},
      {"shortest span", u"https://dl.test/files/**.exe", u"https://dl.test/files/tool-2.1.exe"},
      {"span, end missing", u"https://dl.test/files/**.dmg", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string url = u"untouched";
    const bool found = ParseLinkText(url, kProductPage, kPageUrl, c.expression, true);
    EXPECT_EQ(found, !c.want.empty());
    EXPECT_EQ(url, c.want.empty() ? u"untouched" : c.want);
  }
}

TEST(ParseLinkTextTest, WithoutResolveTheRawTextIsGiven) {
  std::u16string url;
  ASSERT_TRUE(ParseLinkText(url, kProductPage, kPageUrl, u"Get it", false));
  EXPECT_EQ(url, u"get.php?id=7&amp;type=exe");
  EXPECT_FALSE(ParseLinkText(url, u"", kPageUrl, u"Get it", false));
}

TEST(ParseLinkTextTest, RelativeLinksResolveAgainstTheBase) {
  const std::u16string_view page = u"<a href=\"files/x.exe\">Get</a>";
  struct Case {
    const char* name;
    std::u16string page;
    std::u16string_view pageUrl, want;
  } cases[] = {
      {"file page", std::u16string(page), u"http://h.test/dir/page.html", u"http://h.test/dir/files/x.exe"},
      {"folder page", std::u16string(page), u"http://h.test/dir", u"http://h.test/dir/files/x.exe"},
      {"dotted folder", std::u16string(page), u"http://h.test/v1.2/dir", u"http://h.test/v1.2/dir/files/x.exe"},
      {"host only", std::u16string(page), u"http://h.test", u"http://h.test/files/x.exe"},
      {"base element", u"<head><base href=\"http://cdn.test/base/\"></head>" + std::u16string(page),
       u"http://h.test/dir/page.html", u"http://cdn.test/base/files/x.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string url;
    ASSERT_TRUE(ParseLinkText(url, c.page, c.pageUrl, u"Get", true));
    EXPECT_EQ(url, c.want);
  }
}

TEST(DecodeEntitiesTest, ReplacesTheSevenInOrderAndCounts) {
  struct Case {
    std::u16string_view text, want;
    std::size_t count;
  } cases[] = {
      {u"a&quot;b&apos;c&amp;d&lt;e&gt;f&nbsp;g&#61;h", u"a\"b'c&d<e>f g=h", 7},
      {u"&amp;lt;", u"<", 2},  // the ampersand first, then what it made
      {u"&amp;amp;", u"&amp;", 1},
      {u"&copy; & &#62;", u"&copy; & &#62;", 0},
  };
  for (const auto& c : cases) {
    std::u16string text(c.text);
    EXPECT_EQ(DecodeEntities(text), c.count);
    EXPECT_EQ(text, c.want);
  }
}

TEST(ResolveMetaRefreshTest, FollowsTheRefreshTag) {
  struct Case {
    const char* name;
    std::u16string_view pageUrl, page;
    std::u16string_view want;  // empty: no refresh, the page URL stays
  } cases[] = {
      {"absolute, unescaped", u"http://h.test/get.php",
       u"<meta http-equiv=\"refresh\" content=\"0; url=http://dl.test/a%20b.exe\">",
       u"http://dl.test/a b.exe"},
      {"relative in apostrophes", u"http://h.test/dir/get.php",
       u"<META HTTP-EQUIV=\"Refresh\" CONTENT=\"0;URL='files/tool.exe'\">",
       u"http://h.test/dir/files/tool.exe"},
      {"no url=", u"http://h.test/dir/",
       u"<meta http-equiv='refresh' content='5;http://dl.test/tool.exe'>", u"http://dl.test/tool.exe"},
      {"spaced and unquoted", u"http://h.test/x.htm",
       u"<meta charset=\"utf-8\"><meta http-equiv = refresh content=\"0;url=http://dl.test/t.exe\">",
       u"http://dl.test/t.exe"},
      {"short extension is looked into", u"http://h.test/x.js",
       u"<meta http-equiv=\"refresh\" content=\"0;url=http://dl.test/t.exe\">", u"http://dl.test/t.exe"},
      {"a file is not looked into", u"http://h.test/tool.exe",
       u"<meta http-equiv=\"refresh\" content=\"0;url=http://dl.test/t.exe\">", u""},
      {"no slash", u"tool", u"<meta http-equiv=\"refresh\" content=\"0;url=http://dl.test/t.exe\">", u""},
      {"target too short", u"http://h.test/",
       u"<meta http-equiv=\"refresh\" content=\"0;url=a.exe\">", u""},
      {"no refresh", u"http://h.test/", u"<meta name=\"x\" content=\"0;url=http://dl.test/t.exe\">", u""},
      {"no meta", u"http://h.test/", u"<p>http-equiv=\"refresh\"</p>", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string url = u"untouched";
    EXPECT_EQ(ResolveMetaRefresh(c.page, c.pageUrl, url), !c.want.empty());
    EXPECT_EQ(url, c.want.empty() ? c.pageUrl : c.want);
  }
}

}  // namespace
}  // namespace kva::test
