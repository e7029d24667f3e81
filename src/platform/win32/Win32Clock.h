#pragma once
#include "platform/Clock.h"

namespace kva::win32 {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
  std::uint64_t MonotonicMilliseconds() override;
  void Sleep(unsigned milliseconds) override;
};

}  // namespace kva::win32
