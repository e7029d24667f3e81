#include "downloads/Url.h"

#include <gtest/gtest.h>

#include <span>

#include "downloads/UrlCombineCases.h"
#include "downloads/RequestHeaders.h"
#include "platform/Text.h"

namespace kva::test {
namespace {

std::string Narrow(std::u16string_view text) { return Utf16ToUtf8(text); }

TEST(UrlTest, CombineGivesWhatWindowsGives) {
  using Cases = std::span<const UrlCombineCase>;
  for (Cases cases : {Cases(kUrlCombineCases), Cases(kBrowserOnlyCombineCases)}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(Narrow(c.base) + " + " + Narrow(c.link));
      EXPECT_EQ(CombineUrl(c.base, c.link), std::u16string(c.want));
    }
  }
  EXPECT_EQ(CombineUrl(u"no scheme/page.html", u"a.exe"), std::nullopt);
}

TEST(UrlTest, SplitGivesHostPathPortAndClass) {
  struct Case {
    std::u16string_view url;
    bool ok;
    std::u16string_view host, path;
    int port;
    SchemeClass schemeClass;
  } cases[] = {
      {u"https://Host.test:8443/p/a?q=1#f", true, u"Host.test", u"/p/a?q=1#f", 8443, SchemeClass::kHttp},
      {u"http://h.test", true, u"h.test", u"", 80, SchemeClass::kHttp},
      {u"HTTPS://h.test/x", true, u"h.test", u"/x", 443, SchemeClass::kHttp},
      {u"ftp://user:pw@ftp.test/pub/x", true, u"ftp.test", u"/pub/x", 21, SchemeClass::kFtp},
      {u"ftps://ftp.test/x", true, u"ftp.test", u"/x", 21, SchemeClass::kFtp},
      {u"mailto:a@b.test", true, u"", u"a@b.test", 0, SchemeClass::kOther},
      {u"nonsense", false, u"", u"", 0, SchemeClass::kOther},
      {u"http://", false, u"", u"", 0, SchemeClass::kOther},
      {u"weird://x.test/", false, u"", u"", 0, SchemeClass::kOther},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.url));
    UrlParts parts;
    parts.host = u"untouched";
    ASSERT_EQ(SplitUrl(c.url, parts), c.ok);
    if (!c.ok) {
      EXPECT_EQ(parts.host, u"untouched");
      continue;
    }
    EXPECT_EQ(parts.host, c.host);
    EXPECT_EQ(parts.path, c.path);
    EXPECT_EQ(parts.port, c.port);
    EXPECT_EQ(parts.schemeClass, c.schemeClass);
  }
}

TEST(UrlTest, OnlyDownloadSchemesAreTransferUrls) {
  for (std::u16string_view url : {u"http://a.test/x", u"HTTPS://a.test/x", u"ftp://a.test/x", u"ftps://a.test/x"}) {
    EXPECT_TRUE(IsTransferUrl(url)) << Narrow(url);
  }
  for (std::u16string_view url : {u"file:///C:/x.exe", u"javascript:go()", u"mailto:a@b.test",
                                  u"gopher://a.test/", u"/relative/x.exe", u""}) {
    EXPECT_FALSE(IsTransferUrl(url)) << Narrow(url);
  }
}

TEST(UrlTest, UnescapeDecodesEachPercentPair) {
  EXPECT_EQ(UnescapeUrl(u"http://h.test/a%20b%2Fc.exe?x=%3d"), u"http://h.test/a b/c.exe?x==");
  EXPECT_EQ(UnescapeUrl(u"100%25 %zz %4"), u"100% %zz %4");
}

TEST(RequestHeadersTest, SecFetchSiteComparesHostsPortsAndPaths) {
  struct Case {
    std::u16string_view url, referer, want;
  } cases[] = {
      {u"http://a.test/f.exe", u"", u"none"},
      {u"http://a.test/f.exe", u"http://A.test/F.EXE", u"same-site"},
      {u"http://a.test/f.exe", u"http://a.test/page.html", u"same-origin"},
      {u"http://a.test/f.exe", u"http://b.test/page.html", u"cross-site"},
      {u"https://a.test/f.exe", u"http://a.test/f.exe", u"cross-site"},
      {u"ftp://a.test:80/f.exe", u"http://a.test/f.exe", u"cross-site"},
      {u"http://a.test/f.exe", u"not a url", u"cross-site"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.url) + " from " + Narrow(c.referer));
    EXPECT_EQ(SecFetchSiteLine(c.url, c.referer), u"Sec-Fetch-Site: " + std::u16string(c.want) + u"\r\n");
  }
}

TEST(RequestHeadersTest, FileDownloadsAskForCompressionExceptForZips) {
  const std::u16string exe = FileDownloadHeaders(u"http://a.test/f.exe", u"", u"C:\\T\\f.exe");
  EXPECT_EQ(exe,
            u"Priority: u=0, i\r\nAccept-Language: en,en-US;q=0.5\r\nAccept-Encoding: gzip, deflate\r\n"
            u"Sec-Fetch-User: ?1\r\nSec-Fetch-Mode: navigate\r\nSec-Fetch-Site: none\r\n"
            u"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
            u"Upgrade-Insecure-Requests: 1\r\n");
  const std::u16string zip = FileDownloadHeaders(u"http://a.test/f.zip", u"", u"C:\\T\\f.ZIP");
  EXPECT_EQ(zip.find(u"Accept-Encoding"), std::u16string::npos);
  EXPECT_NE(PageFetchHeaders(u"http://a.test/", u"").find(u"Sec-Fetch-Dest: document\r\n"), std::u16string::npos);
}

TEST(RequestHeadersTest, JobHeadersGetTheRefererOnceAndSingleLineEnds) {
  struct Case {
    const char* name;
    std::u16string_view extra, referer, want;
  } cases[] = {
      {"referer added", u"", u"http://r.test/", u"Referer: http://r.test/\r\n"},
      {"nothing at all", u"", u"", u""},
      {"too short", u"X: y", u"", u""},
      {"own referer kept", u"referer: http://mine.test/\r\n", u"http://r.test/",
       u"referer: http://mine.test/\r\n"},
      {"doubled ends collapsed", u"A: b\r\n\r\n\r\nC: d\r\n", u"", u"A: b\r\nC: d\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(JobRequestHeaders(c.extra, c.referer), c.want);
  }
}

}  // namespace
}  // namespace kva::test
