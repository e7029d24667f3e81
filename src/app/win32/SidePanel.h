#pragma once
// The column right of the tool list: the seven operation buttons, the
// settings, about and help links, the tick counter with its "Clear" link
// and "Browse ticked tools". Every control's id is its MainCommand.

#include <windows.h>

#include <array>
#include <vector>

#include "app/MainCommand.h"
#include "app/TickCounter.h"

namespace kva::ui {
class Button;
class Control;
class LinkLabel;
}  // namespace kva::ui

namespace kva::win32 {

class MainWindow;

inline constexpr int kSidePanelWidth = 171;

class SidePanel {
 public:
  // Everything starts disabled: nothing works before the list has loaded.
  void Build(MainWindow& window);
  void Place(const RECT& area);
  // The list has loaded.
  void Enable(bool anyHidden);
  void ApplyCounter(const CounterRefresh& refresh);
  void EnableRestoreHidden(bool enabled);

  [[nodiscard]] ui::Control* Find(MainCommand command) const;
  [[nodiscard]] std::vector<ui::Control*> Controls() const;
  [[nodiscard]] RECT BrowseLinkRect() const;  // screen coordinates

 private:
  std::array<ui::Button*, 7> buttons_{};
  std::array<ui::LinkLabel*, 3> links_{};
  ui::LinkLabel* counter_ = nullptr;
  ui::LinkLabel* browse_ = nullptr;
};

}  // namespace kva::win32
