#include "downloads/PageFetch.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "downloads/BodyReader.h"
#include "downloads/PageText.h"
#include "downloads/RequestHeaders.h"
#include "downloads/Url.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr unsigned kProbeTimeoutMs = 10000;
constexpr unsigned kProbeRetries = 2;
constexpr unsigned kProbeWaitMs = 10;
constexpr int kFirstHttpErrorStatus = 400;

std::uint64_t AnnouncedSize(Network& network, const std::u16string& url) {
  if (!network.Connected() || !IsTransferUrl(url)) return 0;
  auto session = network.OpenSession({std::u16string(kChromeUserAgent), kProbeTimeoutMs, kProbeRetries});
  if (!session) return 0;
  OpenUrlOptions options;
  options.headers = JobRequestHeaders({}, kDefaultReferer);
  options.reload = true;
  options.decodeContent = true;
  auto transfer = session->OpenUrl(url, options);
  if (!transfer || transfer->Status() >= kFirstHttpErrorStatus) return 0;
  const std::uint64_t lengthBytes = ReadBodyFacts(*transfer).lengthBytes;
  if (lengthBytes > 0 || !StartsWithNoCase(url, u"ftp")) return lengthBytes;
  return FtpServerSize(*session, url).value_or(0);
}

}  // namespace

bool FetchPage(const DownloadServices& services, std::u16string_view url,
               std::u16string_view referer, std::u16string& text, std::uint64_t limitBytes) {
  JobRequest request;
  request.url = url;
  request.flags = job_flag::kSynchronous | job_flag::kIntoMemory;
  request.userAgent = kFirefoxUserAgent;
  request.referer = referer;
  request.knownSize = limitBytes;
  request.headers = PageFetchHeaders(url, referer);
  JobHandle job = StartJob(services, std::move(request));
  if (!job || QueryJob(job.get(), JobQuery::kStage) != job_stage::kTransferred) return false;
  text = DecodePage(JobText(job.get()));
  return true;
}

std::uint64_t ProbeSize(const DownloadServices& services, std::u16string_view url) {
  std::atomic<bool> done{false};
  std::uint64_t sizeBytes = 0;
  const std::u16string target(url);
  std::thread prober;
  try {
    prober = std::thread([&] {
      sizeBytes = AnnouncedSize(services.network, target);
      done.store(true);
    });
  } catch (const std::system_error&) {
    return 0;
  }
  while (!done.load()) {
    services.pump.Process();
    if (!done.load()) services.pump.Idle(kProbeWaitMs);
  }
  prober.join();
  return sizeBytes;
}

}  // namespace kva
