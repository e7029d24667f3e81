#include "downloads/DownloadTypes.h"

#include "downloads/DownloadFixture.h"
#include "downloads/RequestHeaders.h"

namespace kva::test {
namespace {

std::string Program(std::size_t size) { return "MZ" + Pattern(size - 2); }

class DownloadTypesTest : public DownloadFixture {
 protected:
  void ServePage(std::u16string url, std::string_view html) { network.Serve(std::move(url), FakeNetwork::Ok(std::string(html))); }

  // Runs the download to its end; the job's stage, or -1 when none started.
  std::int64_t Run(std::u16string_view pageUrl, std::u16string_view linkText, std::uint64_t knownSize = 0) {
    JobHandle job = StartDownload(services, kTarget, pageUrl, linkText, knownSize);
    if (!job) return -1;
    while (QueryJob(job.get(), JobQuery::kFinished) == 0) std::this_thread::yield();
    return QueryJob(job.get(), JobQuery::kStage);
  }
  RecordedRequest LastRequest() { return network.Requests().back(); }
  std::optional<std::u16string> LastHeader(std::u16string_view name) {
    return FakeNetwork::RequestHeader(LastRequest(), name);
  }
};

TEST_F(DownloadTypesTest, DirectUrlOfALargeFileIsDownloadedAsItIs) {
  network.Serve(u"http://h.test/dl/tool.exe", FakeNetwork::Ok(Program(200'000)));
  EXPECT_EQ(Run(u"http://h.test/dl/tool.exe", u""), job_stage::kTransferred);
  EXPECT_TRUE(Target() == Program(200'000));
  const auto requests = network.Requests();
  ASSERT_EQ(requests.size(), 2u) << "a size probe, then the file";
  EXPECT_EQ(requests[0].userAgent, kChromeUserAgent);
  EXPECT_EQ(requests[1].userAgent, kFirefoxUserAgent);
  EXPECT_TRUE(requests[1].options.reload);
  EXPECT_EQ(LastHeader(u"Referer"), u"http://h.test/dl");
  EXPECT_EQ(LastHeader(u"Sec-Fetch-Site"), u"same-origin");
  EXPECT_EQ(LastHeader(u"Accept-Encoding"), u"gzip, deflate");
}

TEST_F(DownloadTypesTest, DirectUrlOfASmallPageFollowsItsMetaRefresh) {
  ServePage(u"http://h.test/get.php?id=4",
            R"(<html><head><meta http-equiv="refresh" content="0; url=/files/tool-4.exe"></head></html>)");
  network.Serve(u"http://h.test/files/tool-4.exe", FakeNetwork::Ok(Program(5'000)));
  EXPECT_EQ(Run(u"http://h.test/get.php?id=4", u""), job_stage::kTransferred);
  EXPECT_EQ(LastRequest().url, u"http://h.test/files/tool-4.exe");
  EXPECT_TRUE(Target() == Program(5'000));
}

TEST_F(DownloadTypesTest, ASmallExeIsReadOnceAsAPageButNeverFollowed) {
  const std::string small = "MZ<meta http-equiv=\"refresh\" content=\"0; url=http://elsewhere.test/x.exe\">";
  network.Serve(u"http://h.test/small.exe", FakeNetwork::Ok(small));
  EXPECT_EQ(Run(u"http://h.test/small.exe", u""), job_stage::kTransferred);
  const auto requests = network.Requests();
  ASSERT_EQ(requests.size(), 3u);
  for (const auto& request : requests) EXPECT_EQ(request.url, u"http://h.test/small.exe");
  EXPECT_EQ(Target(), small);
}

TEST_F(DownloadTypesTest, DirectPageThatCannotBeReadFailsTheJob) {
  FakeResponse missing = FakeNetwork::Ok("<html>gone</html>");
  missing.status = 404;
  network.Serve(u"http://h.test/gone.php", missing);
  EXPECT_EQ(Run(u"http://h.test/gone.php", u""), 0);
  EXPECT_FALSE(Exists(files, kTarget));
}

TEST_F(DownloadTypesTest, ZipFilesAreNotAskedForCompressed) {
  network.Serve(u"http://h.test/tool.zip", FakeNetwork::Ok("PK" + Pattern(200'000)));
  JobHandle job = StartDownload(services, u"C:\\Tools\\tool.zip", u"http://h.test/tool.zip", u"", 0);
  ASSERT_TRUE(job);
  CloseJob(job);
  EXPECT_EQ(LastHeader(u"Accept-Encoding"), std::nullopt);
}

TEST_F(DownloadTypesTest, LinkTextExpressionFindsTheFileOnItsPage) {
  ServePage(u"http://h.test/tool/", R"(<a href="v2/tool-2.exe">Download now</a>)");
  network.Serve(u"http://h.test/tool/v2/tool-2.exe", FakeNetwork::Ok(Program(3'000)));
  EXPECT_EQ(Run(u"http://h.test/tool/", u"Download now"), job_stage::kTransferred);
  EXPECT_EQ(LastHeader(u"Referer"), u"http://h.test/tool/");
  EXPECT_EQ(Run(u"http://h.test/tool/", u"Buy now"), -1);
}

constexpr std::string_view kMajorGeeksProduct = R"(<html><body>
<h1>Tool 3.1</h1>
<div class="download"><a href="/mg/getmirror/tool,1.html"><strong>Download@MajorGeeks</strong></a></div>
<div class="download"><a href="/mg/getmirror/tool,2.html"><strong>Download@Authors Site</strong></a></div>
</body></html>)";
constexpr std::string_view kMajorGeeksAuthorOnly = R"(<html><body>
<div class="download"><a href="/mg/getmirror/tool,2.html"><strong>Download@Authors Site</strong></a></div>
</body></html>)";

TEST_F(DownloadTypesTest, MajorGeeksGoesThroughTheMirrorPage) {
  ServePage(u"https://mg.test/files/details/tool.html", kMajorGeeksProduct);
  ServePage(u"https://mg.test/files/details/author.html", kMajorGeeksAuthorOnly);
  ServePage(u"https://mg.test/mg/getmirror/tool,1.html",
            R"(<p>Your download will begin shortly. <a href="https://files.mg.test/tool.exe">Click here if it does not.</a></p>)");
  ServePage(u"https://mg.test/mg/getmirror/tool,2.html",
            R"(<p><a href="https://author.test/tool.exe">Click here if it does not.</a></p>)");
  network.Serve(u"https://files.mg.test/tool.exe", FakeNetwork::Ok(Program(1'000)));
  network.Serve(u"https://author.test/tool.exe", FakeNetwork::Ok(Program(2'000)));

  EXPECT_EQ(Run(u"https://mg.test/files/details/tool.html", u"majorgeeks"), job_stage::kTransferred);
  EXPECT_EQ(LastRequest().url, u"https://files.mg.test/tool.exe");
  EXPECT_EQ(LastHeader(u"Referer"), u"https://mg.test/mg/getmirror/tool,1.html");
  EXPECT_EQ(LastHeader(u"Sec-Fetch-Site"), u"cross-site");

  EXPECT_EQ(Run(u"https://mg.test/files/details/author.html", u"MajorGeeks"), job_stage::kTransferred);
  EXPECT_EQ(LastRequest().url, u"https://author.test/tool.exe");

  ServePage(u"https://mg.test/files/details/moved.html", "<html>This page has moved</html>");
  EXPECT_EQ(Run(u"https://mg.test/files/details/moved.html", u"MajorGeeks"), -1);
}

constexpr std::string_view kTechSpotProduct = R"(<html><body>
<div class="dl"><a href="/downloads/downloadnow/1234/?evp=ab&amp;file=1" class="button"><span>Download</span></a></div>
<ul><li><a href="/downloads/downloadnow/1234/?evp=ab&amp;file=2"> Windows 64-bit</a></li>
<li><a href="/downloads/downloadnow/1234/?evp=ab&amp;file=3"> Windows 32-bit</a></li></ul>
</body></html>)";

TEST_F(DownloadTypesTest, TechSpotPicksTheBitnessAndFollowsTheTimedRedirect) {
  const std::u16string origin(kTechSpotOrigin);
  ServePage(origin + u"/downloads/1234-tool.html", kTechSpotProduct);
  ServePage(origin + u"/downloads/1234-plain.html",
            R"(<a href="/downloads/downloadnow/1234/?evp=ab&amp;file=1"><span>Download</span></a>)");
  for (char file : {'1', '2', '3'}) {
    ServePage(origin + u"/downloads/downloadnow/1234/?evp=ab&file=" + char16_t(file),
              std::string("<script>setTimeout('location.href=\"/downloads/downloadnowfile/1234/?f=") + file +
                  "\"', 10000);</script>");
    // Sizes differ, so that no file counts as up to date.
    network.Serve(origin + u"/downloads/downloadnowfile/1234/?f=" + char16_t(file),
                  FakeNetwork::Ok(Program(500 + std::size_t(file))));
  }
  struct Case {
    std::u16string_view page, variant;
    char16_t file;
  } cases[] = {
      {u"/downloads/1234-tool.html", u"Techspot", u'1'},
      {u"/downloads/1234-tool.html", u"Techspot64", u'2'},
      {u"/downloads/1234-tool.html", u"TECHSPOT32", u'3'},
      {u"/downloads/1234-plain.html", u"Techspot64", u'1'},  // no bitness links: the plain one
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.variant));
    EXPECT_EQ(Run(origin + std::u16string(c.page), c.variant), job_stage::kTransferred);
    EXPECT_EQ(LastRequest().url, origin + u"/downloads/downloadnowfile/1234/?f=" + c.file);
    EXPECT_EQ(LastHeader(u"Referer"), origin + u"/downloads/downloadnow/1234/?evp=ab&file=" + c.file);
  }
  ServePage(origin + u"/downloads/downloadnow/1234/?evp=ab&file=1", "<p>no redirect here</p>");
  EXPECT_EQ(Run(origin + u"/downloads/1234-tool.html", u"Techspot"), -1);
}

constexpr std::string_view kSoftpediaProduct = R"(<html><body>
<a href="#" class="dlbtn" onclick="popup6_open({'t':15,
  'id':12345, tsf:0}, '/_xaja/dlinfo.php'); return false;">DOWNLOAD NOW</a>
</body></html>)";
constexpr std::string_view kSoftpediaInfo = R"(<div class="dlhead"><h2>Tool x64 and x86</h2></div>
<div class="dllinks">
<p><a href="https://www.softpedia.com/dyn-postdownload.php/1a/2b/3c" rel="nofollow">Softpedia Secure Download (US)</a> <b>x64</b></p>
<p><a href="https://www.softpedia.com/dyn-postdownload.php/4d/5e/6f" rel="nofollow">Softpedia Secure Download (US)</a> <b>x86</b></p>
</div>)";

TEST_F(DownloadTypesTest, SoftpediaGoesThroughTheInformationAndMirrorPages) {
  const std::u16string origin(kSoftpediaOrigin);
  const std::u16string product = origin + u"/get/System/Tool.shtml";
  const std::u16string info = origin + u"/_xaja/dlinfo.php?skipa=1&t=15&id=12345&tsf=0";
  ServePage(product, kSoftpediaProduct);
  ServePage(info, kSoftpediaInfo);
  ServePage(origin + u"/dyn-postdownload.php/1a/2b/3c",
            R"(<meta http-equiv="refresh" content="3; url=https://dl.sp.test/files/tool_x64.exe">)");
  ServePage(origin + u"/dyn-postdownload.php/4d/5e/6f",
            R"(<p><a href="/dl/4d/tool_x86.exe">Click to start it manually</a></p>)");
  network.Serve(u"https://dl.sp.test/files/tool_x64.exe", FakeNetwork::Ok(Program(700)));
  network.Serve(origin + u"/dl/4d/tool_x86.exe", FakeNetwork::Ok(Program(800)));
  struct Case {
    std::u16string_view linkText;
    std::u16string want, mirror;
  } cases[] = {
      {u"Softpedia", u"https://dl.sp.test/files/tool_x64.exe", origin + u"/dyn-postdownload.php/1a/2b/3c"},
      {u"Softpedia32", origin + u"/dl/4d/tool_x86.exe", origin + u"/dyn-postdownload.php/4d/5e/6f"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.linkText));
    EXPECT_EQ(Run(product, c.linkText), job_stage::kTransferred);
    EXPECT_EQ(LastRequest().url, c.want);
    EXPECT_EQ(LastHeader(u"Referer"), c.mirror);
  }
  std::u16string referer, markerOrUrl = u"x86";
  ASSERT_TRUE(SoftpediaLink(services, product, referer, markerOrUrl));
  EXPECT_EQ(markerOrUrl, origin + u"/dl/4d/tool_x86.exe");
  EXPECT_EQ(LastHeader(u"Referer"), info) << "the mirror page is asked for from the information page";

  ServePage(product, "<html>redesigned</html>");
  referer = u"unchanged";
  EXPECT_FALSE(SoftpediaLink(services, product, referer, markerOrUrl));
  EXPECT_EQ(referer, u"unchanged");
}

TEST_F(DownloadTypesTest, RefusesWhatCannotBeAPlaceForTheFile) {
  network.Serve(u"http://h.test/tool.exe", FakeNetwork::Ok(Program(200'000)));
  files.CreateFolders(u"C:\\Tools\\tool.exe");
  EXPECT_FALSE(StartDownload(services, kTarget, u"http://h.test/tool.exe", u"", 0));
  EXPECT_FALSE(StartDownload(services, u"C:\\Tools\\x.exe", u"h://", u"", 0));
  files.WriteText(u"C:\\Blocked", "a file where a folder should be");
  EXPECT_FALSE(StartDownload(services, u"C:\\Blocked\\x.exe", u"http://h.test/tool.exe", u"", 0));

  JobHandle job = StartDownload(services, u"C:\\New\\Deep\\x.exe", u"http://h.test/tool.exe", u"", 0);
  EXPECT_TRUE(job);
  EXPECT_TRUE(IsFolder(files, u"C:\\New\\Deep"));
}

}  // namespace
}  // namespace kva::test
