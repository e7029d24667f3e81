// What waiting for a running tool costs the program: a child that sleeps
// 5 s is waited for by the program's own waits (the launcher's wait for an
// exit code, the runner's process and process-tree waits) and, as the
// baseline, by a plain WaitForSingleObject, in the same run. Prints the
// processor time this process used over each wait, as a share of one core,
// and the ratio to the baseline. The child is a copy of this program (so
// that an image-path wait does not find the measuring program itself):
//   kva_process_wait_bench.exe [sleep ms]      measures
//   kva_process_wait_bench.exe --child <ms>    sleeps (the waited-for tool)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>

#include "operations/CommandWait.h"
#include "operations/win32/Win32CommandWiring.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace {

using namespace kva;

double ProcessorSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  const auto seconds = [](FILETIME t) {
    return double((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

struct Cost {
  double processorSeconds = 0, wallSeconds = 0;
  [[nodiscard]] double ShareOfOneCore() const { return processorSeconds / wallSeconds; }
};

class Bench {
 public:
  explicit Bench(unsigned sleepMs) : sleepMs_(sleepMs) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    child_ = wiring.environment.TempFolder() + u"\\kva_wait_bench_child.exe";
    ::CopyFileW(self, win32::Wide(child_).c_str(), FALSE);
  }
  ~Bench() { ::DeleteFileW(win32::Wide(child_).c_str()); }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;

  // Starts the sleeping child and measures the given wait for it.
  Cost Measure(const std::function<void(ProcessHandle&)>& wait) {
    const std::u16string line = u"\"" + child_ + u"\" --child " +
                                win32::FromWide(std::to_wstring(sleepMs_).c_str());
    const auto child = wiring.processes.Start({.commandLine = line, .show = show::kHidden});
    if (!child) return {};
    const double processorBefore = ProcessorSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    wait(*child);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallBefore;
    return {ProcessorSeconds() - processorBefore, wall.count()};
  }

  test::Win32CommandWiring wiring{u""};

 private:
  unsigned sleepMs_;
  std::u16string child_;
};

void Report(const char* name, const Cost& cost, const Cost& baseline) {
  // The clock's grain is coarse: a baseline of 0 counts as one millisecond.
  const double floor = std::max(baseline.processorSeconds, 0.001);
  std::printf("%-28s cpu %7.1f ms over %5.2f s = %5.2f %% of one core, ratio to baseline %6.2f\n",
              name, cost.processorSeconds * 1e3, cost.wallSeconds, cost.ShareOfOneCore() * 100,
              cost.processorSeconds / floor);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--child") {
    ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    return 0;
  }
  const unsigned sleepMs =
      argc > 1 ? static_cast<unsigned>(std::wcstoul(argv[1], nullptr, 10)) : 5000;
  Bench bench(sleepMs);
  const Cost baseline = bench.Measure([](ProcessHandle& child) {
    const win32::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, child.Id()));
    ::WaitForSingleObject(process.Get(), INFINITE);
  });
  Report("WaitForSingleObject", baseline, baseline);
  Report("exit-code wait (RunProcess)",
         bench.Measure([&](ProcessHandle& child) { bench.wiring.launcher.WaitForEnd(child); }),
         baseline);
  Report("process-id wait", bench.Measure([&](ProcessHandle& child) {
           WaitForCommand(bench.wiring.services, child.Id(), WaitMode::kProcess, u"");
         }), baseline);
  Report("process-tree wait", bench.Measure([&](ProcessHandle& child) {
           WaitForCommand(bench.wiring.services, child.Id(), WaitMode::kTree, u"");
         }), baseline);
  Report("image-path wait", bench.Measure([&](ProcessHandle& child) {
           const auto image = bench.wiring.control.GetProcessImagePath(child.Id()).value_or(u"");
           WaitForCommand(bench.wiring.services, child.Id(), WaitMode::kImagePath, image);
         }), baseline);
  return 0;
}
