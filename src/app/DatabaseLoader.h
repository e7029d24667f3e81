#pragma once
// Loads the catalogue and settings hives under HKLM: built-in copies where
// the files are missing, working copies in the temporary folder, the
// catalogue version check, the integrity pass, and the settings written
// back. Runs on a loader thread.

#include <cstdint>

#include "app/DataLocations.h"

namespace kva {

class Clock;
class FileSystem;
class LoadingView;
class MessagePump;
class Registry;
class Resources;

struct DatabaseLoaderPorts {
  Registry& registry;
  FileSystem& files;
  Resources& resources;
  Clock& clock;
  MessagePump& pump;
  LoadingView& view;
};

// The catalogue must be at least this version, the built-in one's.
inline constexpr std::uint32_t kMinimumCatalogueVersion = 509;
inline constexpr int kDatabaseLoadAttempts = 5;
inline constexpr unsigned kDatabaseRetryMilliseconds = 1500;

struct DatabaseLoadResult {
  int code = 0;  // 0, or the failure code of the stage that failed (2 to 7)
  std::uint32_t catalogueVersion = 0;
};

DatabaseLoadResult LoadDatabase(const DatabaseLoaderPorts& ports, const DataLocations& locations);

}  // namespace kva
