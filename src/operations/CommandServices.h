#pragma once
// What running a tool's commands needs from the rest of the program. The
// runner, the built-in actions and the automation language sit above this
// subsystem, so they reach it through these small interfaces, which the
// application wires.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Privileges.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProgressDialog.h"

namespace kva {

namespace cancel {
inline constexpr int kNone = 0;
inline constexpr int kThisTool = 1;
inline constexpr int kAll = 2;
}  // namespace cancel

// The runner's cancel poll and the action context's cancel state.
class RunControl {
 public:
  virtual ~RunControl() = default;
  // Pumps pending messages once and reads the progress dialog's buttons:
  // cancel::kNone, kThisTool or kAll.
  virtual int CheckCancel() = 0;
  // Clears both cancel flags (the action context's state).
  virtual void ResetCancel() = 0;
  // cancelTool or cancelAll is set.
  [[nodiscard]] virtual bool IsCancelled() const = 0;
};

// Runs a built-in action named by a "<Tag>" command.
class TagDispatcher {
 public:
  virtual ~TagDispatcher() = default;
  // At least 1 when the action ran.
  virtual int Dispatch(std::u16string_view command, std::size_t closePosition) = 0;
  // The actions' result lines are collected per tool, so that a tool whose
  // action wrote none never takes over the previous tool's line.
  virtual void BeginTool() = 0;
  // The last result line an action reported since BeginTool; empty if none.
  [[nodiscard]] virtual std::u16string ToolResult() const = 0;
};

// Drives a started program's windows with a tool's automation script.
class ScriptRunner {
 public:
  virtual ~ScriptRunner() = default;
  // False when the script was not run; the command is then waited for.
  virtual bool Run(ProcessId process, std::u16string_view script) = 0;
};

// Whether the installed application is as new as the one on offer.
class VersionCheck {
 public:
  virtual ~VersionCheck() = default;
  virtual bool IsInstalledAndUpToDate(std::u16string_view currentVersionSource,
                                      std::u16string_view newestVersionSource) = 0;
};

// Unpacks an archive into a folder.
class ArchiveExtractor {
 public:
  virtual ~ArchiveExtractor() = default;
  // True when every file of the archive is in the destination folder.
  virtual bool ExtractArchive(std::u16string_view archive, std::u16string_view destination,
                              std::u16string_view password) = 0;
};

struct CommandServices {
  Environment& environment;
  FileSystem& files;
  Processes& processes;
  Desktop& desktop;
  Privileges& privileges;
  Clock& clock;
  ProcessLauncher& launcher;
  ProcessControl& control;
  ProgressDialog& progress;
  RunControl& run;
  TagDispatcher& tags;
  ScriptRunner& scripts;
  VersionCheck& versions;
  ArchiveExtractor& extractor;
  std::u16string toolsFolder;
  bool is64BitWindows = true;
};

}  // namespace kva
