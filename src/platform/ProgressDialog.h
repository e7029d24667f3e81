#pragma once
// The progress dialog of operations and repair dialogs, as the program's
// logic drives it: a status line with an animated image, a two-column log
// (local time | text) and up to two buttons that the caller polls.

#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace kva {

namespace progress {
// Values for the animated image beside the status.
inline constexpr int kUnchanged = -1;  // keep what it shows
inline constexpr int kBusy = -80;      // the busy animation, no percentage
inline constexpr int kBusySlow = -70;  // the busy animation, slower
// 0 to 100: that percentage.
}  // namespace progress

class ProgressDialog {
 public:
  enum class Form {
    kSmall,  // the image and the status only
    kLarge,  // the log above, the image, the status and the buttons below
  };
  static constexpr int kButtonCount = 2;

  virtual ~ProgressDialog() = default;

  // The large form starts with the status "Preparing..."; asking for it
  // while it is shown only resets the status.
  virtual void Show(Form form) = 0;
  virtual void Hide() = 0;
  // Gone with its buttons and log; the next Show starts afresh.
  virtual void Close() = 0;

  virtual void SetStatus(std::u16string_view text, int imageValue = progress::kUnchanged) = 0;
  // A log line: the current local time in the first column, text (the
  // callers' action + " | " + result) in the second.
  virtual void AddLine(std::u16string_view text) = 0;
  // The text of the last line added; empty when there is none.
  [[nodiscard]] virtual std::u16string LastLine() const = 0;

  // Buttons 0 and 1; other indexes are ignored. Adding a button that
  // exists relabels it.
  virtual void AddButton(int index, std::u16string_view text) = 0;
  virtual void SetButtonText(int index, std::u16string_view text) = 0;
  virtual void EnableButton(int index, bool enabled) = 0;
  // Whether the button was pressed since the last call; reading clears it.
  virtual bool TakePress(int index) = 0;
};

// The log's time column: "YYYY/MM/DD HH:MM:SS:mmm".
std::u16string LogTimestamp(const LocalTime& time);

}  // namespace kva
