#include "app/ToolOperations.h"

#include "platform/Environment.h"

namespace kva {
namespace {

SystemFolders FoldersOf(Environment& environment) {
  const std::u16string windows = environment.Folder(KnownFolder::Windows);
  return {windows.substr(0, 2), windows, environment.Folder(KnownFolder::System)};
}

}  // namespace

// Until installers can be driven and versions compared, no script runs (the
// command is waited for as usual) and nothing counts as up to date (the
// installer runs): both are the safe side.
class ToolOperations::Stand final : public ScriptRunner, public VersionCheck {
 public:
  bool Run(ProcessId, std::u16string_view) override { return false; }
  bool IsInstalledAndUpToDate(std::u16string_view, std::u16string_view) override { return false; }
};

ToolOperations::ToolOperations(const ToolOperationPorts& ports, const RunnerSettings& settings,
                               std::u16string toolsFolder)
    : ports_(ports),
      settings_(settings),
      folders_(FoldersOf(ports.environment)),
      resolver_(ports.files, ports.environment, ports.registry),
      launcher_(ports.processes, resolver_, ports.pump, folders_),
      control_(ports.processes, ports.desktop, ports.clock, folders_.windowsFolder),
      extractor_(ports.files, launcher_, ports.progress, toolsFolder),
      cancel_(ports.progress, ports.pump, ports.interaction, settings.interactive),
      repairContext_{cancel_,
                     ports.clock,
                     ports.sound,
                     &ports.progress,
                     settings.osVersion,
                     folders_.windowsFolder,
                     folders_.system32Folder,
                     folders_.systemDrive,
                     u"HKCU",
                     folders_.system32Folder + u"\\cmd.exe"},
      stand_(std::make_unique<Stand>()),
      services_{ports.environment, ports.files, ports.processes, ports.desktop, ports.privileges,
                ports.clock,       launcher_,   control_,        ports.progress, cancel_,
                repairs_,          *stand_,     *stand_,         extractor_,     std::move(toolsFolder),
                // A 64-bit program runs only on 64-bit Windows.
                true} {}

ToolOperations::~ToolOperations() = default;

int ToolOperations::Run(std::uint32_t operation, std::optional<std::size_t> highlighted) {
  OperationRunner runner({ports_.registry, ports_.network, ports_.interaction, ports_.list,
                          ports_.report, {ports_.network, ports_.files, ports_.streams, ports_.pump},
                          services_, cancel_},
                         settings_);
  return runner.StartOperation(operation, highlighted);
}

}  // namespace kva
