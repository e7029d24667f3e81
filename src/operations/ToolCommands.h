#pragma once
// Running a tool's four commands: which are dropped before anything starts,
// the pseudo-commands, the built-in actions' tags, launching with the
// program's privileges dropped, automation and the waits.

#include <array>
#include <cstdint>
#include <string>

#include "catalog/ToolRecord.h"
#include "operations/CommandServices.h"

namespace kva {

struct ToolCommandsRun {
  const ToolRecord& tool;
  std::uint32_t operation = 0;  // op::* bits
  // The tool's download paths as the runner resolved them; commands that
  // name one are the installer.
  std::array<std::u16string, 2> downloadPaths;
  // "Processing tool: ..." prefixed to every status text.
  std::u16string header;
};

struct ToolCommandsResult {
  int executed = 0;  // tags that ran and commands that started
  bool installSkipped = false;  // installed and up to date: installers were not run
};

ToolCommandsResult RunToolCommands(CommandServices& services, const ToolCommandsRun& run);

// The version check of a tool that installs something: its CVC (or an
// "UniKey=>" UninstallCmd) against its NVC. False when either is missing.
bool IsInstalledAndUpToDate(VersionCheck& versions, const ToolRecord& tool);

}  // namespace kva
