#pragma once
// One HTTP, HTTPS, FTP or FTPS transfer on a worker thread, into a file or
// into memory, that the caller polls. A job belongs to its starter until
// CloseJob, which also cancels it.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/FileStreams.h"
#include "platform/FileSystem.h"
#include "platform/Network.h"
#include "platform/RegistryAccess.h"

namespace kva {

// What a job works with; all must outlive the job.
struct DownloadServices {
  Network& network;
  FileSystem& files;
  FileStreams& streams;
  MessagePump& pump;  // for the waits of the thread that starts and closes jobs
};

namespace job_flag {
inline constexpr std::uint32_t kSynchronous = 1;  // StartJob returns when the transfer has ended
inline constexpr std::uint32_t kReload = 2;       // never from a cache
inline constexpr std::uint32_t kIntoMemory = 4;
inline constexpr std::uint32_t kSizeCheck = 8;  // "already up to date" when the size matches
}  // namespace job_flag

namespace job_stage {
inline constexpr int kConnecting = 1;
inline constexpr int kTransferring = 2;
inline constexpr int kTransferred = 3;
inline constexpr int kUpToDate = 4;
}  // namespace job_stage

namespace job_error {
inline constexpr int kOffline = 1;
// The session or the URL could not be opened, the URL's scheme is not one
// for downloads, or the server answered with an HTTP error status.
inline constexpr int kOpenFailed = 2;
inline constexpr int kCancelled = 3;
inline constexpr int kCreateFailed = 4;
inline constexpr int kOutOfMemory = 5;
// A read or write failed, nothing came, or the body ended before its
// announced length and could not be resumed.
inline constexpr int kTransferFailed = 6;
}  // namespace job_error

enum class JobQuery {
  kTotal = 1,
  kReceived = 2,
  kPercent = 3,
  kStage = 4,
  kError = 5,
  kFinished = 6,
  kPermille = 7,
};

struct JobRequest {
  std::u16string url;
  std::u16string filePath;  // empty in memory mode
  std::uint32_t flags = 0;
  std::u16string userAgent;
  std::u16string referer;
  // The size check's local size (0: the destination's size); in memory
  // mode the buffer's capacity (0: by the announced size).
  std::uint64_t knownSize = 0;
  std::u16string headers;  // extra request headers, CR LF separated
};

class DownloadJob;
struct DownloadJobDeleter {
  void operator()(DownloadJob* job) const;
};
using JobHandle = std::unique_ptr<DownloadJob, DownloadJobDeleter>;

// Empty when the worker thread could not be started.
[[nodiscard]] JobHandle StartJob(const DownloadServices& services, JobRequest request);
// The value asked for; -1 for a missing job. A job with an error reports
// stage 0 and nothing received.
[[nodiscard]] std::int64_t QueryJob(DownloadJob* job, JobQuery query);
// The bytes of a memory-mode job that has transferred; empty otherwise.
[[nodiscard]] std::span<const std::uint8_t> JobText(const DownloadJob* job);
// Cancels the transfer, waits for the worker and frees the job; a file
// that was not completed is deleted.
void CloseJob(JobHandle& job);

// A full drive-letter path gets the extended-length prefix, so that long
// paths work; one that Windows would first have to tidy (forward slashes,
// "." or ".." segments) is left as it is.
std::u16string ExtendedLengthPath(std::u16string_view path);

}  // namespace kva
