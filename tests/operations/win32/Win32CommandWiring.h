#pragma once
// A tool's commands wired to the real adapters, with the rest of the
// program stood in for by recorders: for the Wine tests and the benchmark
// of the waits.

#include <windows.h>

#include <string>
#include <vector>

#include "fakes/RecordingProgress.h"
#include "operations/CommandRecorders.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Registry.h"

namespace kva::test {

// Dispatches the calling thread's messages, as the program's own pump does.
class ThreadPump final : public MessagePump {
 public:
  void Process() override {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  void Idle(unsigned milliseconds) override { ::Sleep(milliseconds); }
};

// The runner's cancel poll: pumps once and finds no press.
class PumpingRunControl final : public RunControl {
 public:
  explicit PumpingRunControl(MessagePump& pump) : pump_(pump) {}
  int CheckCancel() override {
    pump_.Process();
    return cancel::kNone;
  }
  void ResetCancel() override {}
  [[nodiscard]] bool IsCancelled() const override { return false; }

 private:
  MessagePump& pump_;
};

struct Win32CommandWiring {
  explicit Win32CommandWiring(std::u16string toolsFolder)
      : services{environment, files,   processes, desktop,  privileges,
                 clock,       launcher, control,   progress, run,
                 tags,        scripts,  versions,  extractor, std::move(toolsFolder),
                 true} {}
  Win32CommandWiring(const Win32CommandWiring&) = delete;
  Win32CommandWiring& operator=(const Win32CommandWiring&) = delete;

  win32::Win32Environment environment;
  win32::Win32FileSystem files;
  win32::Win32Registry registry;
  win32::Win32Processes processes;
  win32::Win32Desktop desktop;
  win32::Win32Clock clock;
  ThreadPump pump;
  PumpingRunControl run{pump};
  RecordingProgress progress;
  RecordingTags tags;
  RecordingScripts scripts;
  ScriptedVersions versions;
  RecordingExtractor extractor;
  std::vector<std::u16string> events;
  RecordingPrivileges privileges{events};
  CommandResolver resolver{files, environment, registry};
  SystemFolders folders{u"C:", environment.Folder(KnownFolder::Windows),
                        environment.Folder(KnownFolder::System)};
  ProcessLauncher launcher{processes, resolver, pump, folders};
  ProcessControl control{processes, desktop, clock, folders.windowsFolder};
  CommandServices services;
};

}  // namespace kva::test
