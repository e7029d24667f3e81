// The worker of a DownloadJob: connect, open the URL, learn the size, skip
// what is up to date, then hand the body to the file or memory transfer.
#include "downloads/BodyReader.h"
#include "downloads/JobState.h"
#include "downloads/RequestHeaders.h"
#include "downloads/Transfers.h"
#include "downloads/Url.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr unsigned kConnectTimeoutMs = 20000;
constexpr unsigned kConnectRetries = 2;
constexpr int kFirstHttpErrorStatus = 400;
// Without a length the progress is shown against this.
constexpr std::uint64_t kPresumedTotalBytes = 1'048'576;

std::size_t ChunkBytes(std::uint64_t totalBytes) {
  if (totalBytes == 0) return 100'000;
  if (totalBytes >= 10'000'000) return 200'000;
  if (totalBytes >= 500'000) return 100'000;
  if (totalBytes >= 100'000) return std::size_t(totalBytes / 5);
  return 20'000;
}

bool IsUpToDate(DownloadJob& job, std::uint64_t totalBytes) {
  std::uint64_t localBytes = job.request.knownSize;
  if (localBytes == 0 && !job.services.files.SizeOf(job.request.filePath, localBytes)) return false;
  return localBytes == totalBytes;
}

OpenUrlOptions RequestOptions(const JobRequest& request) {
  OpenUrlOptions options;
  options.headers = JobRequestHeaders(request.headers, request.referer);
  options.reload = (request.flags & job_flag::kReload) != 0;
  options.decodeContent = options.headers.find(kAcceptEncodingLine) != kNpos;
  return options;
}

}  // namespace

void RunJob(DownloadJob& job) {
  const JobRequest& request = job.request;
  if (!job.services.network.Connected()) return job.Fail(job_error::kOffline);
  auto session = job.services.network.OpenSession(
      {request.userAgent, kConnectTimeoutMs, kConnectRetries});
  if (!session) return job.Fail(job_error::kOpenFailed);
  job.stage.store(job_stage::kConnecting);

  // Links come from web pages: nothing but a download scheme is opened.
  if (!IsTransferUrl(request.url)) return job.Fail(job_error::kOpenFailed);
  const OpenUrlOptions options = RequestOptions(request);
  auto transfer = session->OpenUrl(request.url, options);
  if (!transfer || job.Failed()) return job.Fail(job_error::kOpenFailed);
  // An error page is not the file that was asked for.
  if (transfer->Status() >= kFirstHttpErrorStatus) return job.Fail(job_error::kOpenFailed);

  BodyFacts facts = ReadBodyFacts(*transfer);
  if (facts.lengthBytes == 0 && StartsWithNoCase(request.url, u"ftp")) {
    const auto size = FtpServerSize(*session, request.url);
    if (!size) return job.Fail(job_error::kOpenFailed);
    facts.lengthBytes = *size;
    if (*size > 0) facts.announcedBytes = size;
  }
  job.total.store(facts.lengthBytes);
  if ((request.flags & job_flag::kSizeCheck) && facts.lengthBytes > 0 &&
      IsUpToDate(job, facts.lengthBytes)) {
    job.received.store(facts.lengthBytes);
    job.percent.store(100);
    job.stage.store(job_stage::kUpToDate);
    return;
  }

  job.stage.store(job_stage::kTransferring);
  const std::size_t chunkBytes = ChunkBytes(facts.lengthBytes);
  if (facts.lengthBytes == 0) job.total.store(kPresumedTotalBytes);
  BodyReader body(*session, request.url, options, std::move(transfer), facts);
  if (request.flags & job_flag::kIntoMemory) {
    TransferIntoMemory(job, body, chunkBytes);
  } else {
    TransferIntoFile(job, body, chunkBytes);
  }
}

}  // namespace kva
