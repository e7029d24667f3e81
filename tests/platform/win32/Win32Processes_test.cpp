#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/PeExports.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

class Win32ProcessesTest : public ::testing::Test {
 protected:
  std::unique_ptr<ProcessHandle> StartCmd(std::u16string_view arguments) {
    return processes.Start({.commandLine = u"cmd.exe " + std::u16string(arguments),
                            .workingFolder = system,
                            .show = show::kHidden});
  }
  // Blocks until the process ends; nothing else is awaited.
  void WaitForEnd(ProcessHandle& process) {
    ProcessHandle* const one[] = {&process};
    while (!process.HasEnded()) processes.WaitForExitOrInput(one, 5000);
  }

  Win32Processes processes;
  Win32Environment environment;
  std::u16string system = environment.Folder(KnownFolder::System);
};

TEST_F(Win32ProcessesTest, StartsInTheGivenFolderAndGivesTheExitCode) {
  auto process = StartCmd(u"/c exit 7");
  ASSERT_TRUE(process);
  EXPECT_GT(process->Id(), 4u);
  WaitForEnd(*process);
  EXPECT_EQ(process->ExitCode(), 7u);
  auto quoted = processes.Start({.application = system + u"\\cmd.exe",
                                 .commandLine = u"cmd /c exit 3",
                                 .show = show::kHidden,
                                 .withoutRedirection = true});
  ASSERT_TRUE(quoted);
  WaitForEnd(*quoted);
  EXPECT_EQ(quoted->ExitCode(), 3u);

  EXPECT_FALSE(processes.Start({.commandLine = u"kva_no_such_program.exe"}));
  EXPECT_FALSE(processes.Start({.commandLine = u"cmd.exe /c exit 0",
                                .workingFolder = system + u"\\kva_no_such_folder"}));
}

TEST_F(Win32ProcessesTest, AWaitWakesForInputAndForAnEndingProcess) {
  // Input already waiting wakes the wait at once.
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_USER, 0, 0);
  EXPECT_EQ(processes.WaitForExitOrInput({}, 5000), WaitOutcome::kInput);
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_EQ(processes.WaitForExitOrInput({}, 10), WaitOutcome::kTimedOut);
  auto process = StartCmd(u"/c exit 0");
  ASSERT_TRUE(process);
  ProcessHandle* const one[] = {process.get()};
  EXPECT_EQ(processes.WaitForExitOrInput(one, 10000), WaitOutcome::kEnded);
}

TEST_F(Win32ProcessesTest, QueriesSeeTheRunningProgram) {
  const ProcessId self = ::GetCurrentProcessId();
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const auto image = processes.ImagePath(self);
  ASSERT_TRUE(image);
  EXPECT_EQ(::CompareStringOrdinal(Wide(*image).c_str(), -1, path, length, TRUE), CSTR_EQUAL);

  const auto ids = processes.ProcessIds();
  EXPECT_NE(std::find(ids.begin(), ids.end(), self), ids.end());
  const auto snapshot = processes.Snapshot();
  const auto row = std::find_if(snapshot.begin(), snapshot.end(),
                                [self](const ProcessEntry& entry) { return entry.id == self; });
  ASSERT_NE(row, snapshot.end());
  EXPECT_EQ(row->exeName, u"kva_tests.exe");

  EXPECT_FALSE(processes.Open(0));
  EXPECT_FALSE(processes.ImagePath(0x7FFFFFF0).has_value());
}

TEST_F(Win32ProcessesTest, ExportNamesOfASystemLibrary) {
  std::vector<std::uint8_t> image;
  HANDLE file = ::CreateFileW(Wide(system + u"\\kernel32.dll").c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  image.resize(::GetFileSize(file, nullptr));
  DWORD read = 0;
  ::ReadFile(file, image.data(), static_cast<DWORD>(image.size()), &read, nullptr);
  ::CloseHandle(file);
  const auto names = ReadExportNames(image);
  ASSERT_TRUE(names);
  EXPECT_NE(std::find(names->begin(), names->end(), "CreateProcessW"), names->end());
}

}  // namespace
}  // namespace kva::win32
