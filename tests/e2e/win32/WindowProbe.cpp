// kva_window_probe: lets the end-to-end scripts see and answer the windows
// of a running Kelvara.exe. It waits for a visible top-level window of a
// class, prints the text of each of its controls (UTF-8, one per line) and
// then, if asked, clicks the control with a given text or closes the window.
// A close alone is sent the moment the window shows, as an impatient user
// would, without waiting for the window to finish drawing.
//
//   kva_window_probe <class> [--click <text> | --close] [--timeout <seconds>]
//
// Exit code 0 when the window was found (and the action sent), 1 when it did
// not appear in time, 2 for a bad command line or a missing control.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowText.h"

namespace {

struct Options {
  std::wstring className;
  std::u16string click;
  bool close = false;
  DWORD timeoutMs = 30000;
};

bool Parse(int argc, wchar_t** argv, Options& options) {
  if (argc < 2) return false;
  options.className = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--close") {
      options.close = true;
    } else if (arg == L"--click" && i + 1 < argc) {
      options.click = kva::win32::FromWide(argv[++i]);
    } else if (arg == L"--timeout" && i + 1 < argc) {
      options.timeoutMs = static_cast<DWORD>(_wtoi(argv[++i])) * 1000;
    } else {
      return false;
    }
  }
  return true;
}

std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  ::EnumChildWindows(
      window,
      [](HWND child, LPARAM lParam) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND WaitForWindow(const Options& options) {
  const ULONGLONG end = ::GetTickCount64() + options.timeoutMs;
  do {
    HWND window = ::FindWindowW(options.className.c_str(), nullptr);
    if (window && ::IsWindowVisible(window)) return window;
    ::Sleep(10);
  } while (::GetTickCount64() < end);
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: kva_window_probe <class> [--click <text> | --close] "
                         "[--timeout <seconds>]\n");
    return 2;
  }
  // Tells a script that starts the program after the probe when to start it.
  std::printf("waiting\n");
  std::fflush(stdout);
  HWND window = WaitForWindow(options);
  if (!window) return 1;
  if (options.close && options.click.empty()) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  // Give the window a moment to finish drawing its controls.
  ::Sleep(300);
  HWND target = nullptr;
  for (HWND child : Children(window)) {
    const std::u16string text = kva::win32::WindowText(child);
    if (!text.empty()) std::printf("%s\n", kva::Utf16ToUtf8(text).c_str());
    if (!options.click.empty() && text == options.click) target = child;
  }
  std::fflush(stdout);
  if (options.close) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (options.click.empty()) return 0;
  if (!target) return 2;
  ::PostMessageW(target, BM_CLICK, 0, 0);
  return 0;
}
