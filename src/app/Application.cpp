#include "app/Application.h"

#include "app/AutoEndTasks.h"
#include "app/DatabaseLoader.h"
#include "app/RestartCommand.h"
#include "app/WindowPlacement.h"
#include "catalog/Names.h"
#include "catalog/Options.h"
#include "catalog/PathVariables.h"
#include "catalog/Selections.h"
#include "catalog/ToolListLoader.h"
#include "catalog/ToolTile.h"
#include "operations/OperationFlags.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "platform/Firewall.h"
#include "platform/Accounts.h"
#include "platform/FileSystem.h"
#include "platform/HiveFiles.h"
#include "platform/IniFile.h"
#include "platform/Processes.h"
#include "platform/Session.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kDatabaseError =
    u"Error! The definitions database could not be loaded.\r\n"
    u"Please try again and if the problem persists, reboot your computer.";
constexpr std::u16string_view kSettingsNotSaved =
    u"The settings could not be saved. The previous settings file was kept.";
constexpr std::u16string_view kRunInProgress = u"Repair operation in progress";
constexpr std::u16string_view kSelectionMissing = u"The requested selection does not exist.";
constexpr std::u16string_view kResumeNotice =
    u" was prematurely closed during a \"Run tools\" operation, probably by one of the executed "
    u"tools.\r\n\r\nFor convenience, the remaining tools that have not run in that operation were "
    u"automatically selected, allowing you to easily continue the operation.";

MainCommand OperationCommand(StartOperation operation) {
  switch (operation) {
    case StartOperation::Update: return MainCommand::UpdateSelected;
    case StartOperation::UpdateRun: return MainCommand::UpdateAndRunSelected;
    case StartOperation::Run:
    case StartOperation::None: break;
  }
  return MainCommand::RunSelected;
}

}  // namespace

Application::Application(const AppPorts& ports)
    : ports_(ports),
      tiles_(ports.registry, ports.files, ports.environment),
      toolState_(ports.registry, toolList_, tiles_) {}

Application::~Application() { StopLoader(); }

int Application::ShowMessage(std::u16string_view text, unsigned typeBits) {
  return interactive_ ? ports_.interaction.ShowMessage(text, typeBits)
                      : quietAnswers_.ShowMessage(text, typeBits);
}

int Application::Run(const std::vector<std::u16string>& arguments,
                     std::u16string_view argumentText) {
  argumentText_ = argumentText;
  if (auto code = StartUp(arguments)) return *code;
  return EventLoop();
}

// Start-up up to the event loop; a value is the process's exit code.
std::optional<int> Application::StartUp(const std::vector<std::u16string>& arguments) {
  auto& env = ports_.environment;
  auto& files = ports_.files;
  std::u16string temp = env.TempFolder();
  if (!files.CreateFolders(temp)) temp = env.Folder(KnownFolder::Windows) + u"\\temp";
  locations_ = ComputeDataLocations(env.ProgramPath(), env.Folder(KnownFolder::CommonAppData), temp);
  osVersion_ = DetectWindowsVersion(env);
  files.CreateFolders(locations_.toolsDir);
  files.SetCurrentFolder(locations_.toolsDir);
  files.CreateFolders(locations_.programDataDir);

  if (auto code = TakeOverStaleHives()) return code;
  DeleteHiveLogs();
  commandLine_ = ParseCommandLine(arguments);
  interactive_ = !commandLine_.quiet;
  ChooseStartUpTheme();
  // Without windows a quiet run still works, so a failed window is no stop.
  if (!ports_.shell.CreateMainWindow(kProductName) && interactive_) {
    return Shutdown(exitcode::kReportedError, true);
  }
  resumePending_ = Exists(files, locations_.resumeSelectionPath);
  if (commandLine_.operation != StartOperation::None) {
    resumePending_ = false;
    selectionPath_ = ResolveSelectionPath(commandLine_.selectionName, locations_.toolsDir, env, files);
  }
  if (interactive_) ports_.shell.ShowSplash(identity_);
  ApplySavedWindowSize();
  RegisterWithFirewall();

  if (auto code = LoadDatabaseWhilePumping()) return code;
  ReadBalloonTips();
  ReadOptions();
  PrepareSession();
  if (commandLine_.operation != StartOperation::None && !Exists(files, selectionPath_)) {
    ports_.shell.HideLoadingWindow();
    ShowMessage(kSelectionMissing, msg::kNotice);
    return Shutdown(exitcode::kReportedError, false);
  }
  if (!(optionsFlag_ & options::kReportsDisabled)) StartReportForThisPc();
  if (auto code = LoadToolListWhilePumping()) return code;
  PublishPathVariables(env, ComputePathVariables(env, locations_.toolsDir));
  return std::nullopt;
}

// A quiet run never asks: it takes dark, and stores it, when no theme is
// stored yet.
void Application::ChooseStartUpTheme() {
  theme_ = StartUpTheme(ports_.files, locations_.uiIniPath, interactive_,
                        [this] { return ports_.shell.ChooseTheme(); });
  ports_.shell.ApplyTheme(theme_);
}

// Hives still loaded mean another instance runs, or one died with them.
std::optional<int> Application::TakeOverStaleHives() {
  auto& registry = ports_.registry;
  const bool toolsLoaded = KeyExists(registry, reg::kLocalMachine, kCatalogueHiveName);
  const bool settingsLoaded = KeyExists(registry, reg::kLocalMachine, kSettingsHiveName);
  if (!toolsLoaded && !settingsLoaded) return std::nullopt;
  const WindowId window = ports_.desktop.FindTopWindow(kMainWindowClass);
  if (window != kNoWindow && ports_.desktop.IsVisible(window)) {
    ports_.desktop.RestoreAndActivate(window);
    return exitcode::kNormal;
  }
  // Only a hive that is loaded needs unloading: a crash between the two
  // loads leaves just one.
  const bool toolsFreed = UnloadMachineHive(registry, kCatalogueHiveName);
  const bool settingsFreed = UnloadMachineHive(registry, kSettingsHiveName);
  if (!toolsFreed || !settingsFreed) return Shutdown(exitcode::kReportedError, true);
  return std::nullopt;
}

void Application::DeleteHiveLogs() {
  for (std::u16string_view pattern : {u"kva_*.TM.blf", u"kva_*.regtrans-ms", u"kva_*.LOG?"}) {
    const auto folderPattern = locations_.toolsDir + u"\\" + std::u16string(pattern);
    for (const auto& found : ports_.files.Find(folderPattern)) {
      ForceRemoveFile(ports_.files, locations_.toolsDir + u"\\" + found.name);
    }
  }
}

void Application::ApplySavedWindowSize() {
  if (!ports_.shell.HasMainWindow()) return;
  const auto saved = ReadSavedWindowSize(ports_.files, locations_.windowIniPath);
  if (!saved) return;
  ports_.shell.ResizeAndCenter(ClampWindowSize(*saved, ports_.shell.ScreenSize()));
}

// Registered once per program location; failures are not worth a word.
void Application::RegisterWithFirewall() {
  auto ini = ReadIniFile(ports_.files, locations_.windowIniPath);
  const auto known = ini.ReadString(u"App Settings", u"FirewallPath");
  if (known && EqualsNoCase(*known, locations_.programPath)) return;
  // Only a registration that took is remembered; otherwise the next start
  // tries again, and so does one whose note could not be written.
  if (!ports_.firewall.AllowProgram(kProductName, locations_.programPath)) return;
  if (ini.WriteString(u"App Settings", u"FirewallPath", locations_.programPath)) {
    (void)WriteIniFile(ports_.files, locations_.windowIniPath, ini);
  }
}

// The description tooltips follow Explorer's balloon-tip setting of the
// user at the console: elevated, the program may run under another account
// (and USERNAME names whoever started it).
void Application::ReadBalloonTips() {
  const auto user = ports_.accounts.FindConsoleUser();
  if (!user || user->sid.empty()) return;
  RegKey key(ports_.registry);
  std::uint32_t enabled = 1;
  if (Open(key, u"HKU\\" + user->sid + u"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
           reg::kRead) &&
      ReadDword(key, u"EnableBalloonTips", enabled)) {
    balloonTips_ = enabled != 0;
  }
}

void Application::BlockShutdown(std::u16string_view reason) {
  if (optionsFlag_ & options::kAllowShutdown) return;
  if (reason.empty()) {
    if (ports_.session.UnblockShutdown()) shutdownBlocked_ = false;
    return;
  }
  // Windows may still end the program at shut-down; the block asks first.
  (void)DisableAutoEndTasks(ports_.registry);
  shutdownBlocked_ = ports_.session.BlockShutdown(reason);
}

// The loader's result, or empty when its thread could not be created or
// the user quit (quit set). Either way the loader has ended on return, so
// the work may use what this frame and its caller own.
std::optional<int> Application::RunLoaderWhilePumping(LoaderThread::Work work, bool& quit) {
  quit = false;
  if (!loader_.Start(std::move(work))) return std::nullopt;
  while (!loader_.Finished()) {
    if (!ports_.shell.ProcessMessages()) {
      quit = true;
      StopLoader();
      return std::nullopt;
    }
    ports_.clock.Sleep(10);
  }
  return loader_.TakeResult();
}

// Waits for a running loader to reach its next safe point, keeping the
// interface drawn meanwhile.
void Application::StopLoader() {
  loader_.Stop([this] {
    ports_.shell.ProcessMessages();
    ports_.clock.Sleep(10);
  });
}

std::optional<int> Application::LoadDatabaseWhilePumping() {
  ports_.shell.CloseSplash();
  ports_.shell.ShowLoadingWindow();
  const DatabaseLoaderPorts loaderPorts{ports_.registry, ports_.files, ports_.resources,
                                        ports_.clock, ports_.shell.Loading()};
  bool quit = false;
  const auto result = RunLoaderWhilePumping(
      [&](std::stop_token stop) {
        const auto loaded = LoadDatabase(loaderPorts, locations_, std::move(stop));
        catalogueVersion_ = loaded.catalogueVersion;
        return loaded.code;
      },
      quit);
  if (quit) return Shutdown(exitcode::kNormal, true);
  if (!result) return Shutdown(exitcode::kThreadFailure, true);
  if (*result == 0) return std::nullopt;
  ports_.shell.HideLoadingWindow();
  ShowMessage(kDatabaseError, msg::kNotice);
  ForceRemoveFile(ports_.files, locations_.toolsHivePath);
  return Shutdown(exitcode::kReportedError, true);
}

void Application::ReadOptions() {
  optionsFlag_ = LoadOptionsFlag(ports_.registry);
}

void Application::PrepareSession() {
  ports_.shell.Loading().SetStatus(u"Performing validation actions...");
  if (!(optionsFlag_ & options::kLetComputerSleep)) ports_.session.KeepAwake();
  // A setting that cannot be changed leaves Windows its say at shut-down.
  if (!(optionsFlag_ & options::kAllowShutdown)) (void)DisableAutoEndTasks(ports_.registry);
  restartFlags_ = 0;
}

// The day's report for this PC; a PC without a client is asked about,
// except in a quiet run, which must never wait for an answer.
void Application::StartReportForThisPc() {
  const ReportPorts ports{ports_.files,    ports_.clock,  ports_.resources,
                          ports_.wmi,      ports_.crypto, ports_.registry};
  NewPcPrompt prompt;
  if (interactive_) {
    prompt = [this](const NewPcQuestion& question) { return ports_.shell.AskAboutNewPc(question); };
  }
  const auto started = StartReport(ports, ReportStoreFolder(locations_.toolsDir), identity_.appName,
                                   prompt, report_);
  if (!started.disableReports) return;
  optionsFlag_ |= options::kReportsDisabled;
  // Unsaved, reports stay off for this run and the question comes again.
  (void)SaveOptionsFlag(ports_.registry, optionsFlag_);
}

std::size_t Application::AppendReportEntry(std::u16string_view actionPrefix,
                                           std::u16string_view subject,
                                           std::u16string_view result) {
  return kva::AppendReportEntry(ports_.files, ports_.clock, report_, actionPrefix, subject, result);
}

bool Application::CollapsibleGroups() const { return osVersion_ >= WindowsVersion::Of(6, 0); }

std::optional<int> Application::LoadToolListWhilePumping() {
  ToolListLoadOptions options;
  options.optionsFlag = optionsFlag_;
  options.selectionPending = resumePending_;
  options.collapsibleGroups = CollapsibleGroups();
  auto& view = ports_.shell.Loading();
  // The resume selection ticks the tools an interrupted run had not reached.
  // Ticks that could not be stored still show; only an unreadable file
  // leaves nothing to announce.
  const auto applyResume = [&] {
    resumePending_ = ApplySelection(toolList_, ports_.registry, ports_.files,
                                    locations_.resumeSelectionPath, false)
                         .applied;
  };
  const ToolListLoadEvents events{[&](std::u16string_view text) { view.SetStatus(text); },
                                  [&](int percent) { view.SetProgress(percent); }, applyResume};
  bool quit = false;
  const auto result = RunLoaderWhilePumping(
      [&](std::stop_token stop) {
        const auto loaded =
            LoadToolList(ports_.registry, tiles_, options, events, toolList_, std::move(stop));
        anyHidden_ = loaded.anyHidden;
        return loaded.code;
      },
      quit);
  if (quit) return Shutdown(exitcode::kNormal, false);
  if (!result) return Shutdown(exitcode::kThreadFailure, true);
  if (*result != 0) return Shutdown(*result, false);
  for (int round = 0; round < 10; ++round) {
    ports_.shell.ProcessMessages();
    ports_.clock.Sleep(5);
  }
  return std::nullopt;
}

int Application::EventLoop() {
  ports_.shell.HideLoadingWindow();
  // The command-line selection sets the ticks before the window shows them.
  const bool selectionApplied =
      commandLine_.operation != StartOperation::None &&
      ApplySelection(toolList_, ports_.registry, ports_.files, selectionPath_, false).applied;
  ShowMainWindow();
  if (resumePending_) {
    resumePending_ = false;
    ShowMessage(identity_.appName + std::u16string(kResumeNotice), msg::kNotice);
  }
  if (auto code = StartCommandLineOperation(selectionApplied)) return *code;
  while (ports_.shell.WaitAndProcess()) {
    if (exitAfterOperation_) return Shutdown(exitcode::kNormal, false);
    if (restartFlags_ & restart::kRestartProgram) {
      return Shutdown(exitcode::kRestart, restartFlags_ & restart::kSettingsReplaced);
    }
  }
  return Shutdown(exitcode::kNormal, false);
}

void Application::ShowMainWindow() {
  mainModel_.emplace(ports_.registry, toolList_, toolState_, appMessages_,
                     MainWindowSettings{optionsFlag_, CollapsibleGroups()});
  mainParts_.emplace(MainWindowParts{*mainModel_, toolList_, toolState_, ports_.registry,
                                     ports_.files, appMessages_, identity_,
                                     SavedSelectionsFolder(locations_.toolsDir), catalogueVersion_,
                                     CollapsibleGroups(), balloonTips_, anyHidden_,
                                     [this] { RequestRestart(restart::kRestartProgram); },
                                     ReportStoreFolder(locations_.toolsDir),
                                     [this](const OperationRequest& request) {
                                       RunOperation(request.operation, request.highlighted);
                                     }});
  operations_ = std::make_unique<ToolOperations>(
      ToolOperationPorts{ports_.registry, ports_.files, ports_.streams, ports_.environment,
                         ports_.clock, ports_.processes, ports_.desktop, ports_.privileges,
                         ports_.network, ports_.sound, appMessages_, ports_.shell.Progress(interactive_), pump_, toolList_,
                         reportRows_},
      RunnerSettings{interactive_, commandLine_.autoClose, optionsFlag_, osVersion_,
                     locations_.resumeSelectionPath},
      locations_.toolsDir);
  ports_.shell.ShowMainWindow(*mainParts_);
}

int Application::RunOperation(std::uint32_t operation, std::optional<std::size_t> highlighted) {
  // One at a time: the windows are locked meanwhile, but a message that
  // slips through must not start a second run inside the first.
  if (!operations_ || operationRunning_) return 0;
  operationRunning_ = true;
  if (operationFromCommandLine_) operation |= op::kUnattended;
  const bool runsTools = (operation & (op::kRun | op::kHighlighted)) != 0;
  if (runsTools) BlockShutdown(kRunInProgress);
  const int processed = operations_->Run(operation, highlighted);
  if (runsTools) BlockShutdown({});
  operationRunning_ = false;
  if (interactive_) ports_.shell.BringMainWindowToFront();
  if (commandLine_.autoClose && !(operation & op::kHighlighted)) exitAfterOperation_ = true;
  return processed;
}

// The operation a command-line switch asked for, pressed as its button.
std::optional<int> Application::StartCommandLineOperation(bool selectionApplied) {
  if (commandLine_.operation == StartOperation::None) return std::nullopt;
  // Forgotten, so that a restart does not repeat the operation.
  selectionPath_.clear();
  argumentText_.clear();
  // A file that vanished or cannot be read since the start counts as
  // missing: an unattended run must not wait for a window nobody closes.
  if (!selectionApplied) {
    ShowMessage(kSelectionMissing, msg::kNotice);
    return Shutdown(exitcode::kReportedError, false);
  }
  operationFromCommandLine_ = true;
  const MainCommand command = OperationCommand(commandLine_.operation);
  if (ports_.shell.HasMainWindow()) {
    ports_.shell.DispatchCommand(command);
  } else if (const auto request = mainModel_->Execute(command, {}).operation) {
    // A quiet run that could make no window has no button to press; it
    // would otherwise wait for messages that never come.
    RunOperation(request->operation, request->highlighted);
  }
  operationFromCommandLine_ = false;
  if (exitAfterOperation_) return Shutdown(exitcode::kNormal, false);
  return std::nullopt;
}

// Whatever the program meant to keep and could not turns a normal exit into
// a reported error, so that scripts and schedulers see it.
void Application::ShellPump::Idle(unsigned milliseconds) { clock_.Sleep(milliseconds); }

int Application::Shutdown(int code, bool keepSettingsFile) {
  StopLoader();  // nothing may write into the hives while they go
  ports_.shell.CloseSplash();
  bool kept = true;
  if (ports_.shell.HasMainWindow() && code != -1 && code != -2) {
    kept = SaveWindowSize();
    ports_.shell.HideMainWindow();
    ports_.shell.ProcessMessages();
  }
  kept = UnloadMachineHive(ports_.registry, kCatalogueHiveName) && kept;
  // A resume file left behind would announce an interrupted run next time.
  kept = ForceRemoveFile(ports_.files, locations_.resumeSelectionPath) && kept;
  if (KeyExists(ports_.registry, reg::kLocalMachine, kSettingsHiveName)) {
    kept = SaveSettings(keepSettingsFile) && kept;
    kept = UnloadMachineHive(ports_.registry, kSettingsHiveName) && kept;
  }
  RemoveTempHives();
  if (restartFlags_ & restart::kRestartProgram) StartRestart();
  if (kept || code != exitcode::kNormal) return code;
  ShowMessage(kSettingsNotSaved, msg::kNotice);
  return exitcode::kReportedError;
}

// Group states and, unless the file is to be kept, the whole hive into the
// settings file. False when any of it was not written.
bool Application::SaveSettings(bool keepSettingsFile) {
  bool saved = SaveGroupStates();
  if (keepSettingsFile) return saved;
  saved = SaveKeyToFileSafely(ports_.registry, ports_.files, pump_, kSettingsRootPath,
                              locations_.settingsHivePath) &&
          saved;
  RemoveSettingsLogs();
  return saved;
}

bool Application::SaveWindowSize() {
  const auto size = ports_.shell.RestoredSize();
  return !size || WriteSavedWindowSize(ports_.files, locations_.windowIniPath, *size);
}

// Only a list the user has seen has states worth keeping: one stopped while
// loading holds some groups, with their states not yet read.
bool Application::SaveGroupStates() {
  if (!(optionsFlag_ & options::kSaveGroupStates) || !mainParts_) return true;
  bool saved = true;
  for (const auto& group : toolList_.Groups()) {
    saved = WriteDwordAt(ports_.registry,
                         std::u16string(kSettingsRootPath) + u"\\" + ToDecimal(group.number),
                         u"GroupState", group.collapsed ? 1 : 0) &&
            saved;
  }
  ports_.shell.ProcessMessages();
  return saved;
}

void Application::RemoveSettingsLogs() {
  const auto& hive = locations_.settingsHivePath;
  const std::u16string folder(FolderOf(hive));
  for (const auto& pattern :
       {hive + u".LOG*", hive + u"*.regtrans-ms", hive + u"*.TM.blf"}) {
    for (const auto& found : ports_.files.Find(pattern)) {
      ForceRemoveFile(ports_.files, folder + u"\\" + found.name);
    }
  }
}

void Application::RemoveTempHives() {
  for (const auto& hive : {locations_.tempToolsHivePath, locations_.tempSettingsHivePath}) {
    const std::u16string folder(FolderOf(hive));
    for (const auto& found : ports_.files.Find(hive + u"*")) {
      ForceRemoveFile(ports_.files, folder + u"\\" + found.name);
    }
  }
}

void Application::StartRestart() {
  auto& env = ports_.environment;
  // Nobody waits for either: the handles go at once.
  const auto restart = RestartCommandLine(locations_.restartExe, argumentText_);
  ports_.processes.Start({.commandLine = restart, .workingFolder = locations_.toolsDir});
  if (obsoleteFile_.empty()) return;
  const auto command = ObsoleteFileCommand(obsoleteFile_);
  const auto expanded = env.Expand(command).value_or(command);
  ports_.processes.Start(
      {.commandLine = expanded, .workingFolder = locations_.toolsDir, .show = show::kHidden});
}

}  // namespace kva
