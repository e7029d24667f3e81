// Appending to a report whose 10,000 rows are already there, against
// appending the first row of a new one: the "ratio" counter is the long
// report's time over the new one's, both measured in the same iterations,
// and stays near 1 because an append touches only the file's end. The
// explorer's pass over a store holding that report reads no report bytes.
#include <benchmark/benchmark.h>

#include <chrono>

#include "fakes/FakeClock.h"
#include "fakes/FakeFileSystem.h"
#include "reporting/ReportExplorer.h"
#include "reporting/ReportFormat.h"
#include "reporting/ReportStore.h"

namespace {

using namespace kva;
using Clock = std::chrono::steady_clock;

constexpr std::u16string_view kStore = u"C:\\KVA Reports";
constexpr std::u16string_view kFresh = u"C:\\KVA Reports\\Acme\\11111111111111111111111111111111\\2024-03-07.html";
constexpr std::u16string_view kLong = u"C:\\KVA Reports\\Acme\\22222222222222222222222222222222\\2024-03-07.html";
constexpr int kRows = 10000;

ReportSession SessionFor(std::u16string_view path) {
  return {std::u16string(path), {u"Kelvara", {2024, 3, 7, 9, 0, 0, 0}, u"Acme", u"Dell", u"FP"}};
}

std::size_t Append(FakeFileSystem& files, FakeClock& clock, ReportSession& session) {
  return AppendReportEntry(files, clock, session, u"Run tool: ", u"Autoruns",
                           u"Success: The tool ran and exited with code 0.");
}

void BM_ReportAppend(benchmark::State& state) {
  FakeFileSystem files;
  FakeClock clock;
  files.CreateFolders(FolderOf(kFresh));
  files.CreateFolders(FolderOf(kLong));
  const auto fresh = NewReportBytes(SessionFor(kFresh).head);
  auto longSession = SessionFor(kLong);
  files.WriteAll(kLong, fresh);
  for (int i = 1; i < kRows; ++i) Append(files, clock, longSession);
  auto freshSession = SessionFor(kFresh);
  Clock::duration first{}, tenThousandth{};
  for (auto _ : state) {
    files.WriteAll(kFresh, fresh);  // a new report each time: its first row
    const auto start = Clock::now();
    benchmark::DoNotOptimize(Append(files, clock, freshSession));
    const auto middle = Clock::now();
    benchmark::DoNotOptimize(Append(files, clock, longSession));
    tenThousandth += Clock::now() - middle;
    first += middle - start;
  }
  state.counters["ratio"] = double(tenThousandth.count()) / double(first.count());
}
BENCHMARK(BM_ReportAppend);

void BM_ReportExplorerOpen(benchmark::State& state) {
  FakeFileSystem files;
  FakeClock clock;
  files.CreateFolders(FolderOf(kLong));
  auto session = SessionFor(kLong);
  files.WriteAll(kLong, NewReportBytes(session.head));
  for (int i = 0; i < kRows; ++i) Append(files, clock, session);
  std::uint64_t size = 0;
  files.SizeOf(kLong, size);
  files.bytesRead = 0;
  for (auto _ : state) {
    const auto tree = LoadReportTree(files, kStore);
    for (const auto& position : {ReportTreePosition{0}, ReportTreePosition{0, 0}, ReportTreePosition{0, 0, 0}}) {
      benchmark::DoNotOptimize(ReportItemInfo(files, kStore, PathAt(tree, position)));
    }
  }
  state.counters["reportBytes"] = double(size);
  state.counters["reportBytesRead"] = double(files.bytesRead) / double(state.iterations());
}
BENCHMARK(BM_ReportExplorerOpen);

}  // namespace
