#include "app/DatabaseLoader.h"

#include "catalog/IntegrityPass.h"
#include "catalog/Names.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/HiveFiles.h"
#include "platform/IdlePump.h"
#include "platform/LoadingView.h"
#include "platform/RegistryAccess.h"
#include "platform/Resources.h"
#include "platform/TextEncoding.h"
#include "ResourceIds.h"

namespace kva {
namespace {

// Where built-in hive text is assembled before it is saved as a file.
constexpr std::u16string_view kScratchKeyPath = u"HKLM\\SOFTWARE\\Kelvara\\Built-in hive";

class Attempt {
 public:
  Attempt(const DatabaseLoaderPorts& ports, const DataLocations& locations, std::stop_token stop)
      : p_(ports), where_(locations), stop_(std::move(stop)), pump_(ports.clock) {}

  DatabaseLoadResult Run();

 private:
  bool EnsureFile(std::u16string_view file, int resourceId);
  bool IsLoaded(std::u16string_view hiveName);
  bool Load(std::u16string_view hiveName, std::u16string_view file);
  bool PrepareSettings();
  bool PrepareCatalogue();
  int CheckCatalogueVersion(std::uint32_t& version);
  [[nodiscard]] bool Stopped() const { return stop_.stop_requested(); }

  const DatabaseLoaderPorts& p_;
  const DataLocations& where_;
  std::stop_token stop_;
  IdlePump pump_;
};

bool Attempt::EnsureFile(std::u16string_view file, int resourceId) {
  if (Exists(p_.files, file)) return true;
  const auto text = DecodeText(p_.resources.Rcdata(resourceId)).text;
  if (!BuildHiveFile(p_.registry, p_.files, pump_, text, kScratchKeyPath, file)) return false;
  // Hidden is how the file is kept; a file that stays visible still works.
  (void)p_.files.SetAttributes(file, attr::kHidden);
  return true;
}

bool Attempt::IsLoaded(std::u16string_view hiveName) {
  return KeyExists(p_.registry, reg::kLocalMachine, hiveName);
}

bool Attempt::Load(std::u16string_view hiveName, std::u16string_view file) {
  return p_.registry.LoadHive(reg::kLocalMachine, hiveName, file) == reg::kSuccess;
}

bool Attempt::PrepareSettings() {
  return EnsureFile(where_.settingsHivePath, KVA_RC_EMPTY_SETTINGS_HIVE) &&
         p_.files.CopyTo(where_.settingsHivePath, where_.tempSettingsHivePath, true);
}

bool Attempt::PrepareCatalogue() {
  return EnsureFile(where_.toolsHivePath, KVA_RC_CATALOGUE_HIVE) &&
         p_.files.CopyTo(where_.toolsHivePath, where_.tempToolsHivePath, true);
}

// An old catalogue is replaced by the built-in one, which is then loaded
// from the tools folder itself. A catalogue without a version is not one
// we can judge, so it fails rather than pass as current or as old.
int Attempt::CheckCatalogueVersion(std::uint32_t& version) {
  RegKey root(p_.registry);
  if (!Open(root, kCatalogueRootPath, reg::kRead) || !ReadDword(root, u"Version", version)) {
    return loadfail::kCatalogueVersion;
  }
  root.Reset();
  if (version >= kMinimumCatalogueVersion) return 0;
  if (p_.registry.UnloadHive(reg::kLocalMachine, kCatalogueHiveName) != reg::kSuccess ||
      !ForceRemoveFile(p_.files, where_.toolsHivePath) ||
      !EnsureFile(where_.toolsHivePath, KVA_RC_CATALOGUE_HIVE)) {
    return loadfail::kCatalogueVersion;
  }
  if (!Load(kCatalogueHiveName, where_.toolsHivePath) ||
      !Open(root, kCatalogueRootPath, reg::kRead) || !ReadDword(root, u"Version", version)) {
    return loadfail::kBuiltInCatalogueLoad;
  }
  return 0;
}

DatabaseLoadResult Attempt::Run() {
  constexpr DatabaseLoadResult kStopped{.stopped = true};
  DatabaseLoadResult result;
  if (!PrepareSettings()) return {loadfail::kSettingsFile};
  if (Stopped()) return kStopped;
  if (!IsLoaded(kSettingsHiveName) && !Load(kSettingsHiveName, where_.tempSettingsHivePath)) {
    return {loadfail::kSettingsLoad};
  }
  if (!PrepareCatalogue()) return {loadfail::kCatalogueFile};
  if (Stopped()) return kStopped;
  if (!IsLoaded(kCatalogueHiveName) && !Load(kCatalogueHiveName, where_.tempToolsHivePath)) {
    return {loadfail::kCatalogueLoad};
  }
  if ((result.code = CheckCatalogueVersion(result.catalogueVersion)) != 0) return result;
  if (Stopped()) return kStopped;
  p_.view.SetStatus(u"Verifying database integrity...");
  if (!IntegrityPass(p_.registry)) return {loadfail::kIntegrityPass};
  // Stopped before the save, the settings file stays as it was.
  if (Stopped()) return kStopped;
  // The copy loaded from the temporary folder is the fallback when the
  // registry cannot save the hive.
  if (!SaveKeyToFileSafely(p_.registry, p_.files, pump_, kSettingsRootPath,
                           where_.settingsHivePath, where_.tempSettingsHivePath)) {
    return {loadfail::kSettingsSave};
  }
  return result;
}

// A failed attempt leaves nothing loaded, so that the next one copies and
// loads the files afresh (a loaded hive's file cannot be replaced).
void UnloadHives(Registry& registry) {
  for (auto name : {kCatalogueHiveName, kSettingsHiveName}) {
    (void)UnloadMachineHive(registry, name);
  }
}

}  // namespace

DatabaseLoadResult LoadDatabase(const DatabaseLoaderPorts& ports, const DataLocations& locations,
                                std::stop_token stop) {
  DatabaseLoadResult result;
  for (int attempt = 1; attempt <= kDatabaseLoadAttempts; ++attempt) {
    ports.view.SetStatus(u"Loading definitions database...");
    ports.view.SetProgress(LoadingView::kMarquee);
    result = Attempt(ports, locations, stop).Run();
    if (result.code == 0 || result.stopped) break;
    UnloadHives(ports.registry);
    if (attempt < kDatabaseLoadAttempts) ports.clock.Sleep(kDatabaseRetryMilliseconds);
    if (stop.stop_requested()) return {.stopped = true};
  }
  return result;
}

}  // namespace kva
