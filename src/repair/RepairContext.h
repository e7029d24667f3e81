#pragma once
// What a built-in repair action sees of the program: the system's folders
// and version, the running operation's dialog and cancel poll, the clock
// and sounds, and what it reports back (result lines, a power action).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/WindowsVersion.h"
#include "operations/CommandServices.h"
#include "platform/Clock.h"
#include "platform/ProgressDialog.h"
#include "platform/Sound.h"

namespace kva {

// A restart or shut-down an action asks for; nothing carries it out yet.
namespace powerAction {
inline constexpr std::uint8_t kNone = 0;
inline constexpr std::uint8_t kShutDown = 1;
inline constexpr std::uint8_t kRestart = 2;
inline constexpr std::uint8_t kSafeMode = 3;
inline constexpr std::uint8_t kSafeModeWithNetworking = 4;
}  // namespace powerAction

struct RepairContext {
  RunControl& run;  // the runner's cancel poll, which also pumps messages
  Clock& clock;
  Sound& sound;
  ProgressDialog* progress = nullptr;  // absent outside an operation

  WindowsVersion windowsVersion;
  std::u16string windowsFolder;       // "C:\Windows"
  std::u16string system32Folder;      // "C:\Windows\System32"
  std::u16string systemDrive;         // "C:"
  std::u16string currentUserRoot;     // the current user's registry root, "HKCU" or "HKU\<SID>"
  std::u16string commandInterpreter;  // cmd.exe's full path

  std::uint8_t requestedPowerAction = powerAction::kNone;
  // The result lines reported since the running tool began, oldest first.
  std::vector<std::u16string> resultLines;
};

// The status line of the work under way ("...ing the ..."); the percentage
// stays as it is. Nothing without a dialog.
void SetRepairStatus(RepairContext& context, std::u16string_view text);

// Joins the pieces into one result line, keeps it for the tool's result and
// adds it to the dialog's log. False, and nothing kept, when the line is
// empty.
bool ReportRepairResult(RepairContext& context, std::u16string_view first,
                        std::u16string_view second = {}, std::u16string_view third = {},
                        std::u16string_view fourth = {});

// Waits that long on the context's clock, polling the cancel every few
// milliseconds (at least once, so 0 is a bare poll). False when a cancel
// ended the wait.
bool WaitUnlessCancelled(RepairContext& context, std::uint64_t milliseconds);

}  // namespace kva
