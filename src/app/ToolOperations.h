#pragma once
// Everything an operation on the ticked tools works with, wired once the
// main window is up: the process launcher and control, the archive
// extractor, the built-in actions, the cancel poll and the runner.

#include <cstdint>
#include <optional>
#include <string>

#include "operations/OperationRunner.h"
#include "operations/ToolsFolderExtractor.h"
#include "platform/CommandResolver.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessLauncher.h"
#include "repair/RepairDispatcher.h"

namespace kva {

class FileStreams;
class Privileges;
class Sound;

struct ToolOperationPorts {
  Registry& registry;
  FileSystem& files;
  FileStreams& streams;
  Environment& environment;
  Clock& clock;
  Processes& processes;
  Desktop& desktop;
  Privileges& privileges;
  Network& network;
  Sound& sound;
  Interaction& interaction;
  ProgressDialog& progress;
  MessagePump& pump;
  ToolListModel& list;
  OperationReport& report;
};

class ToolOperations {
 public:
  ToolOperations(const ToolOperationPorts& ports, const RunnerSettings& settings,
                 std::u16string toolsFolder);
  ToolOperations(const ToolOperations&) = delete;
  ToolOperations& operator=(const ToolOperations&) = delete;
  ~ToolOperations();

  // The tools processed.
  int Run(std::uint32_t operation, std::optional<std::size_t> highlighted);

 private:
  class Stand;  // what later parts of the program will do
  ToolOperationPorts ports_;
  RunnerSettings settings_;
  SystemFolders folders_;
  CommandResolver resolver_;
  ProcessLauncher launcher_;
  ProcessControl control_;
  ToolsFolderExtractor extractor_;
  DialogCancelPoll cancel_;
  RepairContext repairContext_;
  RepairDispatcher repairs_{repairContext_};
  std::unique_ptr<Stand> stand_;
  CommandServices services_;
};

}  // namespace kva
