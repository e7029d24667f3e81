#pragma once
// What the application needs of its windows: the theme and its chooser,
// the splash, the main window with its tool list, the loading window and
// the message loop. The Win32 shell draws; this side decides.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/MainCommand.h"
#include "platform/LoadingView.h"
#include "reporting/NewPcForm.h"
#include "settings/Theme.h"

namespace kva {

class FileSystem;
class Interaction;
class MainWindowModel;
class ProgressDialog;
class Registry;
class ToolListModel;
class ToolState;

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The name and line the header and the splash show.
struct AppIdentity {
  std::u16string appName;
  std::u16string appDescription;
};

// What the main window works on once the tool list has loaded. Everything
// referred to outlives the window.
struct MainWindowParts {
  MainWindowModel& model;
  ToolListModel& list;
  ToolState& state;
  Registry& registry;
  FileSystem& files;
  Interaction& interaction;  // answered by the program itself in a quiet run
  AppIdentity identity;
  std::u16string selectionsFolder;
  std::uint32_t catalogueVersion = 0;
  bool collapsibleGroups = true;  // Windows 6.0 on; before, tiles are narrower
  bool balloonTips = true;   // description tips as balloons, else the program's own tip
  bool anyHidden = false;    // "Restore hidden tools" starts enabled
  // A command asked for a restart: the event loop ends with the restart code.
  std::function<void()> restart;
  std::u16string reportStoreFolder;
  // "Update selected" and the other operations on the tools.
  std::function<void(const OperationRequest&)> runOperation;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // Every window made from now on is drawn in theme.
  virtual void ApplyTheme(const Theme& theme) = 0;
  // The theme chooser; empty when it was closed without a choice.
  virtual std::optional<ThemeId> ChooseTheme() = 0;

  // The splash stays until CloseSplash (which does nothing without one).
  virtual void ShowSplash(const AppIdentity& identity) = 0;
  virtual void CloseSplash() = 0;

  virtual bool CreateMainWindow(std::u16string_view title) = 0;
  [[nodiscard]] virtual bool HasMainWindow() const = 0;
  virtual WindowSize ScreenSize() = 0;
  virtual void ResizeAndCenter(WindowSize size) = 0;
  // The outer size, or empty while minimized or maximized.
  virtual std::optional<WindowSize> RestoredSize() = 0;
  virtual void HideMainWindow() = 0;

  virtual void ShowLoadingWindow() = 0;
  virtual void HideLoadingWindow() = 0;
  virtual LoadingView& Loading() = 0;

  // Handles pending messages; false once the user has asked to quit.
  virtual bool ProcessMessages() = 0;
  // Waits for and handles the next message; false once quit was asked.
  virtual bool WaitAndProcess() = 0;

  // Shows the main window with the loaded list, its controls enabled and
  // its tick counter up to date; from now on its commands run.
  virtual void ShowMainWindow(MainWindowParts& parts) = 0;
  // As a click on the command's button: the command-line operations.
  virtual void DispatchCommand(MainCommand command) = 0;
  virtual void BringMainWindowToFront() = 0;

  // The operations' progress dialog, over the main window; a quiet run
  // shows it without bringing it to the front.
  virtual ProgressDialog& Progress(bool foreground) = 0;

  // "New PC detected": the client of a PC without one; empty for Cancel.
  virtual std::optional<NewPcAnswer> AskAboutNewPc(const NewPcQuestion& question) = 0;
};

}  // namespace kva
