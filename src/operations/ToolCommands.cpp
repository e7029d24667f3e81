#include "operations/ToolCommands.h"

#include <optional>

#include "operations/CommandKind.h"
#include "operations/CommandWait.h"
#include "operations/OperationFlags.h"
#include "platform/FileDeletion.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::size_t kCommandCount = 4;
constexpr std::size_t kShortestScript = 7;  // six characters or fewer count as absent
constexpr unsigned kSettleMilliseconds = 100;

class ToolCommandRunner {
 public:
  ToolCommandRunner(CommandServices& services, const ToolCommandsRun& run)
      : s_(services), run_(run), tool_(run.tool) {}

  ToolCommandsResult Run() {
    const bool dropFirst = ProgramsOfLaterCommandsExist();
    result_.installSkipped = DecideInstallSkipped();
    for (std::size_t i = 0; i < kCommandCount; ++i) {
      if (i == 0 && dropFirst) continue;
      if (!IsPresentCommand(tool_.commands[i]) || SkippedForBitness(i)) continue;
      s_.run.ResetCancel();
      RunCommand(i);
      if (s_.run.IsCancelled()) break;
    }
    return result_;
  }

 private:
  // The 0x002 rule: command 1 (the installer) is dropped when the programs
  // that commands 2-4 start are all there already.
  bool ProgramsOfLaterCommandsExist() {
    if (!(tool_.flags[0] & flag1::kOnlyIfProgramsMissing)) return false;
    bool anyPresent = false;
    for (std::size_t i = 1; i < kCommandCount; ++i) {
      if (!IsPresentCommand(tool_.commands[i])) continue;
      anyPresent = true;
      if (!NamesExistingFile(tool_.commands[i])) return false;
    }
    return anyPresent;
  }

  bool NamesExistingFile(std::u16string_view command) {
    std::u16string text = Expanded(command);
    std::erase(text, u'"');
    for (;;) {
      std::u16string attempt = text;
      if (s_.launcher.Resolver().ResolveExistingPath(attempt, s_.launcher.Folders())) return true;
      const std::size_t space = text.rfind(u' ');
      if (space == text.npos) return false;
      text.resize(space);
    }
  }

  bool DecideInstallSkipped() {
    if (!(run_.operation & op::kSkipUpToDate)) return false;
    return IsInstalledAndUpToDate(s_.versions, tool_);
  }

  bool SkippedForBitness(std::size_t i) const {
    const std::uint32_t flags = tool_.flags[i];
    if (i == 0) {
      return (flags & (s_.is64BitWindows ? flag1::kOnly32Bit : flag1::kOnly64Bit)) != 0;
    }
    return (flags & (s_.is64BitWindows ? flagN::kOnly32Bit : flagN::kOnly64Bit)) != 0;
  }

  void RunCommand(std::size_t i) {
    const std::u16string& command = tool_.commands[i];
    const CommandKind kind = ClassifyCommand(command);
    if (const auto* tag = std::get_if<TagCommand>(&kind)) {
      if (s_.tags.Dispatch(command, tag->closePosition) >= 1) ++result_.executed;
      return;
    }
    if (const auto* unzip = std::get_if<UnzipCommand>(&kind)) return Unzip(*unzip);
    if (const auto* remove = std::get_if<DeleteCommand>(&kind)) return Delete(*remove);
    std::u16string line = command;
    if (const auto* runSkip = std::get_if<RunSkipCommand>(&kind)) {
      if (!result_.installSkipped) return;
      line = Expanded(Trim(runSkip->path));
      if (RestoreRunningWindow(line)) return;
    } else {
      line = ExpandedWithWildcards(line);
    }
    if (result_.installSkipped && IsInstallerCommand(line)) return;
    Launch(i, line);
  }

  void Unzip(const UnzipCommand& unzip) {
    // The pattern's lazy blanks leave "->Unzip( a.zip, b)" its blanks,
    // which would name no file.
    const std::u16string_view written = Trim(unzip.archive);
    Status(u"Extracting " + std::u16string(written) + u"...");
    const std::u16string archive = Expanded(written);
    const std::u16string destination = Expanded(Trim(unzip.destination));
    const bool done = s_.extractor.ExtractArchive(archive, destination, u"");
    s_.progress.AddLine(done ? u"Successfully extracted " + archive + u"."
                             : u"Warning: failed to extract " + archive + u"!");
  }

  void Delete(const DeleteCommand& remove) {
    Status(u"Deleting " + remove.path + u"...");
    // Only blanks are trimmed: a path written in quotes is no path and fails.
    const std::u16string path = Expanded(Trim(remove.path));
    const bool done = DeleteItems(s_.files, path, remove.options);
    s_.progress.AddLine(done ? u"Successfully deleted " + path + u"."
                             : u"Warning: failed to delete " + path + u"!");
  }

  // ->RunSkip of an application that is up to date and already open.
  bool RestoreRunningWindow(std::u16string_view imagePath) {
    for (const ProcessId id : s_.control.ProcessesWithPath(imagePath)) {
      if (const WindowId window = s_.control.FindProcessWindow(id, false)) {
        s_.desktop.Restore(window);
        return true;
      }
    }
    return false;
  }

  bool IsInstallerCommand(std::u16string_view line) const {
    for (const std::u16string_view installer :
         {std::u16string_view(s_.toolsFolder), std::u16string_view(run_.downloadPaths[0]),
          std::u16string_view(run_.downloadPaths[1])}) {
      if (!installer.empty() && FindNoCase(line, installer) != kNpos) return true;
    }
    return false;
  }

  void Launch(std::size_t i, std::u16string_view line) {
    Status(u"Running command " + ToDecimal(static_cast<std::int64_t>(i + 1)) + u"...");
    const bool hidden = (tool_.flags[i] & flagN::kRunHidden) != 0;
    const ProcessId id = LaunchWithoutPrivileges(line, hidden ? show::kHidden : show::kShow);
    if (id == 0) return;  // not started: not counted, and the next command goes on
    std::u16string imagePath;
    if ((tool_.flags[0] & flag1::kMonitorByPath) && !waitByIdOnly_) {
      Settle(id);
      const auto image = s_.control.GetProcessImagePath(id);
      if (image) imagePath = *image;
      waitByIdOnly_ = !image;  // for this command and the rest of the tool
    }
    ++result_.executed;
    if (!RunScript(i, id)) WaitForCommand(s_, id, ModeFor(imagePath), imagePath);
  }

  // The new process gets a moment to map its image before the image path is
  // read; one that ends meanwhile ends the moment. The other waits need no
  // such pause, so a quick tool costs no more than it takes.
  void Settle(ProcessId id) {
    const auto process = s_.processes.Open(id);
    if (!process) return;
    ProcessHandle* handles[] = {process.get()};
    const std::uint64_t until = s_.clock.MonotonicMilliseconds() + kSettleMilliseconds;
    for (std::uint64_t now = s_.clock.MonotonicMilliseconds(); now < until;
         now = s_.clock.MonotonicMilliseconds()) {
      const auto outcome = s_.processes.WaitForExitOrInput(handles, unsigned(until - now));
      if (outcome != WaitOutcome::kInput) return;
      s_.run.CheckCancel();  // the input, handled; a cancel is seen by the wait after
    }
  }

  // Started programs must not inherit the privileges the program holds for
  // its own work.
  ProcessId LaunchWithoutPrivileges(std::u16string_view line, int show) {
    const bool held = s_.privileges.IsEnabled();
    if (held) s_.privileges.Restore();
    const ProcessId id = s_.launcher.RunCommandOrShell(line, show);
    if (held) s_.privileges.Enable();
    return id;
  }

  bool RunScript(std::size_t i, ProcessId id) {
    if (!(run_.operation & op::kAutomate) || tool_.scripts[i].size() < kShortestScript) {
      return false;
    }
    s_.run.ResetCancel();
    return s_.scripts.Run(id, tool_.scripts[i]);
  }

  WaitMode ModeFor(std::u16string_view imagePath) const {
    if (tool_.flags[0] & flag1::kWaitForChildren) return WaitMode::kTree;
    return imagePath.empty() ? WaitMode::kProcess : WaitMode::kImagePath;
  }

  std::u16string Expanded(std::u16string_view text) {
    return s_.environment.Expand(text).value_or(std::u16string(text));
  }

  std::u16string ExpandedWithWildcards(std::u16string_view text) {
    std::u16string line = Expanded(text);
    s_.launcher.Resolver().ExpandPathWildcards(line);
    return line;
  }

  void Status(std::u16string_view text) {
    s_.progress.SetStatus(run_.header + std::u16string(text), progress::kUnchanged);
  }

  CommandServices& s_;
  const ToolCommandsRun& run_;
  const ToolRecord& tool_;
  ToolCommandsResult result_;
  bool waitByIdOnly_ = false;
};

}  // namespace

ToolCommandsResult RunToolCommands(CommandServices& services, const ToolCommandsRun& run) {
  return ToolCommandRunner(services, run).Run();
}

bool IsInstalledAndUpToDate(VersionCheck& versions, const ToolRecord& tool) {
  std::u16string_view current = tool.currentVersionCheck;
  if (current.empty() && StartsWithNoCase(tool.uninstallCmd, u"Unikey")) current = tool.uninstallCmd;
  if (current.empty() || tool.newestVersionCheck.empty()) return false;
  return versions.IsInstalledAndUpToDate(current, tool.newestVersionCheck);
}

}  // namespace kva
