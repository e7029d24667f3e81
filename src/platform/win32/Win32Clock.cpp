#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace kva::win32 {

LocalTime Win32Clock::Now() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
          now.wMilliseconds};
}

std::uint64_t Win32Clock::MonotonicMilliseconds() { return ::GetTickCount64(); }

void Win32Clock::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace kva::win32
