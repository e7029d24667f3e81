#pragma once
// Time, so that waits and dates can be faked in tests.

#include <cstdint>

#include "platform/LocalTime.h"

namespace kva {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual std::uint64_t MonotonicMilliseconds() = 0;
  virtual void Sleep(unsigned milliseconds) = 0;
};

}  // namespace kva
