// Start-up's catalogue work on a catalogue of 700 tools: the integrity pass
// and the list fill, against a plain walk that enumerates every tool key and
// reads each of its values once. The "ratio" counter is the load's time
// over the walk's, both measured in the same iterations.
#include <benchmark/benchmark.h>

#include <chrono>

#include "SyntheticCatalogue.h"
#include "catalog/IntegrityPass.h"
#include "catalog/Names.h"
#include "catalog/ToolListLoader.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolTile.h"
#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeRegistry.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace {

using namespace kva;
using Clock = std::chrono::steady_clock;

struct Hives {
  Hives() {
    registry.WriteHiveFile(u"C:\\tools.dat", bench::SyntheticCatalogue());
    registry.WriteHiveFile(u"C:\\settings.dat", FakeKey{u"settings", {}, {}});
    registry.LoadHive(reg::kLocalMachine, kCatalogueHiveName, u"C:\\tools.dat");
    registry.LoadHive(reg::kLocalMachine, kSettingsHiveName, u"C:\\settings.dat");
    IntegrityPass(registry);  // the first start after an update; later ones are measured
  }
  FakeRegistry registry;
  FakeFileSystem files;
  FakeEnvironment environment;
};

void BM_CatalogueStartUp(benchmark::State& state) {
  Hives hives;
  const ToolTileReader tiles(hives.registry, hives.files, hives.environment);
  ToolListModel model;
  Clock::duration baseline{}, measured{};
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(bench::WalkCatalogue(hives.registry));
    const auto middle = Clock::now();
    IntegrityPass(hives.registry);
    benchmark::DoNotOptimize(LoadToolList(hives.registry, tiles, {}, {}, model));
    const auto end = Clock::now();
    baseline += middle - start;
    measured += end - middle;
  }
  state.counters["tools"] = double(model.EntryCount());
  state.counters["ratio"] = double(measured.count()) / double(baseline.count());
}
BENCHMARK(BM_CatalogueStartUp)->Unit(benchmark::kMillisecond);

}  // namespace
