#pragma once
// A tool's download phase: each download is fetched beside a safety copy
// of the previous file, checked, unpacked when it is an archive, and
// reported in one row.

#include <cstdint>

#include "operations/OperationRunner.h"
#include "operations/ToolInRun.h"

namespace kva {

void RunDownloadPhase(RunnerPorts& ports, const RunnerSettings& settings, std::uint32_t operation,
                      ToolInRun& tool);

}  // namespace kva
