#include "fakes/FakeProcesses.h"

#include <algorithm>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::uint32_t kStillActive = 259;

class FakeHandle final : public ProcessHandle {
 public:
  FakeHandle(FakeProcesses& table, ProcessId id) : table_(table), id_(id) {}
  [[nodiscard]] ProcessId Id() const override { return id_; }
  bool HasEnded() override {
    const auto* process = table_.Find(id_);
    return !process || !process->alive;
  }
  std::uint32_t ExitCode() override {
    const auto* process = table_.Find(id_);
    return process && !process->alive ? process->exitCode : kStillActive;
  }

 private:
  FakeProcesses& table_;
  ProcessId id_;
};

}  // namespace

std::u16string ProgramOf(const StartRecord& record) {
  if (!record.application.empty()) return record.application;
  std::u16string_view line = record.commandLine;
  if (line.starts_with(u'"')) return std::u16string(line.substr(1, line.find(u'"', 1) - 1));
  return std::u16string(line.substr(0, line.find(u' ')));
}

ProcessId FakeProcesses::Add(FakeProcess process) {
  if (process.id == 0) process.id = nextId_++;
  table.push_back(std::move(process));
  return table.back().id;
}

FakeProcess* FakeProcesses::Find(ProcessId id) {
  // The newest first: a reused id names the latest process.
  const auto found = std::find_if(table.rbegin(), table.rend(),
                                  [id](const FakeProcess& p) { return p.id == id; });
  return found == table.rend() ? nullptr : &*found;
}

void FakeProcesses::End(ProcessId id, std::uint32_t exitCode) {
  auto* process = Find(id);
  if (!process || !process->alive) return;
  process->alive = false;
  process->exitCode = exitCode;
  const auto successors = process->startsWhenEnding;
  for (FakeProcess successor : successors) {
    if (successor.parentId == 0) successor.parentId = id;
    Add(std::move(successor));
  }
}

std::unique_ptr<ProcessHandle> FakeProcesses::HandleOf(ProcessId id) {
  return std::make_unique<FakeHandle>(*this, id);
}

std::unique_ptr<ProcessHandle> FakeProcesses::Start(const StartRequest& request) {
  StartRecord record{std::u16string(request.application), std::u16string(request.commandLine),
                     std::u16string(request.workingFolder), request.show,
                     request.withoutRedirection};
  started.push_back(record);
  std::optional<FakeProcess> process =
      onStart ? onStart(record) : FakeProcess{.imagePath = ProgramOf(record)};
  if (!process) return nullptr;
  return HandleOf(Add(std::move(*process)));
}

ShellStart FakeProcesses::StartThroughShell(std::u16string_view file,
                                            std::u16string_view parameters,
                                            std::u16string_view workingFolder, int show) {
  ShellRecord record{std::u16string(file), std::u16string(parameters),
                     std::u16string(workingFolder), show};
  shellStarts.push_back(record);
  std::optional<FakeProcess> process =
      onShell ? onShell(record) : FakeProcess{.imagePath = record.file};
  if (!process) return {};
  if (process->id == 0 && process->imagePath.empty()) return {true, nullptr};
  return {true, HandleOf(Add(std::move(*process)))};
}

std::unique_ptr<ProcessHandle> FakeProcesses::Open(ProcessId id) {
  const auto* process = Find(id);
  if (!process || !process->alive) return nullptr;
  return HandleOf(id);
}

void FakeProcesses::Tick() {
  std::vector<ProcessId> ending;
  for (FakeProcess& process : table) {
    if (process.alive && process.roundsLeft > 0 && --process.roundsLeft == 0) {
      ending.push_back(process.id);
    }
  }
  for (const ProcessId id : ending) End(id, Find(id)->exitCode);
}

WaitOutcome FakeProcesses::WaitForExitOrInput(std::span<ProcessHandle* const> processes,
                                              unsigned) {
  ++waits;
  std::vector<ProcessId> ids;
  for (ProcessHandle* process : processes) ids.push_back(process->Id());
  awaited.push_back(ids);
  Tick();
  const bool ended = std::any_of(processes.begin(), processes.end(),
                                 [](ProcessHandle* process) { return process->HasEnded(); });
  return ended ? WaitOutcome::kEnded : WaitOutcome::kTimedOut;
}

std::optional<std::u16string> FakeProcesses::ImagePath(ProcessId id) {
  const auto* process = Find(id);
  if (!process || !process->alive || process->imagePath.empty()) return std::nullopt;
  return process->imagePath;
}

std::vector<ProcessId> FakeProcesses::ProcessIds() {
  std::vector<ProcessId> ids;
  for (const FakeProcess& process : table) {
    if (process.alive) ids.push_back(process.id);
  }
  return ids;
}

std::vector<ProcessEntry> FakeProcesses::Snapshot() {
  std::vector<ProcessEntry> entries;
  for (const FakeProcess& process : table) {
    if (process.alive) {
      entries.push_back(
          {process.id, process.parentId, std::u16string(FileNameOf(process.imagePath))});
    }
  }
  return entries;
}

bool FakeProcesses::Terminate(ProcessId id, std::uint32_t exitCode) {
  auto* process = Find(id);
  if (!process || !process->alive || process->refusesTermination) return false;
  process->alive = false;
  process->exitCode = exitCode;
  return true;
}

void FakeProcesses::TerminateThreads(ProcessId id) {
  if (auto* process = Find(id)) process->alive = false;
}

}  // namespace kva
