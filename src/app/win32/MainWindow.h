#pragma once
// The main window (class KELVARAWND): no system caption, the program's own
// caption buttons and resize grip, the header, the tool list and the side
// panel. It draws and routes: every button, link, menu entry, shortcut,
// tick and finder key goes to the MainWindowModel, and the window carries
// out the CommandOutcome (redraw, select, show a tip, open a window).

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/MainCommand.h"
#include "app/MainWindowModel.h"
#include "app/Shell.h"
#include "app/win32/MainHeader.h"
#include "app/win32/SidePanel.h"
#include "ui/Window.h"

namespace kva {
class Environment;
class Explorer;
}  // namespace kva

namespace kva::win32 {

class AcceleratorTable;
class DescriptionTipWindow;
class ToolListView;

inline constexpr int kMainWidth = 770;
inline constexpr int kMainHeight = 614;

class MainWindow final : public ui::Window {
 public:
  // The shell shows tools' locations and websites; environment expands
  // their paths. Both outlive the window.
  MainWindow(ui::Toolkit& kit, std::u16string_view title, Explorer& explorer,
             Environment& environment);
  ~MainWindow() override;

  // The list has loaded: show it and let the commands run.
  void Attach(MainWindowParts& parts);
  // As a click on the command's button, link or menu entry.
  void Dispatch(MainCommand command);
  // Shortcuts and Tab, before the message is dispatched.
  bool PreTranslate(MSG& message);

  [[nodiscard]] ToolListView& List() const { return *list_; }
  [[nodiscard]] const SidePanel& Panel() const { return panel_; }
  [[nodiscard]] MainHeader& Header() { return header_; }
  [[nodiscard]] const DescriptionTipWindow* DescriptionTip() const { return tip_.get(); }

  // The parts of the window build their controls through these.
  using Window::Adopt;
  using Window::AddButton;
  using Window::AddLink;

 private:
  class Lock;

  void Build() override;
  void PaintContent(HDC dc, const RECT& client) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnControlClicked(int id) override;
  LRESULT HitTest(LPARAM screenPoint) const;
  void LimitSize(MINMAXINFO& info) const;
  LRESULT ColourFinder(HDC dc) const;
  void Layout();

  // What a window opened by a command changed in the list.
  struct Changes {
    bool reload = false;    // entries came or went
    bool relayout = false;  // ticks or collapsed groups changed
    std::optional<bool> restoreHidden;
  };

  void Apply(const CommandOutcome& outcome);
  void Open(OpenWindow window);
  Changes RunWindow(OpenWindow window);
  void Show(const Changes& changes);
  void RefreshCounter();
  void OnFinderEnter();
  void OnTickClicked(std::size_t index, bool ticked);
  void OnHighlightChanged();
  void ShowContextMenu();
  void ShowTip(const Tip& tip);
  void OpenAbout();
  void ShowToolLink(const ToolLinkRequest& request);
  void NotAvailable();
  [[nodiscard]] CommandContext Context();

  MainHeader header_;
  SidePanel panel_;
  ToolListView* list_ = nullptr;
  ui::Control* grip_ = nullptr;
  MainWindowParts* parts_ = nullptr;
  Explorer& explorer_;
  Environment& environment_;
  std::unique_ptr<AcceleratorTable> accelerators_;
  std::unique_ptr<DescriptionTipWindow> tip_;
  UniqueGdiObject<HBRUSH> fieldBrush_;
  // The next menu opens at the menu button (else at the mouse).
  bool menuFromButton_ = false;
  ULONGLONG menuClosedAt_ = 0;
};

}  // namespace kva::win32
