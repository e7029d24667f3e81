#include "app/win32/Win32Shell.h"

#include <commctrl.h>

#include "ui/MessageWindow.h"
#include "ui/NewPcWindow.h"
#include "ui/ThemeSelectWindow.h"

namespace kva::win32 {
namespace {

void CenterOnWorkArea(HWND window) {
  RECT outer, area;
  ::GetWindowRect(window, &outer);
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  ::SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int ShellMessages::ShowMessage(std::u16string_view text, unsigned typeBits) {
  return ui::ShowMessageWindow(shell_.Kit(), text, typeBits, shell_.MessageParent());
}

// Until a theme is applied the windows are dark, the theme a quiet run takes.
Win32Shell::Win32Shell(HINSTANCE instance)
    : kit_(instance, ThemeOf(ThemeId::Dark)), splash_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES |
                                                      ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
}

Win32Shell::~Win32Shell() {
  splash_.Close();
  loading_.reset();
  main_.reset();
}

std::optional<ThemeId> Win32Shell::ChooseTheme() {
  return ui::ShowThemeSelectWindow(kit_, nullptr);
}

std::optional<NewPcAnswer> Win32Shell::AskAboutNewPc(const NewPcQuestion& question) {
  return ui::ShowNewPcWindow(kit_, MessageParent(), question);
}

void Win32Shell::ShowSplash(const AppIdentity& identity) {
  splash_.Open({identity.appName, identity.appDescription, {}, kit_.CurrentTheme()});
}

bool Win32Shell::CreateMainWindow(std::u16string_view title) {
  main_ = std::make_unique<MainWindow>(kit_, title, explorer_, environment_);
  if (main_->Create()) return true;
  main_.reset();
  return false;
}

WindowSize Win32Shell::ScreenSize() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Shell::ResizeAndCenter(WindowSize size) {
  if (!main_) return;
  ::SetWindowPos(main_->Handle(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterOnWorkArea(main_->Handle());
}

std::optional<WindowSize> Win32Shell::RestoredSize() {
  HWND window = MainWindowHandle();
  if (!window || ::IsIconic(window) || ::IsZoomed(window)) return std::nullopt;
  RECT r;
  ::GetWindowRect(window, &r);
  return WindowSize{r.right - r.left, r.bottom - r.top};
}

void Win32Shell::HideMainWindow() {
  if (HWND window = MainWindowHandle()) ::ShowWindow(window, SW_HIDE);
}

void Win32Shell::ShowLoadingWindow() {
  if (!loading_) {
    loading_ = std::make_unique<ui::LoadingWindow>(kit_, MainWindowHandle());
    if (!loading_->Create()) {
      loading_.reset();
      return;
    }
  }
  loading_->Show();
}

void Win32Shell::HideLoadingWindow() {
  if (loading_) loading_->Hide();
}

LoadingView& Win32Shell::Loading() {
  if (loading_) return *loading_;
  return noLoading_;
}

HWND Win32Shell::MessageParent() const {
  HWND active = ::GetActiveWindow();
  if (active && ::IsWindowVisible(active)) return active;
  HWND main = MainWindowHandle();
  return main && ::IsWindowVisible(main) ? main : nullptr;
}

void Win32Shell::Handle(MSG& message) {
  if (message.message == WM_QUIT) {
    quit_ = true;
    return;
  }
  if (main_ && main_->PreTranslate(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

bool Win32Shell::ProcessMessages() {
  MSG message;
  while (!quit_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Handle(message);
  // Closing the loading window ends the program.
  if (loading_ && loading_->TakeCloseRequest()) quit_ = true;
  return !quit_;
}

bool Win32Shell::WaitAndProcess() {
  if (quit_) return false;
  MSG message;
  if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
    quit_ = true;
    return false;
  }
  Handle(message);
  return !quit_;
}

void Win32Shell::ShowMainWindow(MainWindowParts& parts) {
  if (main_) main_->Attach(parts);
}

void Win32Shell::DispatchCommand(MainCommand command) {
  if (main_) main_->Dispatch(command);
}

void Win32Shell::BringMainWindowToFront() {
  if (HWND window = MainWindowHandle()) ::SetForegroundWindow(window);
}

ProgressDialog& Win32Shell::Progress(bool foreground) {
  if (!progress_) progress_ = std::make_unique<ui::ProgressWindow>(kit_, MainWindowHandle());
  progress_->SetActivation(foreground);
  return *progress_;
}

}  // namespace kva::win32
