#include "app/win32/Win32Shell.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "catalog/ToolListModel.h"
#include "platform/win32/WideText.h"

namespace kva::win32 {
namespace {

constexpr wchar_t kMainClass[] = L"KELVARAWND";
constexpr wchar_t kLoadingClass[] = L"KVA_DLG_WND";
constexpr UINT kSetStatus = WM_APP + 1;    // lParam: std::u16string* to take over
constexpr UINT kSetProgress = WM_APP + 2;  // wParam: percent, or LoadingView::kMarquee
constexpr int kMinWidth = 770;
constexpr int kMinHeight = 614;

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style) {
  WNDCLASSEXW wc{sizeof(wc)};
  if (::GetClassInfoExW(instance, name, &wc)) return true;
  wc = {sizeof(wc)};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  return ::RegisterClassExW(&wc) != 0;
}

void CenterOnScreen(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  ::SetWindowPos(window, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

std::wstring EntryLine(const ListEntry& entry) {
  return L"    " + Wide(entry.name) + L"  \u2014  " + Wide(entry.secondLine) +
         (entry.ticked ? L"  [ticked]" : L"");
}

}  // namespace

Win32Shell::Win32Shell(HINSTANCE instance) : instance_(instance) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  NONCLIENTMETRICSW metrics{sizeof(metrics)};
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font_ = ::CreateFontIndirectW(&metrics.lfMessageFont);
  }
}

Win32Shell::~Win32Shell() {
  if (loading_) ::DestroyWindow(loading_);
  if (main_) ::DestroyWindow(main_);
  if (font_) ::DeleteObject(font_);
}

bool Win32Shell::CreateMainWindow(std::u16string_view title) {
  if (!RegisterWindowClass(instance_, kMainClass, MainProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)) {
    return false;
  }
  main_ = ::CreateWindowExW(0, kMainClass, Wide(title).c_str(), WS_OVERLAPPEDWINDOW,
                            CW_USEDEFAULT, CW_USEDEFAULT, kMinWidth, kMinHeight, nullptr, nullptr,
                            instance_, this);
  if (!main_) return false;
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                            0, 0, 0, 0, main_, nullptr, instance_, nullptr);
  if (font_) ::SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  CenterOnScreen(main_);
  return true;
}

WindowSize Win32Shell::ScreenSize() {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Shell::ResizeAndCenter(WindowSize size) {
  ::SetWindowPos(main_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER);
  CenterOnScreen(main_);
}

std::optional<WindowSize> Win32Shell::RestoredSize() {
  if (!main_ || ::IsIconic(main_) || ::IsZoomed(main_)) return std::nullopt;
  RECT r;
  ::GetWindowRect(main_, &r);
  return WindowSize{r.right - r.left, r.bottom - r.top};
}

void Win32Shell::HideMainWindow() {
  if (main_) ::ShowWindow(main_, SW_HIDE);
}

bool Win32Shell::CreateLoadingWindow() {
  if (!RegisterWindowClass(instance_, kLoadingClass, LoadingProc, 0)) return false;
  loading_ = ::CreateWindowExW(0, kLoadingClass, L"Load definitions and tools",
                               WS_POPUP | WS_CAPTION, 0, 0, 600, 350, main_, nullptr, instance_,
                               nullptr);
  if (!loading_) return false;
  status_ = ::CreateWindowExW(0, L"STATIC", L"Loading definitions...", WS_CHILD | WS_VISIBLE,
                              30, 120, 540, 24, loading_, nullptr, instance_, nullptr);
  progress_ = ::CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 30, 160, 540,
                                20, loading_, nullptr, instance_, nullptr);
  if (font_) ::SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  CenterOnScreen(loading_);
  return true;
}

void Win32Shell::ShowLoadingWindow() {
  if (!loading_ && !CreateLoadingWindow()) return;
  ::ShowWindow(loading_, SW_SHOWNORMAL);
  ::UpdateWindow(loading_);
}

void Win32Shell::HideLoadingWindow() {
  if (loading_) ::ShowWindow(loading_, SW_HIDE);
}

void Win32Shell::SetStatus(std::u16string_view text) {
  if (!loading_) return;
  auto copy = std::make_unique<std::u16string>(text);
  if (::PostMessageW(loading_, kSetStatus, 0, reinterpret_cast<LPARAM>(copy.get()))) {
    copy.release();  // the window owns it now
  }
}

void Win32Shell::SetProgress(int percent) {
  if (loading_) ::PostMessageW(loading_, kSetProgress, static_cast<WPARAM>(percent), 0);
}

bool Win32Shell::Handle(const MSG& message) {
  if (message.message == WM_QUIT) {
    quit_ = true;
    return false;
  }
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
  return true;
}

bool Win32Shell::ProcessMessages() {
  MSG message;
  while (!quit_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Handle(message);
  return !quit_;
}

bool Win32Shell::WaitAndProcess() {
  if (quit_) return false;
  MSG message;
  if (::GetMessageW(&message, nullptr, 0, 0) <= 0) {
    quit_ = true;
    return false;
  }
  return Handle(message);
}

void Win32Shell::ShowToolList(const ToolListModel& model) {
  if (!main_) return;
  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const auto& group : model.Groups()) {
    ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(group.name).c_str()));
    for (const auto& entry : model.EntriesOf(group.number)) {
      ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryLine(entry).c_str()));
    }
  }
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::ShowWindow(main_, SW_SHOWNORMAL);
  ::SetForegroundWindow(main_);
}

LRESULT CALLBACK Win32Shell::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32Shell*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = {kMinWidth, kMinHeight};
      return 0;
    }
    case WM_SIZE:
      if (self && self->list_) {
        ::MoveWindow(self->list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      }
      return 0;
    case WM_DESTROY:
      if (self) self->main_ = nullptr;
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32Shell::LoadingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSetStatus: {
      std::unique_ptr<std::u16string> text(reinterpret_cast<std::u16string*>(lParam));
      ::SetWindowTextW(::GetWindow(window, GW_CHILD), Wide(*text).c_str());
      return 0;
    }
    case kSetProgress: {
      HWND bar = ::GetWindow(::GetWindow(window, GW_CHILD), GW_HWNDNEXT);
      const int percent = static_cast<int>(wParam);
      const LONG_PTR style = ::GetWindowLongPtrW(bar, GWL_STYLE);
      const bool marquee = percent == LoadingView::kMarquee;
      ::SetWindowLongPtrW(bar, GWL_STYLE, marquee ? (style | PBS_MARQUEE) : (style & ~PBS_MARQUEE));
      ::SendMessageW(bar, PBM_SETMARQUEE, marquee, 30);
      if (!marquee) ::SendMessageW(bar, PBM_SETPOS, percent, 0);
      return 0;
    }
    case WM_CLOSE:
      // Closing the loading window ends the program.
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kva::win32
