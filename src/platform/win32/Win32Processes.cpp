#include "platform/win32/Win32Processes.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <vector>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

constexpr std::size_t kCommandLineCapacity = 32000;
constexpr DWORD kMaxProcessIds = 2000;
constexpr DWORD kImagePathCapacity = 4096;

class Win32ProcessHandle final : public ProcessHandle {
 public:
  Win32ProcessHandle(UniqueKernelHandle handle, ProcessId id)
      : handle_(std::move(handle)), id_(id) {}
  [[nodiscard]] ProcessId Id() const override { return id_; }
  bool HasEnded() override { return ::WaitForSingleObject(handle_.Get(), 0) == WAIT_OBJECT_0; }
  std::uint32_t ExitCode() override {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(handle_.Get(), &code);
    return code;
  }
  [[nodiscard]] HANDLE Get() const { return handle_.Get(); }

 private:
  UniqueKernelHandle handle_;
  ProcessId id_;
};

// A 32-bit build on 64-bit Windows sees SysWOW64 as System32 unless
// redirection is off; the 64-bit build has none to switch.
class RedirectionOff {
 public:
  explicit RedirectionOff(bool wanted) {
    BOOL wow64 = FALSE;
    if (wanted && ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64) {
      off_ = ::Wow64DisableWow64FsRedirection(&previous_);
    }
  }
  ~RedirectionOff() {
    if (off_) ::Wow64RevertWow64FsRedirection(previous_);
  }
  RedirectionOff(const RedirectionOff&) = delete;
  RedirectionOff& operator=(const RedirectionOff&) = delete;

 private:
  PVOID previous_ = nullptr;
  bool off_ = false;
};

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

UniqueKernelHandle OpenProcessFor(DWORD access, ProcessId id) {
  return UniqueKernelHandle(::OpenProcess(access, FALSE, id));
}

std::optional<std::u16string> QueryImagePath(DWORD access, ProcessId id, bool modulePath) {
  const auto process = OpenProcessFor(access, id);
  if (!process.IsValid()) return std::nullopt;
  std::vector<wchar_t> path(kImagePathCapacity);
  DWORD length = kImagePathCapacity;
  const bool read =
      modulePath ? (length = ::K32GetModuleFileNameExW(process.Get(), nullptr, path.data(),
                                                        kImagePathCapacity)) != 0
                 : ::QueryFullProcessImageNameW(process.Get(), 0, path.data(), &length) != FALSE;
  if (!read) return std::nullopt;
  return FromWide(path.data(), length);
}

}  // namespace

std::unique_ptr<ProcessHandle> Win32Processes::Start(const StartRequest& request) {
  if (request.commandLine.size() >= kCommandLineCapacity) return nullptr;
  // CreateProcessW may write into the line.
  std::vector<wchar_t> line(kCommandLineCapacity, L'\0');
  const std::wstring command = Wide(request.commandLine);
  std::copy(command.begin(), command.end(), line.begin());
  const std::wstring application = Wide(request.application);
  const std::wstring folder = Wide(request.workingFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(request.show);
  PROCESS_INFORMATION started{};
  {
    RedirectionOff redirection(request.withoutRedirection);
    if (!::CreateProcessW(OrNull(application), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          OrNull(folder), &startup, &started)) {
      return nullptr;
    }
  }
  UniqueKernelHandle thread(started.hThread);
  return std::make_unique<Win32ProcessHandle>(UniqueKernelHandle(started.hProcess),
                                              started.dwProcessId);
}

ShellStart Win32Processes::StartThroughShell(std::u16string_view file,
                                             std::u16string_view parameters,
                                             std::u16string_view workingFolder, int show) {
  const std::wstring wideFile = Wide(file), wideParameters = Wide(parameters),
                     wideFolder = Wide(workingFolder);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  // No error box of the shell's own: the callers report failures themselves
  // and a quiet run must never wait for a click.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpFile = wideFile.c_str();
  info.lpParameters = OrNull(wideParameters);
  info.lpDirectory = OrNull(wideFolder);
  info.nShow = show;
  if (!::ShellExecuteExW(&info)) return {};
  ShellStart result{true, nullptr};
  if (info.hProcess) {
    UniqueKernelHandle process(info.hProcess);
    const ProcessId id = ::GetProcessId(process.Get());
    result.process = std::make_unique<Win32ProcessHandle>(std::move(process), id);
  }
  return result;
}

std::unique_ptr<ProcessHandle> Win32Processes::Open(ProcessId id) {
  auto process = OpenProcessFor(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, id);
  if (!process.IsValid()) process = OpenProcessFor(SYNCHRONIZE, id);
  if (!process.IsValid()) return nullptr;
  return std::make_unique<Win32ProcessHandle>(std::move(process), id);
}

WaitOutcome Win32Processes::WaitForExitOrInput(std::span<ProcessHandle* const> processes,
                                               unsigned timeoutMilliseconds) {
  // One slot stays free for the thread's input.
  std::vector<HANDLE> handles;
  for (ProcessHandle* process : processes) {
    if (handles.size() == MAXIMUM_WAIT_OBJECTS - 1) break;
    handles.push_back(static_cast<Win32ProcessHandle*>(process)->Get());
  }
  const DWORD count = static_cast<DWORD>(handles.size());
  const DWORD result = ::MsgWaitForMultipleObjectsEx(count, handles.data(), timeoutMilliseconds,
                                                     QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (result < WAIT_OBJECT_0 + count) return WaitOutcome::kEnded;
  if (result == WAIT_OBJECT_0 + count) return WaitOutcome::kInput;
  if (result == WAIT_TIMEOUT) return WaitOutcome::kTimedOut;
  return WaitOutcome::kFailed;
}

std::optional<std::u16string> Win32Processes::ImagePath(ProcessId id) {
  if (auto path = QueryImagePath(PROCESS_QUERY_LIMITED_INFORMATION, id, false)) return path;
  return QueryImagePath(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, id, true);
}

std::vector<ProcessId> Win32Processes::ProcessIds() {
  std::vector<DWORD> ids(kMaxProcessIds);
  DWORD bytes = 0;
  if (!::K32EnumProcesses(ids.data(), kMaxProcessIds * sizeof(DWORD), &bytes)) return {};
  ids.resize(bytes / sizeof(DWORD));
  return {ids.begin(), ids.end()};
}

std::vector<ProcessEntry> Win32Processes::Snapshot() {
  const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.IsValid()) return {};
  std::vector<ProcessEntry> entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
       more = ::Process32NextW(snapshot.Get(), &entry)) {
    entries.push_back({entry.th32ProcessID, entry.th32ParentProcessID,
                       FromWide(entry.szExeFile)});
  }
  return entries;
}

bool Win32Processes::Terminate(ProcessId id, std::uint32_t exitCode) {
  const auto process = OpenProcessFor(PROCESS_TERMINATE, id);
  return process.IsValid() && ::TerminateProcess(process.Get(), exitCode);
}

void Win32Processes::TerminateThreads(ProcessId id) {
  const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot.IsValid()) return;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more;
       more = ::Thread32Next(snapshot.Get(), &entry)) {
    if (entry.th32OwnerProcessID != id) continue;
    const UniqueKernelHandle thread(::OpenThread(THREAD_TERMINATE, FALSE, entry.th32ThreadID));
    if (thread.IsValid()) ::TerminateThread(thread.Get(), 0);
  }
}

}  // namespace kva::win32
