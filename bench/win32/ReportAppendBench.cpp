// Appending a row to a real report file under Wine (or Windows): the
// 10,001st row of a report that already holds 10,000, against the first row
// of a new one, alternately in the same process. Prints both median times
// and their ratio, which stays near 1 because an append touches only the
// file's end.
//   kva_report_append_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32FileSystem.h"
#include "reporting/ReportFormat.h"
#include "reporting/ReportStore.h"

namespace {

using namespace kva;
using Timer = std::chrono::steady_clock;

constexpr int kRows = 10000;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Microseconds(Timer::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

std::size_t Append(FileSystem& files, kva::Clock& clock, ReportSession& session) {
  return AppendReportEntry(files, clock, session, u"Run tool: ", u"Autoruns",
                           u"Success: The tool ran and exited with code 0.");
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::u16string folder = win32::FromWide(temp) + u"kva_report_bench";
  const std::u16string freshPath = folder + u"\\fresh.html", longPath = folder + u"\\long.html";
  ReportSession fresh{freshPath, {u"Kelvara", clock.Now(), u"Acme", u"PC", u"FP"}};
  ReportSession longReport{longPath, fresh.head};
  const auto newReport = NewReportBytes(fresh.head);
  if (!files.CreateFolders(folder) || !files.WriteAll(longPath, newReport)) {
    std::fprintf(stderr, "cannot write in the temporary folder\n");
    return 1;
  }
  for (int i = 0; i < kRows; ++i) Append(files, clock, longReport);
  std::vector<double> firsts, laters;
  for (int round = 0; round < rounds; ++round) {
    files.WriteAll(freshPath, newReport);
    const auto start = Timer::now();
    Append(files, clock, fresh);
    const auto middle = Timer::now();
    Append(files, clock, longReport);
    const auto end = Timer::now();
    firsts.push_back(Microseconds(middle - start));
    laters.push_back(Microseconds(end - middle));
  }
  std::uint64_t size = 0;
  files.SizeOf(longPath, size);
  files.RemoveFile(freshPath);
  files.RemoveFile(longPath);
  files.RemoveFolder(folder);
  const double first = Median(firsts), later = Median(laters);
  std::printf("report of %llu bytes, rounds %d: first row %.1f us, row after %d rows %.1f us, ratio %.2f\n",
              static_cast<unsigned long long>(size), rounds, first, kRows, later, later / first);
  return 0;
}
