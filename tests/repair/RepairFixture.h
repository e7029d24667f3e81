#pragma once
// A repair context over fakes: a clock that never waits, a cancel poll the
// test scripts, recorded sounds and a recorded dialog.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeClock.h"
#include "fakes/RecordingProgress.h"
#include "fakes/RecordingSound.h"
#include "operations/CommandRecorders.h"
#include "repair/RepairContext.h"

namespace kva::test {

inline constexpr std::u16string_view kTada = u"C:\\Windows\\media\\tada.wav";

class RepairTest : public ::testing::Test {
 protected:
  // The statuses after "Executing script command: ...".
  std::vector<std::u16string> ActionStatuses() const {
    if (progress.statuses.empty()) return {};
    return {progress.statuses.begin() + 1, progress.statuses.end()};
  }

  FakeClock clock;
  FakeRunControl run;
  RecordingSound sound;
  RecordingProgress progress;
  RepairContext context{.run = run,
                        .clock = clock,
                        .sound = sound,
                        .progress = &progress,
                        .windowsVersion = WindowsVersion::Of(10, 0),
                        .windowsFolder = u"C:\\Windows",
                        .system32Folder = u"C:\\Windows\\System32",
                        .systemDrive = u"C:",
                        .currentUserRoot = u"HKCU",
                        .commandInterpreter = u"C:\\Windows\\System32\\cmd.exe"};
};

}  // namespace kva::test
