#pragma once
// Loads the catalogue and settings hives under HKLM: built-in copies where
// the files are missing, working copies in the temporary folder, the
// catalogue version check, the integrity pass, and the settings written
// back. Runs on a loader thread, which never touches messages and stops
// at the next safe point when asked.

#include <cstdint>
#include <stop_token>

#include "app/DataLocations.h"

namespace kva {

class Clock;
class FileSystem;
class LoadingView;
class Registry;
class Resources;

struct DatabaseLoaderPorts {
  Registry& registry;
  FileSystem& files;
  Resources& resources;
  Clock& clock;
  LoadingView& view;
};

// The catalogue must be at least this version, the built-in one's.
inline constexpr std::uint32_t kMinimumCatalogueVersion = 509;
inline constexpr int kDatabaseLoadAttempts = 5;
inline constexpr unsigned kDatabaseRetryMilliseconds = 1500;

// The failure codes of the loader's stages.
namespace loadfail {
inline constexpr int kSettingsFile = 2;
inline constexpr int kSettingsLoad = 3;
inline constexpr int kCatalogueFile = 4;
inline constexpr int kCatalogueLoad = 5;
inline constexpr int kCatalogueVersion = 6;  // no Version DWORD, or no way to replace an old one
inline constexpr int kBuiltInCatalogueLoad = 7;
inline constexpr int kIntegrityPass = 8;
inline constexpr int kSettingsSave = 9;
}  // namespace loadfail

struct DatabaseLoadResult {
  int code = 0;  // 0, or the failure code of the stage that failed
  std::uint32_t catalogueVersion = 0;
  // Asked to stop: the settings file was not written; what is loaded is
  // for the caller to unload without saving.
  bool stopped = false;
};

DatabaseLoadResult LoadDatabase(const DatabaseLoaderPorts& ports, const DataLocations& locations,
                                std::stop_token stop);

}  // namespace kva
