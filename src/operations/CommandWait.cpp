#include "operations/CommandWait.h"

#include <memory>
#include <vector>

namespace kva {
namespace {

// A process that ends wakes the wait at once, and the tree is scanned for
// its children before it is dropped; children of a member that still runs,
// or a restarted image, appear without a signal, so those waits look again
// this often. A scan lists every process, which is what a wait costs.
constexpr unsigned kRescanMilliseconds = 500;
// Cancellation arrives as input, which wakes the wait; the time-out is a
// safety net only.
constexpr unsigned kProcessWaitMilliseconds = 1000;

using OpenProcesses = std::vector<std::unique_ptr<ProcessHandle>>;

// One round: blocks until something ends, input arrives or the time-out.
void BlockOn(Processes& processes, const OpenProcesses& open, unsigned timeout) {
  std::vector<ProcessHandle*> handles;
  for (const auto& process : open) handles.push_back(process.get());
  if (processes.WaitForExitOrInput(handles, timeout) == WaitOutcome::kFailed) {
    // Nothing could be waited on: rest instead of spinning.
    processes.WaitForExitOrInput({}, kRescanMilliseconds);
  }
}

void OpenEach(Processes& processes, const auto& ids, OpenProcesses& open) {
  open.clear();
  for (const ProcessId id : ids) {
    if (auto process = processes.Open(id)) open.push_back(std::move(process));
  }
}

void WaitForProcess(CommandServices& s, ProcessId id) {
  OpenProcesses open;
  if (auto process = s.processes.Open(id)) open.push_back(std::move(process));
  while (s.control.IsProcessAlive(id)) {
    if (s.run.CheckCancel() != cancel::kNone) return;
    BlockOn(s.processes, open, kProcessWaitMilliseconds);
  }
}

void WaitForTree(CommandServices& s, ProcessId id) {
  ProcessIdList tree(id);
  OpenProcesses open;
  for (;;) {
    // Children first: a parent that just ended still leads to them.
    s.control.AddChildren(tree);
    if (!s.control.AnyProcessAlive(tree)) return;
    if (s.run.CheckCancel() != cancel::kNone) return;
    OpenEach(s.processes, tree, open);
    BlockOn(s.processes, open, kRescanMilliseconds);
  }
}

void WaitForImage(CommandServices& s, std::u16string_view imagePath) {
  OpenProcesses open;
  for (;;) {
    const auto running = s.control.ProcessesWithPath(imagePath);
    if (running.empty()) return;
    if (s.run.CheckCancel() != cancel::kNone) return;
    OpenEach(s.processes, running, open);
    BlockOn(s.processes, open, kRescanMilliseconds);
  }
}

}  // namespace

void WaitForCommand(CommandServices& services, ProcessId process, WaitMode mode,
                    std::u16string_view imagePath) {
  switch (mode) {
    case WaitMode::kProcess: return WaitForProcess(services, process);
    case WaitMode::kTree: return WaitForTree(services, process);
    case WaitMode::kImagePath: return WaitForImage(services, imagePath);
  }
}

}  // namespace kva
