// The download client with WinINet against the loopback servers that
// loopback_downloads.sh starts; KVA_LOOPBACK_PORTS names the file with
// their ports.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "downloads/DownloadJob.h"
#include "downloads/DownloadTypes.h"
#include "downloads/LinkText.h"
#include "downloads/PageFetch.h"
#include "downloads/RequestHeaders.h"
#include "platform/Text.h"
#include "platform/win32/Win32FileStreams.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Network.h"

namespace kva::test {
namespace {

// The pattern the servers send: byte i of every body.
std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = char('a' + (i * 7 + i / 251) % 26);
  return bytes;
}

class SleepingPump final : public MessagePump {
 public:
  void Process() override {}
  void Idle(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

int Port(const char* kind) {
  const char* file = std::getenv("KVA_LOOPBACK_PORTS");
  std::ifstream in(file ? file : "");
  std::string name;
  int port = 0;
  while (in >> name >> port) {
    if (name == kind) return port;
  }
  return 0;
}

class LoopbackDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(http_, 0) << "KVA_LOOPBACK_PORTS does not name the servers' ports";
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    folder_ = std::u16string(reinterpret_cast<const char16_t*>(temp)) + u"kva-downloads";
    files.CreateFolders(folder_);
    target = folder_ + u"\\tool.bin";
    files.RemoveFile(target);
  }

  std::u16string Http(std::string_view path) {
    return AsciiToUtf16("http://127.0.0.1:" + std::to_string(http_) + std::string(path));
  }
  std::u16string Ftp(std::string_view path) {
    return AsciiToUtf16("ftp://127.0.0.1:" + std::to_string(ftp_) + std::string(path));
  }
  JobHandle Start(std::u16string url, std::uint32_t flags, std::u16string headers = {}) {
    JobRequest request;
    request.url = std::move(url);
    request.filePath = target;
    request.flags = flags;
    request.userAgent = kFirefoxUserAgent;
    request.headers = std::move(headers);
    return StartJob(services, std::move(request));
  }
  std::int64_t Stage(JobHandle& job) { return QueryJob(job.get(), JobQuery::kStage); }
  std::int64_t Error(JobHandle& job) { return QueryJob(job.get(), JobQuery::kError); }
  std::string Content() {
    std::vector<std::uint8_t> bytes;
    if (!files.ReadAll(target, bytes)) return "(missing)";
    return std::string(bytes.begin(), bytes.end());
  }

  win32::Win32Network network;
  win32::Win32FileSystem files;
  win32::Win32FileStreams streams;
  SleepingPump pump;
  DownloadServices services{network, files, streams, pump};
  std::u16string target;

 private:
  int http_ = Port("http");
  int ftp_ = Port("ftp");
  std::u16string folder_;
};

TEST_F(LoopbackDownloadTest, BodiesArriveWholeWithOrWithoutALength) {
  struct Case {
    const char* path;
    std::size_t size;
    std::u16string headers;
  } cases[] = {
      {"/file/3000000", 3'000'000, {}},
      {"/nolength/300000", 300'000, {}},
      {"/gzip/400000", 400'000, std::u16string(kAcceptEncodingLine)},
      {"/redirect/5000", 5'000, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto job = Start(Http(c.path), job_flag::kSynchronous, c.headers);
    EXPECT_EQ(Stage(job), job_stage::kTransferred);
    EXPECT_EQ(Error(job), 0);
    EXPECT_EQ(QueryJob(job.get(), JobQuery::kTotal), std::int64_t(c.size));
    EXPECT_TRUE(Content() == Pattern(c.size));
  }
}

TEST_F(LoopbackDownloadTest, DroppedBodiesResumeRestartOrFail) {
  struct Case {
    const char* path;
    bool completes;
  } cases[] = {
      {"/drop/1000000", true},
      {"/drop-restart/1000000", true},
      {"/drop-noranges/1000000", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto job = Start(Http(c.path), job_flag::kSynchronous);
    if (c.completes) {
      EXPECT_EQ(Stage(job), job_stage::kTransferred);
      EXPECT_TRUE(Content() == Pattern(1'000'000));
    } else {
      EXPECT_EQ(Error(job), job_error::kTransferFailed);
      EXPECT_EQ(Content(), "(missing)");
    }
  }
}

TEST_F(LoopbackDownloadTest, AnErrorPageIsNoDownloadAndNoPage) {
  auto job = Start(Http("/missing"), job_flag::kSynchronous);
  EXPECT_EQ(Error(job), job_error::kOpenFailed);
  EXPECT_EQ(Content(), "(missing)");
  std::u16string page = u"untouched";
  EXPECT_FALSE(FetchPage(services, Http("/missing"), u"", page, kSmallPageBytes));
  EXPECT_EQ(page, u"untouched");
}

TEST_F(LoopbackDownloadTest, ClosingADrippingTransferCancelsIt) {
  auto job = Start(Http("/drip"), 0);
  while (QueryJob(job.get(), JobQuery::kReceived) < 4096 && QueryJob(job.get(), JobQuery::kFinished) == 0) {
    ::Sleep(10);
  }
  EXPECT_EQ(Stage(job), job_stage::kTransferring);
  CloseJob(job);
  EXPECT_EQ(Content(), "(missing)");
}

TEST_F(LoopbackDownloadTest, FtpGivesItsSizeAndItsFile) {
  EXPECT_EQ(ProbeSize(services, Ftp("/tool.bin")), 5'000u);
  auto job = Start(Ftp("/tool.bin"), job_flag::kSynchronous);
  EXPECT_EQ(Stage(job), job_stage::kTransferred);
  EXPECT_TRUE(Content() == Pattern(5'000));
  // The size check finds the file just downloaded up to date.
  job = Start(Ftp("/tool.bin"), job_flag::kSynchronous | job_flag::kSizeCheck);
  EXPECT_EQ(Stage(job), job_stage::kUpToDate);
}

TEST_F(LoopbackDownloadTest, PagesLeadToTheirFiles) {
  EXPECT_EQ(ProbeSize(services, Http("/file/123456")), 123'456u);
  struct Case {
    const char* page;
    std::u16string_view linkText;
    std::size_t size;
  } cases[] = {
      {"/page/links", u"Download now", 4'000},
      {"/page/refresh", u"", 3'000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    JobHandle job = StartDownload(services, target, Http(c.page), c.linkText, 0);
    ASSERT_TRUE(job);
    while (QueryJob(job.get(), JobQuery::kFinished) == 0) ::Sleep(5);
    EXPECT_EQ(Stage(job), job_stage::kTransferred);
    CloseJob(job);
    EXPECT_TRUE(Content() == Pattern(c.size));
  }
}

}  // namespace
}  // namespace kva::test
