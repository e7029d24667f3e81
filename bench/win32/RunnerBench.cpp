// What the runner adds to each tool it runs: "Run selected" of 50 tools
// whose one command is a program that exits at once, with the real registry,
// files, report, resume file and progress dialog, against the same 50
// programs started and waited for by a plain loop in the same run (half
// before the runner, half after, as starting a process under Wine takes a
// few hundred milliseconds that drift with the machine's load). Prints the
// runner's overhead per tool in milliseconds and the ratio of the two
// times, and then, free of the starts' noise, what the runner's own work
// costs per tool when the tools' command is a built-in action that starts
// nothing. The tool is a copy of this program:
//   kva_runner_bench.exe [tools]     measures (50 tools)
//   kva_runner_bench.exe --exit      exits at once (the tool)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>

#include "catalog/Names.h"
#include "operations/OperationFlags.h"
#include "operations/OperationRunner.h"
#include "operations/win32/Win32CommandWiring.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileStreams.h"
#include "platform/win32/Win32Network.h"
#include "reporting/ReportFormat.h"
#include "reporting/ReportStore.h"
#include "ui/GdiplusSession.h"
#include "ui/ProgressWindow.h"
#include "ui/Toolkit.h"

namespace {

using namespace kva;
using Timer = std::chrono::steady_clock;

constexpr int kGroup = 5;

class FileReport final : public OperationReport {
 public:
  FileReport(FileSystem& files, Clock& clock, std::u16string path)
      : files_(files), clock_(clock), session_{path, {u"Kelvara", clock.Now(), u"Bench", u"", u""}} {
    files_.WriteAll(path, NewReportBytes(session_.head));
  }
  void Append(std::u16string_view prefix, std::u16string_view subject,
              std::u16string_view result) override {
    AppendReportEntry(files_, clock_, session_, prefix, subject, result);
  }

 private:
  FileSystem& files_;
  Clock& clock_;
  ReportSession session_;
};

double Seconds(Timer::duration d) { return std::chrono::duration<double>(d).count(); }

std::u16string ToolName(int i) { return u"Bench Tool " + ToDecimal(100 + i); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"--exit") return 0;
  const int count = argc > 1 ? std::max(2, int(std::wcstol(argv[1], nullptr, 10))) : 50;
  ui::GdiplusSession gdiplus;
  test::Win32CommandWiring wiring{u""};
  const std::u16string temp = wiring.environment.TempFolder();
  const std::u16string tool = temp + u"\\kva_runner_bench_tool.exe";
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  ::CopyFileW(self, win32::Wide(tool).c_str(), FALSE);
  const std::u16string line = u"\"" + tool + u"\" --exit";

  // The catalogue and the list: one group of tools that each run the tool.
  ToolListModel list;
  list.AddGroup({kGroup, u"Bench"});
  for (int i = 0; i < count; ++i) {
    const std::u16string name = ToolName(i);
    WriteStringAt(wiring.registry, std::u16string(kCatalogueRootPath) + u"\\5\\" + name,
                  u"command1", reg::kSz, line);
    list.Append({.name = name, .group = kGroup, .recordGroup = kGroup, .ticked = true});
  }

  ui::Toolkit kit(::GetModuleHandleW(nullptr), ThemeOf(ThemeId::Light));
  ui::ProgressWindow progress(kit, nullptr);
  QuietInteraction quiet;
  DialogCancelPoll cancel(progress, wiring.pump, quiet, false);
  CommandServices services{wiring.environment, wiring.files,   wiring.processes, wiring.desktop,
                           wiring.privileges,  wiring.clock,   wiring.launcher,  wiring.control,
                           progress,           cancel,         wiring.tags,      wiring.scripts,
                           wiring.versions,    wiring.extractor, temp,           true};
  win32::Win32Network network;
  win32::Win32FileStreams streams;
  FileReport report(wiring.files, wiring.clock, temp + u"\\kva_runner_bench.html");
  OperationRunner runner({wiring.registry, network, quiet, list, report,
                          {network, wiring.files, streams, wiring.pump}, services, cancel},
                         {.interactive = false, .autoClose = true, .optionsFlag = 199,
                          .osVersion = WindowsVersion::Of(10, 0),
                          .resumeSelectionPath = temp + u"\\kva_runner_bench.kvasel"});
  // Baseline: the same programs, started and waited for one by one.
  const auto plainLoop = [&](int tools) {
    const auto start = Timer::now();
    for (int i = 0; i < tools; ++i) {
      const auto child = wiring.processes.Start({.commandLine = line, .show = show::kHidden});
      if (!child) return -1.0;
      const win32::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, child->Id()));
      ::WaitForSingleObject(process.Get(), INFINITE);
    }
    return Seconds(Timer::now() - start);
  };
  const double plainBefore = plainLoop(count / 2);
  const auto runStart = Timer::now();
  int processed = runner.StartOperation(op::kRun | op::kUnattended, std::nullopt);
  const double run = Seconds(Timer::now() - runStart);
  const double plainAfter = plainLoop(count - count / 2);
  if (plainBefore < 0 || plainAfter < 0) return 1;
  const double plain = plainBefore + plainAfter;

  // The runner's own work, free of the process starts' noise: the same
  // tools with a built-in action's tag that starts nothing.
  for (int i = 0; i < count; ++i) {
    WriteStringAt(wiring.registry, std::u16string(kCatalogueRootPath) + u"\\5\\" + ToolName(i),
                  u"command1", reg::kSz, u"<Beep> 0");
  }
  const auto ownStart = Timer::now();
  processed += runner.StartOperation(op::kRun | op::kUnattended, std::nullopt);
  const double own = Seconds(Timer::now() - ownStart);

  RegKey root(wiring.registry);
  if (Open(root, std::u16string(kCatalogueRootPath), kOpenOrCreate)) DeleteTree(root, u"5");
  RegKey settings(wiring.registry);
  if (Open(settings, std::u16string(kSettingsRootPath), kOpenOrCreate)) DeleteTree(settings, u"5");
  ::DeleteFileW(win32::Wide(tool).c_str());
  ::DeleteFileW(win32::Wide(temp + u"\\kva_runner_bench.html").c_str());
  const int total = count;
  if (processed != 2 * count) {
    std::fprintf(stderr, "the runner processed %d of %d tools\n", processed, 2 * count);
    return 1;
  }
  std::printf("plain loop  %7.1f ms for %d tools (%.2f ms each)\n", plain * 1e3, total,
              plain * 1e3 / total);
  std::printf("runner      %7.1f ms for %d tools (%.2f ms each)\n", run * 1e3, total,
              run * 1e3 / total);
  std::printf("overhead per tool %.2f ms, ratio to the plain loop %.2f\n",
              (run - plain) * 1e3 / total, run / plain);
  std::printf("the runner's own work per tool that starts nothing: %.2f ms\n", own * 1e3 / count);
  return 0;
}
