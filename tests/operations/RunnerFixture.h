#pragma once
// The runner over fakes of everything it reaches: both hives filled from
// .reg text, a tool list, a scripted network, in-memory files, a process
// table whose programs are the files that exist, a recording dialog and a
// report that keeps its rows.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CommandRecorders.h"
#include "catalog/CatalogueFixture.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeFileStreams.h"
#include "fakes/FakeNetwork.h"
#include "fakes/FakeProcesses.h"
#include "fakes/RecordingProgress.h"
#include "fakes/ScriptedInteraction.h"
#include "operations/OperationFlags.h"
#include "operations/OperationRunner.h"
#include "platform/CommandResolver.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessLauncher.h"
#include "platform/Text.h"

namespace kva::test {

// Lets the download threads get on between polls.
class ThreadYieldPump final : public MessagePump {
 public:
  void Process() override {}
  void Idle(unsigned) override { std::this_thread::yield(); }
};

struct ReportRow {
  std::u16string action, result;
  bool operator==(const ReportRow&) const = default;
  friend void PrintTo(const ReportRow& row, std::ostream* out) {
    *out << Utf16ToUtf8(row.action) << " | " << Utf16ToUtf8(row.result);
  }
};

class RecordingReport final : public OperationReport {
 public:
  void Append(std::u16string_view actionPrefix, std::u16string_view subject,
              std::u16string_view result) override {
    rows.push_back({std::u16string(actionPrefix) + std::u16string(subject), std::u16string(result)});
  }
  std::vector<ReportRow> rows;
};

class RunnerTest : public CatalogueFixture {
 protected:
  static constexpr std::u16string_view kTools = u"C:\\Kit\\Kelvara tools";
  static constexpr std::u16string_view kResumeFile = u"C:\\ProgramData\\Kelvara\\_kva_sel.kvasel";

  RunnerTest() {
    files.WriteText(u"C:\\Windows\\System32\\cmd.exe", "x");
    files.CreateFolders(kTools);
    files.CreateFolders(u"C:\\ProgramData\\Kelvara");
    files.searchFolders = {u"C:\\Windows\\System32", u"C:\\Windows"};
    environment.SetVariable(u"ComSpec", u"C:\\Windows\\System32\\cmd.exe");
    environment.SetVariable(u"ToolsDir", std::u16string(kTools));
    processes.onStart = [this](const StartRecord& start) {
      const std::u16string image = ProgramOf(start);
      if (!Exists(files, image)) return std::optional<FakeProcess>();
      if (onProgramStart) onProgramStart(image);
      return std::optional<FakeProcess>(FakeProcess{.imagePath = image});
    };
  }

  // A list entry shown in group (added to the list when new).
  std::size_t AddEntry(std::u16string name, int group, bool ticked = true) {
    if (!list.FindGroup(group)) list.AddGroup({group, u"Group " + ToDecimal(group)});
    return *list.Append({.name = std::move(name), .group = group, .recordGroup = group,
                         .ticked = ticked});
  }

  int Start(std::uint32_t operation, std::optional<std::size_t> highlighted = std::nullopt) {
    return Runner().StartOperation(operation, highlighted);
  }
  int Process(std::uint32_t operation, std::optional<std::size_t> highlighted = std::nullopt) {
    return Runner().ProcessTools(operation, highlighted);
  }
  OperationRunner Runner() {
    return OperationRunner(
        {registry, network, interaction, list, report, {network, files, streams, pump}, services,
         cancel},
        settings);
  }

  // Each URL once per download (a download may open it more than once).
  // from: the number of requests to leave out.
  std::vector<std::u16string> RequestedUrls(std::size_t from = 0) {
    std::vector<std::u16string> urls;
    const auto requests = network.Requests();
    for (std::size_t i = from; i < requests.size(); ++i) {
      if (urls.empty() || urls.back() != requests[i].url) urls.push_back(requests[i].url);
    }
    return urls;
  }

  RunnerSettings settings{.interactive = true, .autoClose = true, .optionsFlag = 199,
                          .osVersion = WindowsVersion::Of(10, 0),
                          .resumeSelectionPath = std::u16string(kResumeFile)};
  std::function<void(const std::u16string&)> onProgramStart;

  ToolListModel list;
  FakeNetwork network;
  FakeFileStreams streams{files};
  ThreadYieldPump pump;
  ScriptedInteraction interaction;
  RecordingReport report;
  FakeProcesses processes;
  FakeDesktop desktop;
  FakeClock clock;
  RecordingProgress progress;
  DialogCancelPoll cancel{progress, pump, interaction, true};
  RecordingTags tags;
  RecordingScripts scripts;
  ScriptedVersions versions;
  RecordingExtractor extractor;
  std::vector<std::u16string> events;
  RecordingPrivileges privileges{events};
  CommandResolver resolver{files, environment, registry};
  ProcessLauncher launcher{processes, resolver, pump, {u"C:", u"C:\\Windows", u"C:\\Windows\\System32"}};
  ProcessControl control{processes, desktop, clock, u"C:\\Windows"};
  CommandServices services{environment, files,   processes, desktop, privileges, clock,
                           launcher,    control, progress,  cancel,  tags,       scripts,
                           versions,    extractor, std::u16string(kTools), true};
};

}  // namespace kva::test
