#pragma once
// What the application needs of its windows: the main window, the loading
// window and the message loop. The Win32 shell draws; this side decides.

#include <functional>
#include <optional>
#include <string_view>

#include "app/LoadingView.h"

namespace kva {

class ToolListModel;

struct WindowSize {
  int width = 0;
  int height = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

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

  virtual void ShowToolList(const ToolListModel& model) = 0;
};

}  // namespace kva
