#pragma once
// One tool as the runner works on it: its list entry, its record, its
// state key and its download paths.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "catalog/ToolRecord.h"
#include "platform/RegistryAccess.h"

namespace kva {

class Environment;

struct ToolInRun {
  explicit ToolInRun(Registry& registry) : stateKey(registry) {}

  std::size_t entry = 0;  // its index in the tool list
  std::u16string name;
  int group = 0;  // the group holding its record (a favourite's real group)
  std::u16string header;  // "Processing tool: ..." before every status
  ToolRecord record;
  RegKey stateKey;  // LastUpdate, PDS1 and PDS2; opened for writing
  std::array<std::u16string, 2> files;
};

// downloadfile and downloadfile2 expanded; without a downloadfile2 and
// without the flags that ask for two files, download 2 is the fallback
// into download 1's file.
std::array<std::u16string, 2> DownloadPaths(Environment& environment, const ToolRecord& record);

}  // namespace kva
