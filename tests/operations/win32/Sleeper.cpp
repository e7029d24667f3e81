// kva_sleeper: a stand-in tool for the process-launching tests.
//
//   kva_sleeper [--sleep-ms N] [--exit N] [--marker PATH]
//               [--children N [--child-sleep-ms N]] [--restart] [--kill-parent]
//
// --sleep-ms N        sleeps N milliseconds (default 0), then exits.
// --exit N            the exit code (default 0).
// --marker PATH       after the sleep, just before exiting, writes PATH
//                     holding the process id in decimal; written beside and
//                     renamed, so a reader sees the whole file or none.
// --children N        first starts N copies of itself and does not wait for
//                     them (grandchildren for a process-tree wait). Copy k
//                     (from 1) sleeps --child-sleep-ms (default: the same
//                     sleep), exits 0 and writes the marker PATH.k when a
//                     marker is given.
// --restart           starts one copy of the same image with the same
//                     arguments less --restart and exits 0 at once; the
//                     copy sleeps, starts children, writes the marker and
//                     exits with the code (for an image-path wait).
// --kill-parent       after the marker, ends the process that started this
//                     one, as a tool that restarts the PC would end it.
//
// Exit code 250 for a bad command line or a copy that could not start.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "platform/win32/UniqueHandle.h"

namespace {

constexpr int kFailed = 250;

struct Options {
  unsigned long sleepMs = 0;
  unsigned long childSleepMs = 0;
  bool childSleepGiven = false;
  int exitCode = 0;
  std::wstring marker;
  unsigned long children = 0;
  bool restart = false;
  bool killParent = false;
};

bool Number(const wchar_t* text, unsigned long& value) {
  wchar_t* end = nullptr;
  value = std::wcstoul(text, &end, 10);
  return end != text && *end == L'\0';
}

bool Parse(int argc, wchar_t** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view name = argv[i];
    if (name == L"--restart" || name == L"--kill-parent") {
      (name == L"--restart" ? options.restart : options.killParent) = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const wchar_t* value = argv[++i];
    unsigned long number = 0;
    if (name == L"--marker") {
      options.marker = value;
    } else if (!Number(value, number)) {
      return false;
    } else if (name == L"--sleep-ms") {
      options.sleepMs = number;
    } else if (name == L"--child-sleep-ms") {
      options.childSleepMs = number;
      options.childSleepGiven = true;
    } else if (name == L"--exit") {
      options.exitCode = static_cast<int>(number);
    } else if (name == L"--children") {
      options.children = number;
    } else {
      return false;
    }
  }
  return true;
}

std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

std::wstring Quoted(std::wstring_view text) { return L"\"" + std::wstring(text) + L"\""; }

// Starts a copy of this program and lets it run on its own.
bool StartCopy(const std::wstring& arguments) {
  std::wstring line = Quoted(OwnPath()) + L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &started)) {
    return false;
  }
  const kva::win32::UniqueKernelHandle process(started.hProcess);
  const kva::win32::UniqueKernelHandle thread(started.hThread);
  return true;
}

std::wstring CopyArguments(const Options& options) {
  std::wstring arguments = L"--sleep-ms " + std::to_wstring(options.sleepMs) + L" --exit " +
                           std::to_wstring(options.exitCode) + L" --children " +
                           std::to_wstring(options.children);
  if (options.childSleepGiven) {
    arguments += L" --child-sleep-ms " + std::to_wstring(options.childSleepMs);
  }
  if (!options.marker.empty()) arguments += L" --marker " + Quoted(options.marker);
  return arguments;
}

bool StartChildren(const Options& options) {
  const unsigned long sleepMs = options.childSleepGiven ? options.childSleepMs : options.sleepMs;
  for (unsigned long k = 1; k <= options.children; ++k) {
    std::wstring arguments = L"--sleep-ms " + std::to_wstring(sleepMs);
    if (!options.marker.empty()) {
      arguments += L" --marker " + Quoted(options.marker + L"." + std::to_wstring(k));
    }
    if (!StartCopy(arguments)) return false;
  }
  return true;
}

bool WriteMarker(const std::wstring& path) {
  const std::wstring pending = path + L".pending";
  const std::string text = std::to_string(::GetCurrentProcessId());
  {
    const kva::win32::UniqueKernelHandle file(::CreateFileW(pending.c_str(), GENERIC_WRITE, 0,
                                                            nullptr, CREATE_ALWAYS,
                                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    const auto size = static_cast<DWORD>(text.size());
    DWORD written = 0;
    if (!file.IsValid() || !::WriteFile(file.Get(), text.data(), size, &written, nullptr)) {
      return false;
    }
  }
  return ::MoveFileExW(pending.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool KillParent() {
  const kva::win32::UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.IsValid()) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
       more = ::Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID != ::GetCurrentProcessId()) continue;
    const kva::win32::UniqueKernelHandle parent(
        ::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ParentProcessID));
    return parent.IsValid() && ::TerminateProcess(parent.Get(), 1) != FALSE;
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fwprintf(stderr, L"usage: see the comment at the top of Sleeper.cpp\n");
    return kFailed;
  }
  if (options.restart) return StartCopy(CopyArguments(options)) ? 0 : kFailed;
  if (!StartChildren(options)) return kFailed;
  ::Sleep(options.sleepMs);
  if (!options.marker.empty() && !WriteMarker(options.marker)) return kFailed;
  if (options.killParent && !KillParent()) return kFailed;
  return options.exitCode;
}
