#pragma once
// The program's windows behind the Shell port: the theme chooser, the
// splash, the main window, the loading window and the message loop, all
// made with the toolkit, and the message window as the Interaction port.

#include <windows.h>

#include <memory>

#include "app/Shell.h"
#include "app/win32/MainWindow.h"
#include "platform/Interaction.h"
#include "platform/win32/Win32Environment.h"
#include "platform/win32/Win32Explorer.h"
#include "ui/LoadingWindow.h"
#include "ui/ProgressWindow.h"
#include "ui/SplashScreen.h"
#include "ui/Toolkit.h"

namespace kva::win32 {

class Win32Shell;

// Notices and questions in the message window, modal over whichever of the
// program's windows is active (the main window, a window it opened, the
// loading window).
class ShellMessages final : public Interaction {
 public:
  explicit ShellMessages(Win32Shell& shell) : shell_(shell) {}
  int ShowMessage(std::u16string_view text, unsigned typeBits) override;

 private:
  Win32Shell& shell_;
};

// GDI+ must run for as long as the shell lives.
class Win32Shell final : public Shell {
 public:
  explicit Win32Shell(HINSTANCE instance);
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  void ApplyTheme(const Theme& theme) override { kit_.SetTheme(theme); }
  std::optional<ThemeId> ChooseTheme() override;
  void ShowSplash(const AppIdentity& identity) override;
  void CloseSplash() override { splash_.Close(); }

  bool CreateMainWindow(std::u16string_view title) override;
  [[nodiscard]] bool HasMainWindow() const override { return MainWindowHandle() != nullptr; }
  [[nodiscard]] HWND MainWindowHandle() const { return main_ ? main_->Handle() : nullptr; }
  WindowSize ScreenSize() override;
  void ResizeAndCenter(WindowSize size) override;
  std::optional<WindowSize> RestoredSize() override;
  void HideMainWindow() override;

  void ShowLoadingWindow() override;
  void HideLoadingWindow() override;
  LoadingView& Loading() override;

  bool ProcessMessages() override;
  bool WaitAndProcess() override;

  void ShowMainWindow(MainWindowParts& parts) override;
  void DispatchCommand(MainCommand command) override;
  void BringMainWindowToFront() override;
  ProgressDialog& Progress(bool foreground) override;
  std::optional<NewPcAnswer> AskAboutNewPc(const NewPcQuestion& question) override;

  [[nodiscard]] ui::Toolkit& Kit() { return kit_; }
  [[nodiscard]] Interaction& Messages() { return messages_; }
  // Where a message goes: the active window of the program, else the main one.
  [[nodiscard]] HWND MessageParent() const;

 private:
  // Before the loading window exists, progress goes nowhere.
  class NoLoadingView final : public LoadingView {
   public:
    void SetStatus(std::u16string_view) override {}
    void SetProgress(int) override {}
  };

  void Handle(MSG& message);

  ui::Toolkit kit_;
  ShellMessages messages_{*this};
  ui::SplashScreen splash_;
  Win32Explorer explorer_;
  Win32Environment environment_;
  std::unique_ptr<MainWindow> main_;
  std::unique_ptr<ui::LoadingWindow> loading_;
  std::unique_ptr<ui::ProgressWindow> progress_;
  NoLoadingView noLoading_;
  bool quit_ = false;
};

}  // namespace kva::win32
