// A body into one block of memory, for pages that are searched and thrown
// away: capped, so that a huge or endless response cannot exhaust memory.
#include <algorithm>
#include <new>

#include "downloads/Transfers.h"

namespace kva {
namespace {

constexpr std::uint64_t kSmallestCapacityBytes = 65'535;
constexpr std::uint64_t kLargestCapacityBytes = 41'943'040;

std::size_t CapacityBytes(const DownloadJob& job) {
  if (job.request.knownSize > 0) return std::size_t(job.request.knownSize);
  return std::size_t(std::clamp(job.total.load(), kSmallestCapacityBytes, kLargestCapacityBytes));
}

}  // namespace

void TransferIntoMemory(DownloadJob& job, BodyReader& body, std::size_t chunkBytes) {
  const std::size_t capacityBytes = CapacityBytes(job);
  chunkBytes = std::min(chunkBytes, capacityBytes);
  // Two zero bytes end the text for readers that look for them.
  std::unique_ptr<std::uint8_t[]> memory(new (std::nothrow) std::uint8_t[capacityBytes + 2]);
  if (!memory) return job.Fail(job_error::kOutOfMemory);

  std::size_t receivedBytes = 0;
  while (receivedBytes < capacityBytes && !job.Failed()) {
    const std::size_t room = std::min(chunkBytes, capacityBytes - receivedBytes);
    const auto piece = body.Read({memory.get() + receivedBytes, room}, receivedBytes);
    if (piece.outcome == BodyReader::Outcome::kEnd) break;
    if (piece.outcome == BodyReader::Outcome::kFailed) return job.Fail(job_error::kTransferFailed);
    receivedBytes = piece.outcome == BodyReader::Outcome::kRestarted ? 0 : receivedBytes + piece.bytes;
    job.SetProgress(receivedBytes);
  }
  if (job.Failed()) return;
  if (receivedBytes == 0) return job.Fail(job_error::kTransferFailed);
  memory[receivedBytes] = 0;
  memory[receivedBytes + 1] = 0;
  job.memory = std::move(memory);
  job.memoryBytes = receivedBytes;
  job.total.store(receivedBytes);
  job.percent.store(100);
  job.stage.store(job_stage::kTransferred);
}

}  // namespace kva
