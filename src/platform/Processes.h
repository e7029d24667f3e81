#pragma once
// The processes of the session, one Win32 concept per method. Starting and
// waiting with command resolution (ProcessLauncher.h) and the operations
// that watch, close and kill processes (ProcessControl.h) build on it.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

using ProcessId = std::uint32_t;

// The SW_* value a started program gets, passed on unchanged.
namespace show {
inline constexpr int kHidden = 0;  // SW_HIDE
inline constexpr int kShow = 5;    // SW_SHOW
}  // namespace show

// An open process. Closing it (destruction) leaves the process running.
class ProcessHandle {
 public:
  virtual ~ProcessHandle() = default;
  [[nodiscard]] virtual ProcessId Id() const = 0;
  // A zero-time wait on the process is signalled.
  virtual bool HasEnded() = 0;
  // GetExitCodeProcess; 259 (STILL_ACTIVE) while it runs.
  virtual std::uint32_t ExitCode() = 0;
};

struct StartRequest {
  std::u16string_view application;  // used only when not empty
  std::u16string_view commandLine;
  std::u16string_view workingFolder;  // the caller's own when empty
  int show = show::kShow;
  // A 32-bit program on 64-bit Windows starts it with file-system
  // redirection off, so that "System32" means the real one.
  bool withoutRedirection = false;
};

// What ShellExecuteExW gave: nothing, a process, or a start that brought no
// process handle back (a document opened in a program that already ran).
struct ShellStart {
  bool started = false;
  std::unique_ptr<ProcessHandle> process;
};

// A row of the process snapshot (Toolhelp).
struct ProcessEntry {
  ProcessId id = 0;
  ProcessId parentId = 0;
  std::u16string exeName;  // the executable's file name, without folder
};

enum class WaitOutcome { kEnded, kInput, kTimedOut, kFailed };

inline constexpr unsigned kWaitForever = 0xFFFFFFFF;

class Processes {
 public:
  virtual ~Processes() = default;

  // CreateProcessW, no handles inherited, the inherited environment, the
  // command line in a writable buffer of 32,000 characters. Null when the
  // process did not start.
  virtual std::unique_ptr<ProcessHandle> Start(const StartRequest& request) = 0;
  // ShellExecuteExW with the default verb.
  virtual ShellStart StartThroughShell(std::u16string_view file,
                                       std::u16string_view parameters,
                                       std::u16string_view workingFolder, int show) = 0;
  // OpenProcess for waiting; null when the id names no process we may open.
  virtual std::unique_ptr<ProcessHandle> Open(ProcessId id) = 0;

  // Blocks until one of the processes ends, input arrives for the calling
  // thread (a message, also one already waiting), or the time-out passes.
  // Nothing spins: a long wait costs no processor time.
  virtual WaitOutcome WaitForExitOrInput(std::span<ProcessHandle* const> processes,
                                         unsigned timeoutMilliseconds) = 0;

  // The full image path as Windows reports it (QueryFullProcessImageNameW,
  // else GetModuleFileNameExW), not normalised; empty when unreadable.
  virtual std::optional<std::u16string> ImagePath(ProcessId id) = 0;
  // EnumProcesses: at most 2,000 ids.
  virtual std::vector<ProcessId> ProcessIds() = 0;
  // A Toolhelp process snapshot.
  virtual std::vector<ProcessEntry> Snapshot() = 0;

  // TerminateProcess after opening with terminate rights.
  virtual bool Terminate(ProcessId id, std::uint32_t exitCode) = 0;
  // TerminateThread on every thread of the process (Toolhelp thread snapshot).
  virtual void TerminateThreads(ProcessId id) = 0;
};

}  // namespace kva
