#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {

bool Win32Processes::StartDetached(std::u16string_view commandLine,
                                   std::u16string_view workingFolder, WindowShow show) {
  std::wstring command = Wide(commandLine);  // CreateProcessW may write into it
  const std::wstring folder = Wide(workingFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show == WindowShow::Normal ? SW_SHOWNORMAL : SW_HIDE;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    return false;
  }
  // Nobody waits for it: both handles go at once.
  UniqueKernelHandle process(started.hProcess);
  UniqueKernelHandle thread(started.hThread);
  return true;
}

}  // namespace kva::win32
