#pragma once
// A tool's commands against fakes of everything they touch: a small
// Windows installation on the fake file system, a scripted process table,
// and recorders for the dialog, the tags, the scripts and the privileges.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CommandRecorders.h"
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
      const std::u16string image = ProgramOf(start);
      if (!Exists(files, image)) return std::optional<FakeProcess>();
      events.push_back(u"start " + start.commandLine);
      return std::optional<FakeProcess>(
          FakeProcess{.imagePath = image, .roundsLeft = roundsPerProcess});
    };
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
