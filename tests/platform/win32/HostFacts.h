#pragma once
// What a test of the real calls needs to know about where it runs.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace kva::win32::test {

// CI sets CI=true; Wine passes the variable through.
inline bool RunsUnderCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::string_view(ci) == "true";
}

inline bool RunsUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace kva::win32::test

// Skips a test that needs a display when there is none; under CI a missing
// display is a broken set-up, so the test fails instead of passing unseen.
#define KVA_SKIP_WITHOUT_DISPLAY(reason)                          \
  do {                                                            \
    if (::kva::win32::test::RunsUnderCi()) {                      \
      GTEST_FAIL() << "no display under CI: " << (reason);        \
    } else {                                                      \
      GTEST_SKIP() << (reason);                                   \
    }                                                             \
  } while (false)
