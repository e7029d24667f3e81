#pragma once
// Stand-ins for what a tool's commands hand over to the rest of the
// program: the cancel poll, the built-in actions, automation, version
// checks, the extractor and the privileges, each recording its calls.

#include <string>
#include <vector>

#include "operations/CommandServices.h"

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
    if (!lineOnDispatch.empty()) toolResult = lineOnDispatch;
    return result;
  }
  void BeginTool() override { toolResult.clear(); }
  [[nodiscard]] std::u16string ToolResult() const override { return toolResult; }
  std::u16string toolResult;
  std::u16string lineOnDispatch;  // the result line the action reports
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
  bool ExtractArchive(std::u16string_view archive, std::u16string_view destination,
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

}  // namespace kva::test
