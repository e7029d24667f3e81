#include "app/DatabaseLoader.h"

#include <span>

#include "catalog/IntegrityPass.h"
#include "catalog/Names.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/HiveFiles.h"
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
  Attempt(const DatabaseLoaderPorts& ports, const DataLocations& locations)
      : p_(ports), where_(locations) {}

  DatabaseLoadResult Run();

 private:
  bool EnsureFile(std::u16string_view file, int resourceId);
  bool IsLoaded(std::u16string_view hiveName);
  bool Load(std::u16string_view hiveName, std::u16string_view file);
  bool PrepareSettings();
  bool PrepareCatalogue();
  int CheckCatalogueVersion(std::uint32_t& version);

  const DatabaseLoaderPorts& p_;
  const DataLocations& where_;
};

bool Attempt::EnsureFile(std::u16string_view file, int resourceId) {
  if (Exists(p_.files, file)) return true;
  const auto text = DecodeText(p_.resources.Rcdata(resourceId)).text;
  if (!BuildHiveFile(p_.registry, p_.files, p_.pump, text, kScratchKeyPath, file)) return false;
  p_.files.SetAttributes(file, attr::kHidden);
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
// from the tools folder itself. Returns 0 or the failure code.
int Attempt::CheckCatalogueVersion(std::uint32_t& version) {
  RegKey root(p_.registry);
  if (!Open(root, kCatalogueRootPath, reg::kRead)) return 6;
  ReadDword(root, u"Version", version);
  root.Reset();
  if (version >= kMinimumCatalogueVersion) return 0;
  p_.registry.UnloadHive(reg::kLocalMachine, kCatalogueHiveName);
  if (!ForceRemoveFile(p_.files, where_.toolsHivePath)) return 6;
  if (!EnsureFile(where_.toolsHivePath, KVA_RC_CATALOGUE_HIVE)) return 6;
  if (!Load(kCatalogueHiveName, where_.toolsHivePath)) return 7;
  if (!Open(root, kCatalogueRootPath, reg::kRead)) return 7;
  ReadDword(root, u"Version", version);
  return 0;
}

DatabaseLoadResult Attempt::Run() {
  DatabaseLoadResult result;
  if (!PrepareSettings()) return {2};
  if (!IsLoaded(kSettingsHiveName) && !Load(kSettingsHiveName, where_.tempSettingsHivePath)) {
    return {3};
  }
  if (!PrepareCatalogue()) return {4};
  if (!IsLoaded(kCatalogueHiveName) && !Load(kCatalogueHiveName, where_.tempToolsHivePath)) {
    return {5};
  }
  if ((result.code = CheckCatalogueVersion(result.catalogueVersion)) != 0) return result;
  p_.view.SetStatus(u"Verifying database integrity...");
  IntegrityPass(p_.registry);
  // The copy loaded from the temporary folder is the fallback when the
  // registry cannot save the hive.
  SaveKeyToFileSafely(p_.registry, p_.files, p_.pump, kSettingsRootPath, where_.settingsHivePath,
                      where_.tempSettingsHivePath);
  return result;
}

}  // namespace

DatabaseLoadResult LoadDatabase(const DatabaseLoaderPorts& ports, const DataLocations& locations) {
  DatabaseLoadResult result;
  for (int attempt = 1; attempt <= kDatabaseLoadAttempts; ++attempt) {
    ports.view.SetStatus(u"Loading definitions database...");
    ports.view.SetProgress(LoadingView::kMarquee);
    result = Attempt(ports, locations).Run();
    if (result.code == 0) break;
    if (attempt < kDatabaseLoadAttempts) ports.clock.Sleep(kDatabaseRetryMilliseconds);
  }
  return result;
}

}  // namespace kva
