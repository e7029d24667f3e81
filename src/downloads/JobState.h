#pragma once
// The inside of a DownloadJob, shared by its worker, its reader and writer
// and the functions of DownloadJob.h. The words the caller polls are
// atomic; the hand-over between reader and writer goes through one mutex
// and condition variable, which also carry cancellation.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "downloads/DownloadJob.h"

namespace kva {

class DownloadJob {
 public:
  DownloadJob(const DownloadServices& services, JobRequest request)
      : services(services), request(std::move(request)) {}

  bool Failed() const { return error.load() != 0; }
  // The first error stands, except cancellation, which always wins.
  void Fail(int code) {
    std::lock_guard lock(handOver);
    int none = 0;
    if (code == job_error::kCancelled) {
      error.store(code);
    } else {
      error.compare_exchange_strong(none, code);
    }
    changed.notify_all();
  }
  // received of total, in whole percent rounded as the progress display wants.
  void SetProgress(std::uint64_t receivedBytes) {
    received.store(receivedBytes);
    if (receivedBytes > total.load()) total.store(receivedBytes);
    const std::uint64_t totalBytes = total.load();
    if (totalBytes > 0) percent.store(int((receivedBytes * 1000 + 4) / (totalBytes * 10)));
  }

  const DownloadServices services;
  const JobRequest request;

  std::atomic<std::uint64_t> total{0};
  std::atomic<std::uint64_t> received{0};
  std::atomic<int> percent{0};
  std::atomic<int> stage{0};
  std::atomic<int> error{0};
  std::atomic<bool> workerEnded{false};

  std::mutex handOver;
  std::condition_variable changed;

  // Memory mode: the bytes received, valid once the worker has ended.
  std::unique_ptr<std::uint8_t[]> memory;
  std::size_t memoryBytes = 0;

  std::thread worker;
};

// The worker's body (JobWorker.cpp).
void RunJob(DownloadJob& job);

}  // namespace kva
