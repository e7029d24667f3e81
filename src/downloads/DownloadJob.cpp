#include "downloads/DownloadJob.h"

#include <system_error>

#include "downloads/JobState.h"

namespace kva {
namespace {

constexpr unsigned kStartWaitMs = 5;
constexpr unsigned kCloseWaitMs = 10;

void WaitForWorker(DownloadJob& job, unsigned idleMs) {
  while (!job.workerEnded.load()) {
    job.services.pump.Process();
    if (!job.workerEnded.load()) job.services.pump.Idle(idleMs);
  }
  job.worker.join();
}

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Windows takes a prefixed path as it stands: no forward slashes, no "."
// or ".." segments to resolve.
bool IsCanonical(std::u16string_view path) {
  if (path.find(u'/') != std::u16string_view::npos) return false;
  for (std::u16string_view segment : {u"\\.\\", u"\\..\\"}) {
    if (path.find(segment) != std::u16string_view::npos) return false;
  }
  return !path.ends_with(u"\\.") && !path.ends_with(u"\\..");
}

}  // namespace

void DownloadJobDeleter::operator()(DownloadJob* job) const {
  job->Fail(job_error::kCancelled);
  if (job->worker.joinable()) WaitForWorker(*job, kCloseWaitMs);
  delete job;
}

std::u16string ExtendedLengthPath(std::u16string_view path) {
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == u':' && path[2] == u'\\' &&
      IsCanonical(path)) {
    return u"\\\\?\\" + std::u16string(path);
  }
  return std::u16string(path);
}

JobHandle StartJob(const DownloadServices& services, JobRequest request) {
  request.filePath = ExtendedLengthPath(request.filePath);
  const bool synchronous = request.flags & job_flag::kSynchronous;
  JobHandle job(new DownloadJob(services, std::move(request)));
  DownloadJob& state = *job;
  try {
    state.worker = std::thread([&state] {
      RunJob(state);
      state.workerEnded.store(true);
    });
  } catch (const std::system_error&) {
    return {};  // the deleter finds no worker to wait for
  }
  if (synchronous) {
    while (!state.workerEnded.load()) {
      services.pump.Process();
      if (!state.workerEnded.load()) services.pump.Idle(kStartWaitMs);
    }
  }
  return job;
}

std::int64_t QueryJob(DownloadJob* job, JobQuery query) {
  if (!job) return -1;
  if (job->error.load() != 0) {
    job->stage.store(0);
    job->received.store(0);
  }
  const std::uint64_t total = job->total.load();
  const std::uint64_t received = job->received.load();
  const int stage = job->stage.load();
  switch (query) {
    case JobQuery::kTotal: return std::int64_t(total);
    case JobQuery::kReceived: return std::int64_t(received);
    case JobQuery::kPercent: return job->percent.load();
    case JobQuery::kStage: return stage;
    case JobQuery::kError: return job->error.load();
    case JobQuery::kFinished:
      return job->error.load() != 0 || stage == job_stage::kTransferred ||
             stage == job_stage::kUpToDate;
    case JobQuery::kPermille: return total == 0 ? 0 : std::int64_t(received * 1000 / total);
  }
  return -1;
}

std::span<const std::uint8_t> JobText(const DownloadJob* job) {
  if (!job || !job->workerEnded.load() || !job->memory) return {};
  return {job->memory.get(), job->memoryBytes};
}

void CloseJob(JobHandle& job) { job.reset(); }

}  // namespace kva
