#pragma once
// The application against fakes of every port: a fresh machine with the
// program at C:\Kit\Kelvara.exe, the built-in hives as resources, and a
// shell without windows that records what it was asked to do.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "app/MainWindowModel.h"
#include "app/Shell.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeEnvironment.h"
#include "fakes/FakeFileStreams.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeNetwork.h"
#include "fakes/FakePrivileges.h"
#include "fakes/FakeProcesses.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeWmi.h"
#include "fakes/RecordingProgress.h"
#include "fakes/RecordingSound.h"
#include "fakes/ReferenceCrypto.h"
#include "platform/Accounts.h"
#include "platform/Firewall.h"
#include "platform/Resources.h"
#include "platform/Session.h"
#include "ResourceIds.h"

namespace kva::apptest {

inline std::vector<std::uint8_t> ReadBuildFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FakeResources final : public Resources {
 public:
  FakeResources()
      : catalogue(ReadBuildFile(KVA_CATALOGUE_REG)), settings(ReadBuildFile(KVA_EMPTY_SETTINGS_REG)) {}
  std::span<const std::uint8_t> Rcdata(int id) override {
    if (id == KVA_RC_CATALOGUE_HIVE) return catalogue;
    if (id == KVA_RC_EMPTY_SETTINGS_HIVE) return settings;
    return {};
  }
  std::span<const std::uint8_t> Image(int) override { return {}; }
  std::vector<std::uint8_t> catalogue, settings;
};

class FakeSession final : public Session {
 public:
  void KeepAwake() override { awake = true; }
  bool BlockShutdown(std::u16string_view reason) override {
    reasons.emplace_back(reason);
    return blocked = true;
  }
  bool UnblockShutdown() override { return !(blocked = false); }
  bool awake = false, blocked = false;
  std::vector<std::u16string> reasons;
};

class FakeFirewall final : public Firewall {
 public:
  bool AllowProgram(std::u16string_view, std::u16string_view programPath) override {
    allowed.emplace_back(programPath);
    return succeeds;
  }
  std::vector<std::u16string> allowed;
  bool succeeds = true;
};

class FakeAccounts final : public Accounts {
 public:
  std::optional<ConsoleUser> FindConsoleUser() override { return consoleUser; }
  std::vector<LocalAccount> EnumerateLocalAccounts() override { return {}; }
  std::optional<std::u16string> SidOfName(std::u16string_view name) override {
    if (name == u"tech") return u"S-1-5-21-1-2-3-1001";
    return std::nullopt;
  }
  std::optional<std::u16string> NameOfSid(std::u16string_view) override { return std::nullopt; }
  std::optional<ConsoleUser> consoleUser;
};

class RecordingInteraction final : public Interaction {
 public:
  int ShowMessage(std::u16string_view text, unsigned typeBits) override {
    messages.emplace_back(text);
    return (typeBits & msg::kQuestion) ? msg::kNo : msg::kOk;
  }
  std::vector<std::u16string> messages;
};

// No windows: the event loop ends at once, as if the user closed the program.
// The main window it stands for routes commands to the model, as the Win32
// one does. Messages are pumped only on the thread that made the shell, as
// only the thread that owns the windows may; loaders report from theirs.
class HeadlessShell final : public Shell, public LoadingView {
 public:
  void ApplyTheme(const Theme& theme) override { applied = theme; }
  std::optional<ThemeId> ChooseTheme() override {
    ++chooserShown;
    return chosenTheme;
  }
  void ShowSplash(const AppIdentity& identity) override {
    splashName = identity.appName;
    splashOpen = true;
  }
  void CloseSplash() override {
    if (splashOpen && !loadingShown) splashClosedBeforeLoading = true;
    splashOpen = false;
  }
  bool CreateMainWindow(std::u16string_view) override { return hasWindow = !windowFails; }
  [[nodiscard]] bool HasMainWindow() const override { return hasWindow; }
  WindowSize ScreenSize() override { return {1920, 1080}; }
  void ResizeAndCenter(WindowSize size) override { resizedTo = size; }
  std::optional<WindowSize> RestoredSize() override { return WindowSize{800, 640}; }
  void HideMainWindow() override {}
  void ShowLoadingWindow() override { loadingShown = true; }
  void HideLoadingWindow() override {}
  LoadingView& Loading() override { return *this; }
  bool ProcessMessages() override {
    if (std::this_thread::get_id() != windowThread_) ADD_FAILURE() << "messages pumped by a worker";
    if (!closeLoadingWindow) return true;
    ++pumpsSinceClose;
    return false;
  }
  // Runs the hook once, then reports that the user closed the program.
  bool WaitAndProcess() override {
    if (!duringEventLoop) return false;
    std::exchange(duringEventLoop, {})();
    return true;
  }
  void ShowMainWindow(MainWindowParts& shown) override {
    ++listShown;
    parts = &shown;
    counterText = shown.model.RefreshCounter().text;
  }
  void DispatchCommand(MainCommand command) override {
    dispatched.push_back(command);
    if (!parts || !hasWindow) return;  // no window, no button to press
    const auto outcome = parts->model.Execute(command, {});
    if (outcome.operation) parts->runOperation(*outcome.operation);
  }
  void BringMainWindowToFront() override { ++broughtToFront; }
  ProgressDialog& Progress(bool) override { return progress; }
  std::optional<NewPcAnswer> AskAboutNewPc(const NewPcQuestion& question) override {
    newPcQuestions.push_back(question);
    return newPcAnswer;
  }
  void SetStatus(std::u16string_view text) override {
    if (onStatus) onStatus(text);
  }
  void SetProgress(int percent) override {
    if (onProgress) onProgress(percent);
  }

  // The user closes the loading window when a loader reports status text
  // (or a percentage), and the loader carries on once the program has seen
  // it and begun to wait for the loader (the second look at the messages).
  void CloseLoadingWindowAt(std::u16string_view status) {
    onStatus = [this, wanted = std::u16string(status)](std::u16string_view text) {
      if (text == wanted) CloseLoadingWindowNow();
    };
  }
  void CloseLoadingWindowAt(int percent) {
    onProgress = [this, percent](int reached) {
      if (reached >= percent && !closeLoadingWindow) CloseLoadingWindowNow();
    };
  }

  // Called on the loader's thread.
  std::function<void(std::u16string_view)> onStatus;
  std::function<void(int)> onProgress;
  std::atomic<bool> closeLoadingWindow = false;
  std::atomic<int> pumpsSinceClose = 0;
  std::function<void()> duringEventLoop;
  bool hasWindow = false;
  bool windowFails = false;  // as under Wine without a display
  std::optional<WindowSize> resizedTo;
  int listShown = 0;
  MainWindowParts* parts = nullptr;
  std::u16string counterText;
  std::vector<MainCommand> dispatched;
  RecordingProgress progress;
  int broughtToFront = 0;
  std::optional<Theme> applied;
  std::optional<ThemeId> chosenTheme;
  int chooserShown = 0;
  std::vector<NewPcQuestion> newPcQuestions;
  std::optional<NewPcAnswer> newPcAnswer;
  std::u16string splashName;
  bool splashOpen = false;
  bool loadingShown = false;
  bool splashClosedBeforeLoading = false;

 private:
  void CloseLoadingWindowNow() {
    closeLoadingWindow = true;
    while (pumpsSinceClose < 2) std::this_thread::yield();
  }

  std::thread::id windowThread_ = std::this_thread::get_id();
};

struct AppFixture {
  AppFixture() {
    environment.programPath = u"C:\\Kit\\Kelvara.exe";
    environment.tempFolder = u"C:\\Temp";
    environment.SetFolder(KnownFolder::CommonAppData, u"C:\\ProgramData");
    environment.SetFolder(KnownFolder::Windows, u"C:\\Windows");
    files.CreateFolders(u"C:\\Kit");
    files.CreateFolders(u"C:\\ProgramData");
  }
  AppPorts Ports() {
    return {registry,  files,       environment, clock, processes, desktop,
            session,   firewall,    accounts,    resources, interaction, shell,
            wmi,       crypto,      network,     streams,   privileges,  sound};
  }
  int RunProgram(std::vector<std::u16string> arguments, std::u16string_view argumentText = u"") {
    Application app(Ports());
    return app.Run(arguments, argumentText);
  }

  FakeFileSystem files;
  FakeRegistry registry{files};
  FakeEnvironment environment;
  FakeClock clock;
  FakeProcesses processes;
  FakeDesktop desktop;
  FakeSession session;
  FakeFirewall firewall;
  FakeAccounts accounts;
  FakeResources resources;
  RecordingInteraction interaction;
  HeadlessShell shell;
  FakeWmi wmi;
  ReferenceCrypto crypto;
  FakeNetwork network;
  FakeFileStreams streams{files};
  FakePrivileges privileges;
  RecordingSound sound;
};

inline constexpr std::u16string_view kToolsDir = u"C:\\Kit\\Kelvara tools";
inline constexpr std::u16string_view kSettingsFile = u"C:\\Kit\\Kelvara tools\\kva_settings.dat";
inline constexpr std::u16string_view kToolsFile = u"C:\\Kit\\Kelvara tools\\kva_tools.dat";

}  // namespace kva::apptest
