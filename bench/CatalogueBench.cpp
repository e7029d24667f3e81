// Start-up's catalogue work on a catalogue of 700 tools: the integrity pass
// and the list fill, against a plain walk that enumerates every tool key and
// reads each of its values once. The "ratio" counter is the load's time
// over the walk's, both measured in the same iterations.
#include <benchmark/benchmark.h>

#include <chrono>

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

constexpr int kCatalogueGroups = 22;  // 3 to 24
constexpr int kToolsPerGroup = 30;
constexpr int kRepairActions = 40;

FakeKey::Value Sz(std::u16string_view name, std::u16string_view text) {
  return {std::u16string(name), StringValue(reg::kSz, text)};
}

FakeKey::Value Dword(std::u16string_view name, std::uint32_t number) {
  return {std::u16string(name), DwordValue(number)};
}

FakeKey Tool(std::u16string name, int serial) {
  const auto number = ToDecimal(serial);
  return {std::move(name),
          {Sz(u"url1", u"page " + number), Sz(u"downloadfile", u"%ToolsDir%\\t" + number + u".zip"),
           Sz(u"command1", u"%ToolsDir%\\t" + number + u"\\run.exe"), Dword(u"flag1", 17),
           Dword(u"iImage", std::uint32_t(141 + serial % 600)),
           Sz(u"Description", u"A tool that does something useful, number " + number)},
          {}};
}

FakeKey Catalogue() {
  FakeKey root{u"kva_default_tools", {Dword(u"Version", 509)}, {}};
  int serial = 0;
  for (int g = 1; g <= 24; ++g) {
    root.values.push_back(Sz(ToDecimal(g), u"Group number " + ToDecimal(g)));
    FakeKey group{ToDecimal(g), {Dword(u"GroupImage", std::uint32_t(229 + g))}, {}};
    const int count = g >= 3 ? kToolsPerGroup : 0;
    for (int t = 0; t < count; ++t, ++serial) {
      group.subkeys.push_back(Tool(u"Catalogue tool " + ToDecimal(serial), serial));
    }
    root.subkeys.push_back(std::move(group));
  }
  FakeKey repairs{u"1001", {}, {}};
  for (int t = 0; t < kRepairActions; ++t, ++serial) {
    const auto name = ToDecimal(1 + t % 8) + u"-Repair action " + ToDecimal(t);
    repairs.subkeys.push_back(Tool(name, serial));
  }
  root.subkeys.push_back(std::move(repairs));
  return root;
}

struct Hives {
  Hives() {
    registry.WriteHiveFile(u"C:\\tools.dat", Catalogue());
    registry.WriteHiveFile(u"C:\\settings.dat", FakeKey{u"settings", {}, {}});
    registry.LoadHive(reg::kLocalMachine, kCatalogueHiveName, u"C:\\tools.dat");
    registry.LoadHive(reg::kLocalMachine, kSettingsHiveName, u"C:\\settings.dat");
    IntegrityPass(registry);  // the first start after an update; later ones are measured
  }
  FakeRegistry registry;
  FakeFileSystem files;
  FakeEnvironment environment;
};

// Every tool key of every group, each value read once.
std::size_t WalkCatalogue(Registry& registry) {
  RegKey root(registry);
  Open(root, kCatalogueRootPath, reg::kRead);
  std::size_t values = 0;
  std::u16string group, tool, value;
  for (std::uint32_t g = 0; EnumKey(root, g, group); ++g) {
    RegKey groupKey(registry);
    Open(groupKey, std::u16string(kCatalogueRootPath) + u"\\" + group, reg::kRead);
    for (std::uint32_t t = 0; EnumKey(groupKey, t, tool); ++t) {
      RegKey toolKey(registry);
      Open(toolKey, std::u16string(kCatalogueRootPath) + u"\\" + group + u"\\" + tool, reg::kRead);
      for (std::uint32_t v = 0; EnumValue(toolKey, v, value); ++v) {
        RegValue data;
        values += ReadRaw(toolKey, value, data) ? 1 : 0;
      }
    }
  }
  return values;
}

void BM_CatalogueStartUp(benchmark::State& state) {
  Hives hives;
  const ToolTileReader tiles(hives.registry, hives.files, hives.environment);
  ToolListModel model;
  Clock::duration baseline{}, measured{};
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(WalkCatalogue(hives.registry));
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
