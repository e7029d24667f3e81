#pragma once
// The start-up splash (class KVA_STARTUP_SPLASH, 500 x 250, no caption):
// logo, application name and description, shown by a thread of its own
// until Close.

#include <windows.h>

#include <cstdint>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "settings/Theme.h"

namespace kva::ui {

struct SplashContent {
  std::u16string appName;
  std::u16string appDescription;
  std::vector<std::uint8_t> logoPng;  // the branding logo; empty: the built-in one
  Theme theme;
};

class SplashScreen {
 public:
  explicit SplashScreen(HINSTANCE instance) : instance_(instance) {}
  ~SplashScreen() { Close(); }
  SplashScreen(const SplashScreen&) = delete;
  SplashScreen& operator=(const SplashScreen&) = delete;

  // Returns once the window is on the screen (or could not be made).
  void Open(SplashContent content);
  void Close();
  [[nodiscard]] bool IsOpen() const { return thread_.joinable(); }

 private:
  void Run(SplashContent content, std::promise<DWORD>& shown);

  HINSTANCE instance_;
  std::thread thread_;
  DWORD threadId_ = 0;
};

}  // namespace kva::ui
