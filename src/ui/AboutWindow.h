#pragma once
// The About window (class KVA_MSG_WND): name, version, catalogue number,
// the update, feedback and help links, and "Close".

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "ui/Toolkit.h"

namespace kva::ui {

struct AboutContent {
  HICON icon = nullptr;  // the main window's, drawn 32 x 32
  std::u16string appName;
  std::u16string version;  // "9.0.8.0"
  std::uint32_t catalogueVersion = 0;
};

enum class AboutLink { kReportBug, kHelp };

// openPage opens the feedback or help page while the window stays (F1 is
// the help link). True when the update link closed the window: the caller
// then runs the updater.
bool ShowAboutWindow(Toolkit& kit, HWND parent, const AboutContent& content,
                     const std::function<void(AboutLink)>& openPage);

}  // namespace kva::ui
