// Start-up's catalogue work on the real registry under Wine (or Windows):
// the synthetic 700-tool catalogue is saved as a hive, loaded as
// HKLM\kva_tools beside an empty settings hive, and the integrity pass plus
// the list fill are timed against a plain walk of every tool value, run
// alternately in the same process. Prints both times and their ratio.
//   kva_catalogue_load_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "SyntheticCatalogue.h"
#include "catalog/IntegrityPass.h"
#include "catalog/Names.h"
#include "catalog/ToolListLoader.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolTile.h"
#include "platform/RegistryAccess.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Privileges.h"
#include "platform/win32/Win32Registry.h"

namespace {

using namespace kva;
using Clock = std::chrono::steady_clock;

class NoPump final : public MessagePump {
 public:
  void Process() override {}
  void Idle(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

bool SaveTreeAsHive(Registry& registry, const FakeKey& tree, std::u16string_view file) {
  constexpr std::u16string_view kScratch = u"HKLM\\SOFTWARE\\Kelvara bench";
  RegKey key(registry);
  DeleteTree(key, kScratch);
  NoPump pump;
  const bool saved = bench::WriteTree(registry, kScratch, tree) && Open(key, kScratch, reg::kRead) &&
                     SaveKey(key, file, pump);
  key.Reset();
  DeleteTree(key, kScratch);
  return saved;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  win32::Win32Privileges privileges;
  privileges.Enable();
  win32::Win32Registry registry;
  win32::Win32FileSystem files;
  win32::Win32Environment environment;
  const auto temp = environment.TempFolder();
  const auto toolsFile = temp + u"\\kva_bench_tools.dat";
  const auto settingsFile = temp + u"\\kva_bench_settings.dat";
  files.RemoveFile(toolsFile);
  files.RemoveFile(settingsFile);
  if (!SaveTreeAsHive(registry, bench::SyntheticCatalogue(), toolsFile) ||
      !SaveTreeAsHive(registry, FakeKey{u"settings", {}, {}}, settingsFile) ||
      registry.LoadHive(reg::kLocalMachine, kCatalogueHiveName, toolsFile) != 0 ||
      registry.LoadHive(reg::kLocalMachine, kSettingsHiveName, settingsFile) != 0) {
    std::fprintf(stderr, "cannot prepare the hives (is Kelvara running?)\n");
    return 1;
  }
  IntegrityPass(registry);  // the first start after an update; later ones are measured
  const ToolTileReader tiles(registry, files, environment);
  std::vector<double> walks, loads;
  std::size_t tools = 0;
  for (int round = 0; round < rounds; ++round) {
    const auto start = Clock::now();
    bench::WalkCatalogue(registry);
    const auto middle = Clock::now();
    ToolListModel model;
    IntegrityPass(registry);
    LoadToolList(registry, tiles, {}, {}, model);
    const auto end = Clock::now();
    tools = model.EntryCount();
    walks.push_back(Milliseconds(middle - start));
    loads.push_back(Milliseconds(end - middle));
  }
  registry.UnloadHive(reg::kLocalMachine, kCatalogueHiveName);
  registry.UnloadHive(reg::kLocalMachine, kSettingsHiveName);
  files.RemoveFile(toolsFile);
  files.RemoveFile(settingsFile);
  const double walk = Median(walks), load = Median(loads);
  std::printf("tools %zu, rounds %d: walk %.1f ms, integrity pass + list fill %.1f ms, ratio %.2f\n",
              tools, rounds, walk, load, load / walk);
  return 0;
}
