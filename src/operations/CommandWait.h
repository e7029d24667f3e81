#pragma once
// Waiting for a started command: for its process, for its whole process
// tree, or for every process running its image. Each round blocks on the
// awaited processes and the thread's input together, then polls the
// runner's cancel state, so a tool that runs for an hour costs nothing.

#include <string_view>

#include "operations/CommandServices.h"

namespace kva {

enum class WaitMode {
  kProcess,    // until the process ends
  kTree,       // until it and every process it started (up to 100) end
  kImagePath,  // until no process runs the image (an installer that restarts itself)
};

// Returns when the wait is over or a cancellation was polled; a cancelled
// wait leaves the processes running.
void WaitForCommand(CommandServices& services, ProcessId process, WaitMode mode,
                    std::u16string_view imagePath);

}  // namespace kva
