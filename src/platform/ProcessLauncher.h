#pragma once
// Starting the commands of the catalogue, the tools' installers and the
// system's own programs: command resolution first, the shell as a fallback,
// and waits that keep the caller's windows alive without spinning.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/CommandResolver.h"
#include "platform/MessagePump.h"
#include "platform/Processes.h"

namespace kva {

namespace launch {
// Wait for the process to end and give its exit code instead of its id.
inline constexpr unsigned kWait = 1;
// A 32-bit program on 64-bit Windows starts it without file-system redirection.
inline constexpr unsigned kWithoutRedirection = 2;
}  // namespace launch

// RunCommandOrShell and ShellOpen: the shell started something but gave no
// process back (a document opened in a program that was already running).
inline constexpr ProcessId kStartedWithoutProcess = 1;

class ProcessLauncher {
 public:
  // pump keeps the caller's messages flowing during waits; it must belong
  // to the calling thread.
  ProcessLauncher(Processes& processes, CommandResolver& resolver, MessagePump& pump,
                  SystemFolders folders)
      : processes_(processes), resolver_(resolver), pump_(pump), folders_(std::move(folders)) {}

  std::unique_ptr<ProcessHandle> StartProcess(std::u16string_view application,
                                              std::u16string_view commandLine,
                                              std::u16string_view workingFolder, int show,
                                              unsigned flags);
  // With launch::kWait the exit code, or -1 when nothing started; otherwise
  // the process id, or 0. Exit codes are unsigned 32-bit values, so none of
  // them reads as -1.
  std::int64_t RunProcess(std::u16string_view application, std::u16string_view commandLine,
                          std::u16string_view workingFolder, int show, unsigned flags);
  // SplitCommandLine first; the line as given when no program was found.
  std::int64_t RunCommand(std::u16string_view commandLine, std::u16string_view workingFolder,
                          int show, unsigned flags);
  // Starts directly, else through the shell. The process id,
  // kStartedWithoutProcess, or 0 when nothing started.
  ProcessId RunCommandOrShell(std::u16string_view commandLine, int show);
  // Opens a file or web page with its default program, shown.
  ProcessId ShellOpen(std::u16string_view file, std::u16string_view parameters);
  // Registers a COM library with the system's regsvr32, without waiting:
  // regsvr32's process id, or 0 when the library exports neither
  // DllRegisterServer nor DllInstall.
  ProcessId RegisterDll(std::u16string_view path);

  // Blocks until the process ends, dispatching the caller's messages as
  // they come.
  void WaitForEnd(ProcessHandle& process);

  [[nodiscard]] CommandResolver& Resolver() const { return resolver_; }
  [[nodiscard]] const SystemFolders& Folders() const { return folders_; }

 private:
  ProcessId ShellStartProcess(std::u16string_view file, std::u16string_view parameters,
                              std::u16string_view workingFolder, int show);

  Processes& processes_;
  CommandResolver& resolver_;
  MessagePump& pump_;
  SystemFolders folders_;
};

}  // namespace kva
