#pragma once
#include "platform/Processes.h"

namespace kva::win32 {

class Win32Processes final : public Processes {
 public:
  std::unique_ptr<ProcessHandle> Start(const StartRequest& request) override;
  ShellStart StartThroughShell(std::u16string_view file,
                               std::u16string_view parameters,
                               std::u16string_view workingFolder, int show) override;
  std::unique_ptr<ProcessHandle> Open(ProcessId id) override;
  WaitOutcome WaitForExitOrInput(std::span<ProcessHandle* const> processes,
                                 unsigned timeoutMilliseconds) override;
  std::optional<std::u16string> ImagePath(ProcessId id) override;
  std::vector<ProcessId> ProcessIds() override;
  std::vector<ProcessEntry> Snapshot() override;
  bool Terminate(ProcessId id, std::uint32_t exitCode) override;
  void TerminateThreads(ProcessId id) override;
};

}  // namespace kva::win32
