#pragma once
// The operation runner: the main window's "Update selected", "Run
// selected", "Update and run selected" and "Run highlighted tool" (and the
// command line's switches) end here. StartOperation asks, opens the
// progress dialog and closes it again; ProcessTools takes the tools one by
// one through their download phase and their run phase.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalog/ToolListModel.h"
#include "catalog/WindowsVersion.h"
#include "downloads/DownloadJob.h"
#include "operations/CancelPoll.h"
#include "operations/CommandServices.h"
#include "platform/Interaction.h"
#include "platform/Network.h"
#include "platform/Registry.h"

namespace kva {

// Where the runner's rows go: this run's report.
class OperationReport {
 public:
  virtual ~OperationReport() = default;
  virtual void Append(std::u16string_view actionPrefix, std::u16string_view subject,
                      std::u16string_view result) = 0;
};

struct RunnerPorts {
  Registry& registry;
  Network& network;
  Interaction& interaction;
  ToolListModel& list;
  OperationReport& report;
  DownloadServices downloads;
  // The dialog, the tags and the cancel poll (which must be cancel) are the
  // runner's too.
  CommandServices& commands;
  DialogCancelPoll& cancel;
};

// One outcome: a row in the report and the same line in the dialog's log.
void RecordResult(RunnerPorts& ports, std::u16string_view actionPrefix,
                  std::u16string_view subject, std::u16string_view result);

struct RunnerSettings {
  bool interactive = true;  // false with /Quiet: nothing is asked or brought to the front
  bool autoClose = false;   // /AutoClose or /Quiet: no "Operation complete" to confirm
  std::uint32_t optionsFlag = 0;
  WindowsVersion osVersion;
  std::u16string resumeSelectionPath;
};

class OperationRunner {
 public:
  OperationRunner(RunnerPorts ports, RunnerSettings settings)
      : p_(ports), settings_(std::move(settings)) {}

  // The number of tools processed; 0 when the user declined or nothing was
  // selected. highlighted: the list's highlighted entry, for op::kHighlighted.
  int StartOperation(std::uint32_t operation, std::optional<std::size_t> highlighted);

  // The tools that went through all their phases.
  int ProcessTools(std::uint32_t operation, std::optional<std::size_t> highlighted);

 private:
  struct Plan;
  [[nodiscard]] std::optional<std::uint32_t> Confirm(std::uint32_t operation);
  void WaitForClose();
  bool ProcessTool(const Plan& plan, std::size_t position);
  bool RunPhase(const Plan& plan, std::size_t position, struct ToolInRun& tool);
  void UpdateResumeFile(const Plan& plan, std::size_t position);

  RunnerPorts p_;
  RunnerSettings settings_;
};

}  // namespace kva
