#pragma once
// A progress dialog that keeps what it was told; buttons are pressed by
// the test.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/ProgressDialog.h"

namespace kva {

class RecordingProgress final : public ProgressDialog {
 public:
  void Show(Form) override { shown = true; }
  void Hide() override { shown = false; }
  void Close() override { shown = false; }
  void SetStatus(std::u16string_view text, int imageValue) override {
    statuses.emplace_back(text);
    if (imageValue != progress::kUnchanged) image = imageValue;
    if (onStatus) onStatus(*this, text);
  }
  void AddLine(std::u16string_view text) override { lines.emplace_back(text); }
  [[nodiscard]] std::u16string LastLine() const override {
    return lines.empty() ? std::u16string() : lines.back();
  }
  void AddButton(int index, std::u16string_view text) override { SetButtonText(index, text); }
  void SetButtonText(int index, std::u16string_view text) override {
    if (index >= 0 && index < kButtonCount) buttons[index] = std::u16string(text);
  }
  void EnableButton(int, bool) override {}
  bool TakePress(int index) override {
    if (index < 0 || index >= kButtonCount || !pressed[index]) return false;
    pressed[index] = false;
    return true;
  }

  // Lets a test press a button when the dialog reaches a status.
  std::function<void(RecordingProgress&, std::u16string_view)> onStatus;
  bool shown = false;
  int image = progress::kUnchanged;
  std::vector<std::u16string> statuses, lines;
  std::array<std::u16string, kButtonCount> buttons;
  std::array<bool, kButtonCount> pressed{};
};

}  // namespace kva
