#pragma once
// A scripted process table. Time advances one round per wait: a process
// with roundsLeft ends when that many waits have passed, and may leave
// others behind (its children, or the copy a restarting program starts).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace kva {

struct FakeProcess {
  ProcessId id = 0;  // 0: the table gives the next free one
  ProcessId parentId = 0;
  std::u16string imagePath;
  std::uint32_t exitCode = 0;
  int roundsLeft = 1;  // waits until it ends by itself; -1 runs until terminated
  std::vector<FakeProcess> startsWhenEnding;
  bool refusesTermination = false;  // only ending its threads stops it
  bool alive = true;
};

struct StartRecord {
  std::u16string application, commandLine, workingFolder;
  int show = 0;
  bool withoutRedirection = false;
};

// The program a start runs: the application, else the command line's
// quoted or first word.
std::u16string ProgramOf(const StartRecord& record);

struct ShellRecord {
  std::u16string file, parameters, workingFolder;
  int show = 0;
};

class FakeProcesses final : public Processes {
 public:
  // The process a start becomes; nothing makes it fail. By default every
  // start succeeds with a process that ends at the first wait.
  std::function<std::optional<FakeProcess>(const StartRecord&)> onStart;
  // The same for the shell; nothing fails, and a process without an image
  // path means the shell started something but gave no process back.
  std::function<std::optional<FakeProcess>(const ShellRecord&)> onShell;

  ProcessId Add(FakeProcess process);
  FakeProcess* Find(ProcessId id);
  void End(ProcessId id, std::uint32_t exitCode = 0);

  std::vector<StartRecord> started;
  std::vector<ShellRecord> shellStarts;
  std::vector<FakeProcess> table;
  int waits = 0;
  // The ids each wait blocked on.
  std::vector<std::vector<ProcessId>> awaited;

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

 private:
  void Tick();
  std::unique_ptr<ProcessHandle> HandleOf(ProcessId id);
  ProcessId nextId_ = 1000;
};

}  // namespace kva
