#include "downloads/DownloadJob.h"

#include "downloads/DownloadFixture.h"

namespace kva::test {
namespace {

constexpr std::u16string_view kUrl = u"http://files.test/tool.exe";

std::int64_t Query(JobHandle& job, JobQuery query) { return QueryJob(job.get(), query); }

class DownloadJobTest : public DownloadFixture {};

TEST_F(DownloadJobTest, BodiesOfEverySizeArriveWholeThroughTheBuffers) {
  // Sizes around each chunk rule; pieces that do not divide the chunk.
  for (std::size_t size : {1u, 19'999u, 20'001u, 99'999u, 250'000u, 2'000'003u, 10'500'000u}) {
    SCOPED_TRACE(size);
    FakeResponse response = FakeNetwork::Ok(Pattern(size));
    response.pieceBytes = 7'777;
    network.Serve(std::u16string(kUrl), response);
    auto job = Download(std::u16string(kUrl));
    ASSERT_TRUE(job);
    EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferred);
    EXPECT_EQ(Query(job, JobQuery::kError), 0);
    EXPECT_EQ(Query(job, JobQuery::kTotal), std::int64_t(size));
    EXPECT_EQ(Query(job, JobQuery::kReceived), std::int64_t(size));
    EXPECT_EQ(Query(job, JobQuery::kPercent), 100);
    EXPECT_EQ(Query(job, JobQuery::kFinished), 1);
    EXPECT_TRUE(Target() == Pattern(size));
  }
}

TEST_F(DownloadJobTest, WithoutALengthTheTotalFollowsWhatArrives) {
  for (std::size_t size : {300'000u, 1'500'000u}) {
    SCOPED_TRACE(size);
    FakeResponse response;
    response.body = Pattern(size);
    network.Serve(std::u16string(kUrl), response);
    auto job = Download(std::u16string(kUrl));
    EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferred);
    EXPECT_EQ(Query(job, JobQuery::kTotal), std::int64_t(size));
    EXPECT_TRUE(Target() == Pattern(size));
  }
}

TEST_F(DownloadJobTest, SizeCheckSkipsAFileOfTheAnnouncedSize) {
  files.WriteText(kTarget, "old bytes!");  // 10 bytes
  struct Case {
    const char* name;
    std::string body;
    std::uint64_t knownSize;
    int stage;
  } cases[] = {
      {"same size on disk", "new bytes!", 0, job_stage::kUpToDate},
      {"known size given", "0123456", 7, job_stage::kUpToDate},
      {"other size", "longer new bytes", 0, job_stage::kTransferred},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files.WriteText(kTarget, "old bytes!");
    network.Serve(std::u16string(kUrl), FakeNetwork::Ok(c.body));
    auto job = Download(std::u16string(kUrl), job_flag::kSizeCheck, c.knownSize);
    EXPECT_EQ(Query(job, JobQuery::kStage), c.stage);
    EXPECT_EQ(Query(job, JobQuery::kPercent), 100);
    EXPECT_EQ(Query(job, JobQuery::kReceived), std::int64_t(c.body.size()));
    EXPECT_EQ(Target(), c.stage == job_stage::kUpToDate ? "old bytes!" : c.body);
  }
}

TEST_F(DownloadJobTest, AnEmptyBodyIsAnEmptyFileButNoPage) {
  network.Serve(std::u16string(kUrl), FakeNetwork::Ok(""));
  auto file = Download(std::u16string(kUrl));
  EXPECT_EQ(Query(file, JobQuery::kStage), job_stage::kTransferred);
  EXPECT_EQ(Target(), "");

  auto page = Start(std::u16string(kUrl), {}, job_flag::kSynchronous | job_flag::kIntoMemory);
  EXPECT_EQ(Query(page, JobQuery::kError), job_error::kTransferFailed);
  EXPECT_EQ(Query(page, JobQuery::kStage), 0);
  EXPECT_TRUE(JobText(page.get()).empty());
}

TEST_F(DownloadJobTest, ABodyThatStopsShortFailsAndLeavesNoFile) {
  for (bool failedRead : {false, true}) {
    SCOPED_TRACE(failedRead);
    FakeResponse response = FakeNetwork::Ok(Pattern(1'000));
    response.dropAfterBytes = 600;
    response.failInsteadOfEnd = failedRead;
    network.Serve(std::u16string(kUrl), response);
    const std::size_t before = network.Requests().size();
    auto job = Download(std::u16string(kUrl));
    EXPECT_EQ(Query(job, JobQuery::kError), job_error::kTransferFailed);
    // A failed job reports stage 0 and nothing received.
    EXPECT_EQ(Query(job, JobQuery::kStage), 0);
    EXPECT_EQ(Query(job, JobQuery::kReceived), 0);
    EXPECT_EQ(Query(job, JobQuery::kFinished), 1);
    EXPECT_FALSE(Exists(files, kTarget));
    EXPECT_EQ(network.Requests().size(), before + 1) << "no resume without byte ranges";
  }
}

TEST_F(DownloadJobTest, ADroppedBodyGoesOnFromWhereItStopped) {
  struct Case {
    const char* name;
    int drops;
    bool completes;
  } cases[] = {{"one drop", 1, true}, {"three drops", 3, true}, {"four drops", 4, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeResponse response = FakeNetwork::Ok(Pattern(1'000'000));
    response.headers[u"Accept-Ranges"] = u"bytes";
    response.rangesHonoured = true;
    response.dropAfterBytes = 150'001;
    std::vector responses(std::size_t(c.drops), response);
    response.dropAfterBytes.reset();
    responses.push_back(response);
    network.Serve(std::u16string(kUrl), responses);
    const std::size_t before = network.Requests().size();
    auto job = Download(std::u16string(kUrl));
    if (c.completes) {
      EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferred);
      EXPECT_TRUE(Target() == Pattern(1'000'000));
      EXPECT_EQ(streams.creations, 1) << "the file is never started over";
    } else {
      EXPECT_EQ(Query(job, JobQuery::kError), job_error::kTransferFailed);
      EXPECT_FALSE(Exists(files, kTarget));
    }
    const auto requests = network.Requests();
    ASSERT_GE(requests.size(), before + 2);
    EXPECT_EQ(FakeNetwork::RequestHeader(requests[before + 1], u"Range"), u"bytes=150001-");
    EXPECT_EQ(requests.size() - before, std::size_t(std::min(c.drops, 3) + 1));
    streams.creations = 0;
  }
}

TEST_F(DownloadJobTest, AServerThatIgnoresTheRangeStartsTheFileOver) {
  FakeResponse first = FakeNetwork::Ok(Pattern(500'000));
  first.headers[u"Accept-Ranges"] = u"bytes";
  first.dropAfterBytes = 333'333;
  network.Serve(std::u16string(kUrl), {first, FakeNetwork::Ok(Pattern(500'000))});
  auto job = Download(std::u16string(kUrl));
  EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferred);
  EXPECT_EQ(Query(job, JobQuery::kReceived), 500'000);
  EXPECT_TRUE(Target() == Pattern(500'000));
}

TEST_F(DownloadJobTest, ClosingARunningJobCancelsItAndDeletesThePartialFile) {
  FakeResponse drip;
  drip.endless = true;
  drip.pieceBytes = 10;
  network.Serve(std::u16string(kUrl), drip);
  auto job = Start(std::u16string(kUrl), std::u16string(kTarget), 0);
  while (Query(job, JobQuery::kReceived) < 300'000) std::this_thread::yield();
  EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferring);
  EXPECT_EQ(Query(job, JobQuery::kFinished), 0);
  CloseJob(job);
  EXPECT_FALSE(job);
  EXPECT_EQ(QueryJob(job.get(), JobQuery::kStage), -1);
  EXPECT_FALSE(Exists(files, kTarget));
}

TEST_F(DownloadJobTest, FailuresBeforeTheBodyAreReportedByCode) {
  FakeResponse notFound = FakeNetwork::Ok("<html>Not found</html>");
  notFound.status = 404;
  FakeResponse serverError = FakeNetwork::Ok("<html>Oops</html>");
  serverError.status = 500;
  network.Serve(u"http://files.test/missing.exe", notFound);
  network.Serve(u"http://files.test/broken.exe", serverError);
  network.Serve(u"http://files.test/tool.exe", FakeNetwork::Ok("MZ"));
  struct Case {
    const char* name;
    std::u16string url;
    bool offline;
    int error;
    bool asked;  // whether the URL reaches the network at all
  } cases[] = {
      {"404", u"http://files.test/missing.exe", false, job_error::kOpenFailed, true},
      {"500", u"http://files.test/broken.exe", false, job_error::kOpenFailed, true},
      {"nothing there", u"http://files.test/unknown.exe", false, job_error::kOpenFailed, true},
      {"offline", u"http://files.test/tool.exe", true, job_error::kOffline, false},
      {"script link", u"javascript:download('tool.exe')", false, job_error::kOpenFailed, false},
      {"local file", u"file:///C:/Windows/notepad.exe", false, job_error::kOpenFailed, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    network.connected = !c.offline;
    const std::size_t before = network.Requests().size();
    auto job = Download(c.url);
    EXPECT_EQ(Query(job, JobQuery::kError), c.error);
    EXPECT_EQ(Query(job, JobQuery::kStage), 0);
    EXPECT_FALSE(Exists(files, kTarget));
    EXPECT_EQ(network.Requests().size(), before + (c.asked ? 1 : 0));
  }
}

TEST_F(DownloadJobTest, ADestinationThatRefusesIsDeletedAndCreatedAgain) {
  network.Serve(std::u16string(kUrl), FakeNetwork::Ok("MZ program"));
  files.WriteText(kTarget, "left by an earlier run");
  files.SetAttributes(kTarget, attr::kHidden);
  auto job = Download(std::u16string(kUrl));
  EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferred);
  EXPECT_EQ(Target(), "MZ program");
}

TEST_F(DownloadJobTest, ALockedDestinationIsError4AfterOneRetry) {
  network.Serve(std::u16string(kUrl), FakeNetwork::Ok("MZ program"));
  files.WriteText(kTarget, "held by a program");
  streams.Lock(kTarget);
  auto job = Download(std::u16string(kUrl));
  EXPECT_EQ(Query(job, JobQuery::kError), job_error::kCreateFailed);
  EXPECT_EQ(files.ReadText(kTarget), "held by a program");

  files.CreateFolders(u"C:\\Tools\\folder");
  auto folder = Start(std::u16string(kUrl), u"C:\\Tools\\folder", job_flag::kSynchronous);
  EXPECT_EQ(Query(folder, JobQuery::kError), job_error::kCreateFailed);
  EXPECT_TRUE(IsFolder(files, u"C:\\Tools\\folder"));
}

TEST_F(DownloadJobTest, AFailedWriteIsError6AndLeavesNoFile) {
  network.Serve(std::u16string(kUrl), FakeNetwork::Ok(Pattern(300'000)));
  streams.diskFullAtBytes = 100'000;
  auto job = Download(std::u16string(kUrl));
  EXPECT_EQ(Query(job, JobQuery::kError), job_error::kTransferFailed);
  EXPECT_FALSE(Exists(files, kTarget));
}

TEST_F(DownloadJobTest, MemoryModeKeepsAtMostItsCapacity) {
  network.Serve(std::u16string(kUrl), FakeNetwork::Ok(Pattern(5'000)));
  struct Case {
    std::uint64_t capacity;
    std::size_t kept;
  } cases[] = {{100, 100}, {0, 5'000}, {10'000, 5'000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.capacity);
    auto job = Start(std::u16string(kUrl), {}, job_flag::kSynchronous | job_flag::kIntoMemory,
                     c.capacity);
    EXPECT_EQ(Query(job, JobQuery::kStage), job_stage::kTransferred);
    const auto text = JobText(job.get());
    EXPECT_EQ(std::string(text.begin(), text.end()), Pattern(5'000).substr(0, c.kept));
    EXPECT_EQ(Query(job, JobQuery::kTotal), std::int64_t(c.kept));
  }
}

TEST_F(DownloadJobTest, FtpSizeComesFromTheServerWhenTheUrlGivesNone) {
  FakeResponse noLength;
  noLength.status = 0;
  noLength.body = Pattern(5'000);
  network.Serve(u"ftp://ftp.test/pub/tool.exe", noLength);
  network.Serve(u"ftp://ftp.test/pub/zero.exe", noLength);
  network.Serve(u"ftp://ftp.test/pub/gone.exe", noLength);
  network.ServeFtpSize(u"ftp.test", u"/pub/tool.exe", 5'000);
  network.ServeFtpSize(u"ftp.test", u"/pub/zero.exe", 0);
  struct Case {
    std::u16string url;
    int stage, error;
  } cases[] = {
      {u"ftp://ftp.test/pub/tool.exe", job_stage::kUpToDate, 0},
      {u"ftp://ftp.test/pub/zero.exe", job_stage::kTransferred, 0},  // size unknown: download
      {u"ftp://ftp.test/pub/gone.exe", 0, job_error::kOpenFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.url));
    auto job = Download(c.url, job_flag::kSizeCheck, 5'000);
    EXPECT_EQ(Query(job, JobQuery::kStage), c.stage);
    EXPECT_EQ(Query(job, JobQuery::kError), c.error);
  }
}

TEST_F(DownloadJobTest, RequestCarriesItsHeadersAndReferer) {
  network.Serve(std::u16string(kUrl), FakeNetwork::Ok("MZ"));
  auto job = Download(std::u16string(kUrl), job_flag::kReload);
  job = Start(std::u16string(kUrl), std::u16string(kTarget), job_flag::kSynchronous, 0,
              u"Accept-Encoding: gzip, deflate\r\n");
  const auto requests = network.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].userAgent, u"agent");
  EXPECT_EQ(requests[0].options.headers, u"Referer: http://pages.test/tool.html\r\n");
  EXPECT_TRUE(requests[0].options.reload);
  EXPECT_FALSE(requests[0].options.decodeContent);
  EXPECT_EQ(requests[1].options.headers,
            u"Accept-Encoding: gzip, deflate\r\nReferer: http://pages.test/tool.html\r\n");
  EXPECT_TRUE(requests[1].options.decodeContent);
  EXPECT_FALSE(requests[1].options.reload);
}

TEST(ExtendedLengthPathTest, OnlyDriveLetterPathsGetThePrefix) {
  EXPECT_EQ(ExtendedLengthPath(u"C:\\Tools\\a.exe"), u"\\\\?\\C:\\Tools\\a.exe");
  EXPECT_EQ(ExtendedLengthPath(u"\\\\server\\share\\a.exe"), u"\\\\server\\share\\a.exe");
  EXPECT_EQ(ExtendedLengthPath(u"\\\\?\\C:\\a.exe"), u"\\\\?\\C:\\a.exe");
  EXPECT_EQ(ExtendedLengthPath(u"a.exe"), u"a.exe");
  for (std::u16string_view untidy : {u"C:tool.exe", u"Z:/tmp/out\\a.exe", u"C:\\Tools\\..\\a.exe",
                                     u"C:\\Tools\\.\\a.exe"}) {
    EXPECT_EQ(ExtendedLengthPath(untidy), untidy);
  }
}

}  // namespace
}  // namespace kva::test
