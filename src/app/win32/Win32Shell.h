#pragma once
// The program's windows for now: a plain main window of class KELVARAWND
// that lists the loaded tools as text, and the loading window. The owner-
// drawn toolkit replaces both.

#include <windows.h>

#include <atomic>

#include "app/Shell.h"

namespace kva::win32 {

class Win32Shell final : public Shell, private LoadingView {
 public:
  explicit Win32Shell(HINSTANCE instance);
  ~Win32Shell() override;
  Win32Shell(const Win32Shell&) = delete;
  Win32Shell& operator=(const Win32Shell&) = delete;

  bool CreateMainWindow(std::u16string_view title) override;
  [[nodiscard]] bool HasMainWindow() const override { return main_ != nullptr; }
  [[nodiscard]] HWND MainWindow() const { return main_; }
  WindowSize ScreenSize() override;
  void ResizeAndCenter(WindowSize size) override;
  std::optional<WindowSize> RestoredSize() override;
  void HideMainWindow() override;

  void ShowLoadingWindow() override;
  void HideLoadingWindow() override;
  LoadingView& Loading() override { return *this; }

  bool ProcessMessages() override;
  bool WaitAndProcess() override;

  void ShowToolList(const ToolListModel& model) override;

 private:
  // LoadingView: posted to the window, so a loader thread never waits.
  void SetStatus(std::u16string_view text) override;
  void SetProgress(int percent) override;

  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK LoadingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateLoadingWindow();
  bool Handle(const MSG& message);

  HINSTANCE instance_;
  HWND main_ = nullptr;
  HWND list_ = nullptr;
  HWND loading_ = nullptr;
  HWND status_ = nullptr;
  HWND progress_ = nullptr;
  HFONT font_ = nullptr;
  bool quit_ = false;
};

}  // namespace kva::win32
