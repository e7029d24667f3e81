#pragma once
// Time, so that waits and dates can be faked in tests.

#include <cstdint>

namespace kva {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual std::uint64_t MonotonicMilliseconds() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace kva
