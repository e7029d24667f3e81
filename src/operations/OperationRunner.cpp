#include "operations/OperationRunner.h"

#include <vector>

#include "catalog/Groups.h"
#include "catalog/Selections.h"
#include "operations/DownloadPhase.h"
#include "operations/OperationFlags.h"
#include "operations/RunTexts.h"
#include "operations/ToolCommands.h"
#include "platform/HiveFiles.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr unsigned kClosePollMilliseconds = 20;
constexpr std::uint32_t kOptionBits = op::kAutomate | op::kSkipUpToDate;

std::u16string_view QuestionFor(std::uint32_t operation) {
  switch (operation & (op::kUpdate | op::kRun)) {
    case op::kUpdate | op::kRun: return run_text::kAskUpdateAndRun;
    case op::kRun: return run_text::kAskRun;
    case op::kUpdate: return run_text::kAskUpdate;
    default: return {};
  }
}

}  // namespace

void RecordResult(RunnerPorts& ports, std::u16string_view actionPrefix,
                  std::u16string_view subject, std::u16string_view result) {
  ports.report.Append(actionPrefix, subject, result);
  ports.commands.progress.AddLine(std::u16string(actionPrefix) + std::u16string(subject) + u" | " +
                                  std::u16string(result));
}

struct OperationRunner::Plan {
  std::uint32_t operation = 0;
  std::vector<std::size_t> entries;  // list indexes in run order
  bool multiRun = false;             // the resume file tracks what is left
};

int OperationRunner::StartOperation(std::uint32_t operation,
                                    std::optional<std::size_t> highlighted) {
  if ((operation & (op::kUpdate | op::kRun)) == op::kUpdate && !p_.network.Connected()) {
    p_.interaction.ShowMessage(run_text::kNotConnected, msg::kNotice);
    return 0;
  }
  const auto options = Confirm(operation);
  if (!options) return 0;
  ProgressDialog& progress = p_.commands.progress;
  progress.Show(ProgressDialog::Form::kLarge);
  progress.AddButton(cancel_button::kThisTool, run_text::kCancelThisTool);
  progress.AddButton(cancel_button::kAllTools, run_text::kCancelAllTools);
  p_.cancel.ResetCancel();
  p_.cancel.SetConfirm(true);
  const int processed = ProcessTools(operation | *options, highlighted);
  p_.cancel.ResetCancel();
  if (settings_.interactive && !settings_.autoClose) WaitForClose();
  progress.Close();
  ForceRemoveFile(p_.commands.files, settings_.resumeSelectionPath);
  return processed;
}

// The options the question's check boxes add; empty when declined.
std::optional<std::uint32_t> OperationRunner::Confirm(std::uint32_t operation) {
  const std::u16string_view question = QuestionFor(operation);
  if (question.empty() && !(operation & op::kHighlighted)) return std::nullopt;
  if (operation & (op::kHighlighted | op::kUnattended)) return kOptionBits;
  const unsigned type = msg::kQuestion | ((operation & op::kRun) ? msg::kWithOptions : 0);
  const int answer = p_.interaction.ShowMessage(question, type);
  if (answer == msg::kNo) return std::nullopt;
  return static_cast<std::uint32_t>(answer) & kOptionBits;
}

void OperationRunner::WaitForClose() {
  ProgressDialog& progress = p_.commands.progress;
  progress.SetStatus(run_text::kOperationComplete, 100);
  progress.SetButtonText(cancel_button::kThisTool, run_text::kCloseThis);
  while (p_.cancel.Check(false) == cancel::kNone) {
    p_.downloads.pump.Idle(kClosePollMilliseconds);
  }
  p_.cancel.ResetCancel();
}

int OperationRunner::ProcessTools(std::uint32_t operation, std::optional<std::size_t> highlighted) {
  Plan plan{operation, {}, false};
  if (operation & op::kHighlighted) {
    if (highlighted && *highlighted < p_.list.EntryCount()) plan.entries.push_back(*highlighted);
  } else {
    for (std::size_t i = 0; i < p_.list.EntryCount(); ++i) {
      if (p_.list.Entry(i).ticked) plan.entries.push_back(i);
    }
  }
  if (plan.entries.empty()) return 0;
  plan.multiRun = (operation & op::kRun) && plan.entries.size() >= 2;
  if (plan.multiRun) {
    // A fresh file: ticks left by an older interrupted run are not this run's.
    ForceRemoveFile(p_.commands.files, settings_.resumeSelectionPath);
    (void)SaveSelection(p_.list, p_.commands.files, settings_.resumeSelectionPath);
  }
  int processed = 0;
  for (std::size_t position = 0; position < plan.entries.size(); ++position) {
    const bool completed = ProcessTool(plan, position);
    if (p_.cancel.AllCancelled()) break;
    if (completed) ++processed;
  }
  return processed;
}

// True when the tool went through all its phases.
bool OperationRunner::ProcessTool(const Plan& plan, std::size_t position) {
  CommandServices& s = p_.commands;
  s.run.ResetCancel();
  s.tags.BeginTool();
  ToolInRun tool(p_.registry);
  tool.entry = plan.entries[position];
  const ListEntry& entry = p_.list.Entry(tool.entry);
  tool.name = entry.name;
  if (tool.name.empty()) return false;
  tool.group = entry.group == kFavourites ? ResolveRecordGroup(p_.registry, tool.name, entry.group)
                                          : entry.group;
  if (tool.group <= 0) return false;
  tool.header = run_text::ToolHeader(tool.name, position + 1, plan.entries.size());
  s.progress.SetStatus(tool.header + std::u16string(run_text::kPreparing), progress::kBusy);
  RegKey record(p_.registry);
  if (!Open(record, RecordKeyPath(tool.name, tool.group), reg::kRead)) return false;
  Open(tool.stateKey, StateKeyPath(tool.name, tool.group), kOpenOrCreate);
  tool.record = ReadToolRecord(record);
  tool.files = DownloadPaths(s.environment, tool.record);
  if ((plan.operation & (op::kUpdate | op::kHighlighted)) && tool.group != kWindowsBuiltIn) {
    RunDownloadPhase(p_, settings_, plan.operation, tool);
  }
  if (s.run.IsCancelled()) return false;
  if (plan.operation & (op::kRun | op::kHighlighted)) {
    if (!RunPhase(plan, position, tool)) return false;
  }
  return !s.run.IsCancelled();
}

// False when the tool may not run on this Windows.
bool OperationRunner::RunPhase(const Plan& plan, std::size_t position, ToolInRun& tool) {
  CommandServices& s = p_.commands;
  const auto report = [&](std::u16string_view result) {
    RecordResult(p_, run_text::kRunPrefix, tool.name, result);
  };
  if (!IsWindowsVersionSupported(tool.record.windowsVersions, settings_.osVersion)) {
    report(run_text::kUnsupportedWindows);
    return false;
  }
  s.progress.SetStatus(tool.header + std::u16string(run_text::kPreparingToRun), progress::kBusy);
  if (plan.multiRun) UpdateResumeFile(plan, position);
  const ToolCommandsResult result =
      RunToolCommands(s, {tool.record, plan.operation, tool.files, tool.header});
  if (tool.group == kBuiltInRepair && result.executed > 0) {
    std::u16string line = s.tags.ToolResult();
    if (line.empty()) {
      line = s.run.IsCancelled() ? std::u16string(run_text::kActionCancelled)
                                 : run_text::RunResult(result.executed, false);
    }
    report(line);
  } else {
    report(run_text::RunResult(result.executed, result.installSkipped));
  }
  return true;
}

// Before a tool runs, the file is left with exactly the tools still to
// run ticked: an installer that restarts the PC loses nothing.
void OperationRunner::UpdateResumeFile(const Plan& plan, std::size_t position) {
  FileSystem& files = p_.commands.files;
  if (position + 1 == plan.entries.size()) {
    ForceRemoveFile(files, settings_.resumeSelectionPath);
    return;
  }
  (void)UntickInSelection(files, settings_.resumeSelectionPath,
                          p_.list.Entry(plan.entries[position]));
}

}  // namespace kva
