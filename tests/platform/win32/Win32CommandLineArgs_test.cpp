// The portable splitter against the real CommandLineToArgvW.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/CommandLineArgs.h"
#include "platform/win32/WideText.h"
#include "../CommandLineArgsCases.h"

namespace kva::win32 {
namespace {

struct LocalFreeDeleter {
  void operator()(LPWSTR* argv) const { ::LocalFree(argv); }
};

std::vector<std::u16string> WindowsSplit(std::u16string_view line) {
  int count = 0;
  std::unique_ptr<LPWSTR, LocalFreeDeleter> argv(
      ::CommandLineToArgvW(Wide(line).c_str(), &count));
  std::vector<std::u16string> args;
  for (int i = 0; argv && i < count; ++i) args.push_back(FromWide(argv.get()[i]));
  return args;
}

TEST(Win32CommandLineArgs, SplitsLikeCommandLineToArgvW) {
  for (const auto& c : test::ArgsCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WindowsSplit(c.line), c.want);
    EXPECT_EQ(SplitArguments(c.line), WindowsSplit(c.line));
  }
}

}  // namespace
}  // namespace kva::win32
