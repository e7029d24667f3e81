#pragma once
// A tool's commands against fakes of everything they touch: a small
// Windows installation on the fake file system, a scripted process table,
// and recorders for the dialog, the tags, the scripts and the privileges.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeClock.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakeRegistry.h"
#include "fakes/RecordingProgress.h"
#include "fakes/RecordingPump.h"
#include "operations/OperationFlags.h"
#include "operations/ToolCommands.h"

namespace kva::test {

class FakeRunControl final : public RunControl {
 public:
  int CheckCancel() override {
    ++polls;
    if (polls == cancelAtPoll) state = cancelWith;
    return state;
  }
  void ResetCancel() override {
    ++resets;
    state = cancel::kNone;
  }
  [[nodiscard]] bool IsCancelled() const override { return state != cancel::kNone; }

  int polls = 0, resets = 0;
  int cancelAtPoll = -1, cancelWith = cancel::kThisTool;
  int state = cancel::kNone;
};

class RecordingTags final : public TagDispatcher {
 public:
  int Dispatch(std::u16string_view command, std::size_t closePosition) override {
    dispatched.emplace_back(command);
    positions.push_back(closePosition);
    return result;
  }
  std::vector<std::u16string> dispatched;
  std::vector<std::size_t> positions;
  int result = 1;
};

class RecordingScripts final : public ScriptRunner {
 public:
  bool Run(ProcessId process, std::u16string_view script) override {
    ran.emplace_back(script);
    processes.push_back(process);
    return true;
  }
  std::vector<std::u16string> ran;
  std::vector<ProcessId> processes;
};

class ScriptedVersions final : public VersionCheck {
 public:
  bool IsInstalledAndUpToDate(std::u16string_view current, std::u16string_view newest) override {
    asked.emplace_back(std::u16string(current) + u" | " + std::u16string(newest));
    return upToDate;
  }
  std::vector<std::u16string> asked;
  bool upToDate = true;
};

class RecordingExtractor final : public ArchiveExtractor {
 public:
  bool Extract(std::u16string_view archive, std::u16string_view destination,
               std::u16string_view password) override {
    calls.push_back(std::u16string(archive) + u" > " + std::u16string(destination) + u" [" +
                    std::u16string(password) + u"]");
    return succeeds;
  }
  std::vector<std::u16string> calls;
  bool succeeds = true;
};

// Records when privileges are dropped and taken back, in the order of the
// process starts around them.
class RecordingPrivileges final : public Privileges {
 public:
  explicit RecordingPrivileges(std::vector<std::u16string>& events) : events_(events) {}
  bool Enable() override {
    events_.push_back(u"enable");
    return enabled = true;
  }
  void Restore() override {
    events_.push_back(u"restore");
    enabled = false;
  }
  [[nodiscard]] bool IsEnabled() const override { return enabled; }
  bool enabled = true;

 private:
  std::vector<std::u16string>& events_;
};

class ToolCommandsTest : public ::testing::Test {
 protected:
  ToolCommandsTest() {
    for (auto file : {u"C:\\Windows\\System32\\cmd.exe", u"C:\\Program Files\\App\\app.exe",
                      u"C:\\Kit\\Kelvara tools\\App\\setup.exe", u"C:\\Kit\\Kelvara tools\\x.exe"}) {
      files.WriteText(file, "x");
    }
    files.searchFolders = {u"C:\\Windows\\System32", u"C:\\Windows"};
    environment.SetVariable(u"ComSpec", u"C:\\Windows\\System32\\cmd.exe");
    environment.SetVariable(u"ToolsDir", u"C:\\Kit\\Kelvara tools");
    processes.onStart = [this](const StartRecord& start) {
      const std::u16string image = ImageOf(start.commandLine);
      if (!Exists(files, image)) return std::optional<FakeProcess>();
      events.push_back(u"start " + start.commandLine);
      return std::optional<FakeProcess>(
          FakeProcess{.imagePath = image, .roundsLeft = roundsPerProcess});
    };
  }

  static std::u16string ImageOf(std::u16string_view line) {
    if (line.starts_with(u'"')) return std::u16string(line.substr(1, line.find(u'"', 1) - 1));
    return std::u16string(line.substr(0, line.find(u' ')));
  }

  ToolCommandsResult Run(std::uint32_t operation = op::kRun) {
    return RunToolCommands(services, {tool, operation, downloads, u"Processing tool: App\r\n\r\n"});
  }

  std::vector<std::u16string> StartedLines() const {
    std::vector<std::u16string> lines;
    for (const auto& start : processes.started) lines.push_back(start.commandLine);
    return lines;
  }

  ToolRecord tool;
  std::array<std::u16string, 2> downloads{u"C:\\Kit\\Kelvara tools\\App\\setup.exe", u""};
  int roundsPerProcess = 1;
  std::vector<std::u16string> events;

  FakeFileSystem files;
  FakeEnvironment environment;
  FakeRegistry registry;
  FakeProcesses processes;
  FakeDesktop desktop;
  FakeClock clock;
  RecordingPump pump;
  RecordingProgress progress;
  FakeRunControl run;
  RecordingTags tags;
  RecordingScripts scripts;
  ScriptedVersions versions;
  RecordingExtractor extractor;
  RecordingPrivileges privileges{events};
  CommandResolver resolver{files, environment, registry};
  ProcessLauncher launcher{processes, resolver, pump,
                           {u"C:", u"C:\\Windows", u"C:\\Windows\\System32"}};
  ProcessControl control{processes, desktop, clock, u"C:\\Windows"};
  CommandServices services{environment, files,   processes, desktop, privileges, clock,
                           launcher,    control, progress,  run,     tags,       scripts,
                           versions,    extractor, u"C:\\Kit\\Kelvara tools", true};
};

}  // namespace kva::test
