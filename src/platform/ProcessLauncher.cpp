#include "platform/ProcessLauncher.h"

#include <algorithm>
#include <vector>

#include "platform/CommandLineSplit.h"
#include "platform/PeExports.h"
#include "platform/Text.h"

namespace kva {
namespace {

// What regsvr32 is asked to do, from the library's exports.
std::u16string RegistrationSwitches(const std::vector<std::string>& exports) {
  bool install = false, registerServer = false;
  for (const std::string& name : exports) {
    if (name.size() < 10 || !name.starts_with("Dll")) continue;
    const std::u16string rest = AsciiToUtf16(name.substr(3));
    install = install || EqualsNoCase(rest, u"Install");
    registerServer = registerServer || EqualsNoCase(rest, u"RegisterServer");
  }
  if (install && registerServer) return u" /s /i ";
  if (install) return u" /s /i /n ";
  if (registerServer) return u" /s ";
  return {};
}

// The rewritten line without its program: the program's own arguments.
std::u16string_view ArgumentsAfterProgram(std::u16string_view line,
                                          std::u16string_view executable) {
  const bool quoted = line.starts_with(u'"');
  const std::size_t head = executable.size() + (quoted ? 2 : 0);
  return TrimLeft(line.substr(std::min(head, line.size())), u" ");
}

}  // namespace

std::unique_ptr<ProcessHandle> ProcessLauncher::StartProcess(std::u16string_view application,
                                                             std::u16string_view commandLine,
                                                             std::u16string_view workingFolder,
                                                             int show, unsigned flags) {
  return processes_.Start({application, commandLine, workingFolder, show,
                           (flags & launch::kWithoutRedirection) != 0});
}

std::int64_t ProcessLauncher::RunProcess(std::u16string_view application,
                                         std::u16string_view commandLine,
                                         std::u16string_view workingFolder, int show,
                                         unsigned flags) {
  const bool wait = (flags & launch::kWait) != 0;
  const auto process = StartProcess(application, commandLine, workingFolder, show, flags);
  if (!process) return wait ? -1 : 0;
  if (!wait) return process->Id();
  WaitForEnd(*process);
  return process->ExitCode();
}

void ProcessLauncher::WaitForEnd(ProcessHandle& process) {
  ProcessHandle* const awaited[] = {&process};
  while (!process.HasEnded()) {
    pump_.Process();
    // A wait that cannot block must not become a spin.
    if (processes_.WaitForExitOrInput(awaited, kWaitForever) == WaitOutcome::kFailed) {
      pump_.Idle(10);
    }
  }
}

std::int64_t ProcessLauncher::RunCommand(std::u16string_view commandLine,
                                         std::u16string_view workingFolder, int show,
                                         unsigned flags) {
  std::u16string line(commandLine), folder(workingFolder), executable;
  SplitCommandLine(resolver_, line, executable, folder);
  return RunProcess(u"", line, folder, show, flags);
}

ProcessId ProcessLauncher::RunCommandOrShell(std::u16string_view commandLine, int show) {
  std::u16string line(commandLine), folder, executable;
  const bool split = SplitCommandLine(resolver_, line, executable, folder);
  if (const auto id = RunProcess(u"", line, folder, show, 0); id != 0) {
    return static_cast<ProcessId>(id);
  }
  if (commandLine.find(u":\\") != commandLine.npos) {
    std::u16string existing(commandLine);
    if (!resolver_.ResolveExistingPath(existing, folders_)) return 0;
  }
  if (split) {
    return ShellStartProcess(executable, ArgumentsAfterProgram(line, executable), folder, show);
  }
  if (commandLine.size() > 1 && commandLine[1] == u':' &&
      !Exists(resolver_.Files(), commandLine)) {
    return 0;
  }
  return ShellStartProcess(commandLine, u"", u"", show);
}

ProcessId ProcessLauncher::ShellOpen(std::u16string_view file, std::u16string_view parameters) {
  return ShellStartProcess(file, parameters, u"", show::kShow);
}

ProcessId ProcessLauncher::ShellStartProcess(std::u16string_view file,
                                             std::u16string_view parameters,
                                             std::u16string_view workingFolder, int show) {
  const ShellStart started = processes_.StartThroughShell(file, parameters, workingFolder, show);
  if (!started.started) return 0;
  return started.process ? started.process->Id() : kStartedWithoutProcess;
}

ProcessId ProcessLauncher::RegisterDll(std::u16string_view path) {
  std::vector<std::uint8_t> image;
  if (!resolver_.Files().ReadAll(path, image)) return 0;
  const auto exports = ReadExportNames(image);
  if (!exports) return 0;
  const std::u16string switches = RegistrationSwitches(*exports);
  if (switches.empty()) return 0;
  const std::u16string arguments = switches + u'"' + std::u16string(path) + u'"';
  const std::u16string regsvr32 = folders_.system32Folder + u"\\regsvr32.exe";
  const auto id = RunProcess(regsvr32, arguments, folders_.system32Folder, show::kShow,
                             launch::kWithoutRedirection);
  return static_cast<ProcessId>(id);
}

}  // namespace kva
