#pragma once
// A clock that never waits: Sleep only advances the time it reports (and
// yields, so that a thread being waited for gets on).

#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

#include "platform/Clock.h"

namespace kva {

class FakeClock final : public Clock {
 public:
  LocalTime Now() override { return now; }
  std::uint64_t MonotonicMilliseconds() override { return monotonic; }
  // Called from loader threads and the main thread alike.
  void Sleep(unsigned milliseconds) override {
    {
      std::lock_guard lock(mutex_);
      monotonic += milliseconds;
      ++sleepCounts[milliseconds];
    }
    std::this_thread::yield();
  }
  int SleepCount(unsigned milliseconds) {
    std::lock_guard lock(mutex_);
    return sleepCounts[milliseconds];
  }

  LocalTime now{2026, 12, 10, 9, 30, 0, 0};
  std::uint64_t monotonic = 0;
  std::map<unsigned, int> sleepCounts;  // how often each duration was slept

 private:
  std::mutex mutex_;
};

}  // namespace kva
