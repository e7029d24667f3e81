#pragma once
// The application object: the program's spine from start to exit. Run
// performs the start-up steps in order and the event loop; every exit goes
// through Shutdown, which writes the settings back, unloads the hives and,
// when asked, restarts the program.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DataLocations.h"
#include "app/LoaderThread.h"
#include "app/MainWindowModel.h"
#include "app/ProgramVersion.h"
#include "app/ToolOperations.h"
#include "app/Shell.h"
#include "catalog/ToolListModel.h"
#include "catalog/ToolState.h"
#include "catalog/ToolTile.h"
#include "catalog/WindowsVersion.h"
#include "platform/Interaction.h"
#include "platform/MessagePump.h"
#include "platform/RegistryAccess.h"
#include "reporting/ReportStore.h"
#include "settings/Theme.h"

namespace kva {

class Accounts;
class Clock;
class Crypto;
class Desktop;
class Environment;
class FileStreams;
class FileSystem;
class Network;
class Privileges;
class Firewall;
class Processes;
class Resources;
class Session;
class Sound;
class Wmi;

struct AppPorts {
  Registry& registry;
  FileSystem& files;
  Environment& environment;
  Clock& clock;
  Processes& processes;
  Desktop& desktop;
  Session& session;
  Firewall& firewall;
  Accounts& accounts;
  Resources& resources;
  Interaction& interaction;  // the windows; a quiet run answers itself
  Shell& shell;
  Wmi& wmi;  // ROOT\CIMV2
  Crypto& crypto;
  Network& network;
  FileStreams& streams;
  Privileges& privileges;
  Sound& sound;
};

namespace exitcode {
inline constexpr int kNormal = 0;
inline constexpr int kRestart = 1;
inline constexpr int kReportedError = 2;
inline constexpr int kThreadFailure = 13;
inline constexpr int kPasswordRefused = -555;
inline constexpr int kEmptyCatalogue = -14;
}  // namespace exitcode

namespace restart {
inline constexpr std::uint8_t kRestartProgram = 0x01;
inline constexpr std::uint8_t kReloadCatalogue = 0x02;
inline constexpr std::uint8_t kSettingsReplaced = 0x04;
}  // namespace restart

inline constexpr std::u16string_view kMainWindowClass = u"KELVARAWND";
inline constexpr std::u16string_view kDefaultAppDescription =
    u"The world's biggest collection of free technician tools.";

class Application {
 public:
  explicit Application(const AppPorts& ports);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // arguments: the program's arguments, already split; argumentText: the
  // argument string as received (kept for a restart).
  int Run(const std::vector<std::u16string>& arguments, std::u16string_view argumentText);
  int Shutdown(int code, bool keepSettingsFile);

  // Notices and questions, answered by the program itself in a quiet run.
  int ShowMessage(std::u16string_view text, unsigned typeBits);

  // Holds off Windows shut-down while tools run (unless the options allow
  // it); an empty reason lifts the block.
  void BlockShutdown(std::u16string_view reason);

  // One row in this run's report; the bytes written, 0 without a report.
  std::size_t AppendReportEntry(std::u16string_view actionPrefix, std::u16string_view subject,
                                std::u16string_view result);

  // An operation of the main window on the ticked tools (or the
  // highlighted one); the number of tools processed.
  int RunOperation(std::uint32_t operation, std::optional<std::size_t> highlighted);

  [[nodiscard]] const DataLocations& Locations() const { return locations_; }
  [[nodiscard]] const ToolListModel& ToolList() const { return toolList_; }
  [[nodiscard]] std::uint32_t OptionsFlag() const { return optionsFlag_; }
  [[nodiscard]] std::uint32_t CatalogueVersion() const { return catalogueVersion_; }
  [[nodiscard]] WindowsVersion OsVersion() const { return osVersion_; }
  [[nodiscard]] bool BalloonTips() const { return balloonTips_; }
  [[nodiscard]] const Theme& CurrentTheme() const { return theme_; }
  void RequestRestart(std::uint8_t flags) { restartFlags_ |= flags; }
  void SetObsoleteFile(std::u16string path) { obsoleteFile_ = std::move(path); }

 private:
  // The main window's messages go through the application, so that a
  // quiet run answers them itself.
  class AppInteraction final : public Interaction {
   public:
    explicit AppInteraction(Application& app) : app_(app) {}
    int ShowMessage(std::u16string_view text, unsigned typeBits) override {
      return app_.ShowMessage(text, typeBits);
    }

   private:
    Application& app_;
  };

  std::optional<int> StartUp(const std::vector<std::u16string>& arguments);
  void ChooseStartUpTheme();
  std::optional<int> TakeOverStaleHives();
  void DeleteHiveLogs();
  void ApplySavedWindowSize();
  void RegisterWithFirewall();
  void ReadBalloonTips();
  std::optional<int> LoadDatabaseWhilePumping();
  void ReadOptions();
  void PrepareSession();
  void StartReportForThisPc();
  [[nodiscard]] bool CollapsibleGroups() const;
  std::optional<int> LoadToolListWhilePumping();
  int EventLoop();
  void ShowMainWindow();
  std::optional<int> StartCommandLineOperation(bool selectionApplied);

  std::optional<int> RunLoaderWhilePumping(LoaderThread::Work work, bool& quit);
  void StopLoader();

  [[nodiscard]] bool SaveWindowSize();
  [[nodiscard]] bool SaveGroupStates();
  [[nodiscard]] bool SaveSettings(bool keepSettingsFile);
  void RemoveSettingsLogs();
  void RemoveTempHives();
  void StartRestart();

  // The runner's rows go into this run's report.
  class ReportRows final : public OperationReport {
   public:
    explicit ReportRows(Application& app) : app_(app) {}
    void Append(std::u16string_view actionPrefix, std::u16string_view subject,
                std::u16string_view result) override {
      app_.AppendReportEntry(actionPrefix, subject, result);
    }

   private:
    Application& app_;
  };

  // The shell keeps the interface alive while long work runs.
  class ShellPump final : public MessagePump {
   public:
    ShellPump(Shell& shell, Clock& clock) : shell_(shell), clock_(clock) {}
    void Process() override { shell_.ProcessMessages(); }
    void Idle(unsigned milliseconds) override;

   private:
    Shell& shell_;
    Clock& clock_;
  };

  AppPorts ports_;
  ShellPump pump_{ports_.shell, ports_.clock};
  QuietInteraction quietAnswers_;
  ReportRows reportRows_{*this};
  AppInteraction appMessages_{*this};
  AppIdentity identity_{std::u16string(kProductName), std::u16string(kDefaultAppDescription)};
  Theme theme_ = ThemeOf(ThemeId::Dark);
  DataLocations locations_;
  CommandLine commandLine_;
  std::u16string argumentText_;
  std::u16string selectionPath_;
  std::u16string obsoleteFile_;
  bool interactive_ = true;
  bool resumePending_ = false;
  bool shutdownBlocked_ = false;
  bool balloonTips_ = true;
  bool anyHidden_ = false;
  WindowsVersion osVersion_;
  std::uint8_t restartFlags_ = 0;
  std::uint32_t optionsFlag_ = 0;
  std::uint32_t catalogueVersion_ = 0;
  ToolListModel toolList_;
  ToolTileReader tiles_;
  ToolState toolState_;
  std::optional<MainWindowModel> mainModel_;
  std::optional<MainWindowParts> mainParts_;
  std::unique_ptr<ToolOperations> operations_;
  bool operationFromCommandLine_ = false;  // no question: the switch asked for it
  bool operationRunning_ = false;
  bool exitAfterOperation_ = false;        // /AutoClose or /Quiet: an operation ended
  LoaderThread loader_;
  ReportSession report_;
};

}  // namespace kva
