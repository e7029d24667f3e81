#include "app/win32/MainWindow.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "app/ContextMenu.h"
#include "app/DescriptionTip.h"
#include "app/MainWindowModel.h"
#include "app/ProgramVersion.h"
#include "app/ToolLinks.h"
#include "app/win32/AcceleratorTable.h"
#include "app/win32/ContextMenuPopup.h"
#include "app/win32/DescriptionTipWindow.h"
#include "app/win32/RestoreHiddenWindow.h"
#include "app/win32/SelectionWindow.h"
#include "app/win32/ToolListView.h"
#include "app/win32/WindowChrome.h"
#include "catalog/ToolListModel.h"
#include "platform/Interaction.h"
#include "ui/AboutWindow.h"
#include "ui/MessageBoxWindow.h"
#include "ui/Painting.h"
#include "ui/ReportExplorerWindow.h"

namespace kva::win32 {
namespace {

constexpr int kListId = 110;
constexpr int kGripSize = 16;
constexpr int kGap = 4;
constexpr int kEdge = ui::kFrameWidth + 2;  // how close to the border a drag resizes

bool IsMainCommand(int id) {
  return id >= static_cast<int>(MainCommand::UpdateSelected) &&
         id <= static_cast<int>(MainCommand::ShowContextMenu);
}

ListMetrics MetricsFor(bool collapsibleGroups) {
  ListMetrics metrics;
  // Windows before 6.0 had narrower tiles (and no collapsible groups).
  if (!collapsibleGroups) metrics.tileWidth = 220;
  return metrics;
}

}  // namespace

// While a long command runs, the finder, the side panel and the list are
// disabled, except "Online help"; afterwards each gets its state and the
// focus comes back.
class MainWindow::Lock {
 public:
  explicit Lock(MainWindow& window) : focus_(::GetFocus()) {
    std::vector<HWND> controls{window.header_.Finder().Handle(), window.list_->Handle()};
    for (ui::Control* control : window.header_.Buttons()) controls.push_back(control->Handle());
    for (ui::Control* control : window.panel_.Controls()) {
      if (control->Id() != static_cast<int>(MainCommand::OnlineHelp)) {
        controls.push_back(control->Handle());
      }
    }
    for (HWND control : controls) {
      saved_.emplace_back(control, ::IsWindowEnabled(control) != FALSE);
      ::EnableWindow(control, FALSE);
    }
  }
  ~Lock() {
    for (const auto& [control, enabled] : saved_) ::EnableWindow(control, enabled);
    if (focus_ && ::IsWindow(focus_)) ::SetFocus(focus_);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  HWND focus_;
  std::vector<std::pair<HWND, bool>> saved_;
};

MainWindow::MainWindow(ui::Toolkit& kit, std::u16string_view title, Explorer& explorer,
                       Environment& environment)
    : Window(kit, {.className = L"KELVARAWND",
                   .title = std::u16string(title),
                   .width = kMainWidth,
                   .height = kMainHeight,
                   .font = ui::Points(9),
                   // Resizable, with minimize and maximize, but no system caption:
                   // the frame is taken away in WM_NCCALCSIZE.
                   .style = WS_POPUP | WS_CLIPCHILDREN | WS_THICKFRAME | WS_MINIMIZEBOX |
                            WS_MAXIMIZEBOX | WS_SYSMENU,
                   .classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW}),
      explorer_(explorer),
      environment_(environment) {}

MainWindow::~MainWindow() = default;

void MainWindow::Build() {
  header_.Build(*this, [this] { OnFinderEnter(); });
  panel_.Build(*this);
  auto& list = Adopt(std::make_unique<ToolListView>(*this));
  list.Create(kListId, {}, {[this](std::size_t i, bool ticked) { OnTickClicked(i, ticked); },
                            [this] { OnHighlightChanged(); },
                            [this](std::size_t) { Dispatch(MainCommand::RunHighlighted); },
                            [this](POINT) {
                              menuFromButton_ = false;
                              Dispatch(MainCommand::ShowContextMenu);
                            }});
  list.SetBackdrop(ui::MixColorRef(Colors().background, Colors().text, 0.04f));
  list.Enable(false);
  list_ = &list;
  auto& grip = Adopt(std::make_unique<ResizeGrip>(*this));
  grip.Create({});
  tips_.Add(grip.Handle(), u"Click and drag to resize this window");
  grip_ = &grip;
  fieldBrush_.Reset(::CreateSolidBrush(ui::MixColorRef(Colors().background, Colors().text, 0.07f)));
  // The frame goes now that the window has its style.
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Layout();
}

void MainWindow::Layout() {
  RECT client;
  ::GetClientRect(Handle(), &client);
  header_.Place(client.right);
  // The list gets all the width the panel leaves: at 770 pixels that is
  // just two columns of tiles.
  const int panelLeft = client.right - ui::kFrameWidth - 2 - kSidePanelWidth;
  const int bottom = client.bottom - ui::kFrameWidth;
  panel_.Place({panelLeft, kBodyTop, panelLeft + kSidePanelWidth, bottom - kGripSize});
  list_->Move({ui::kFrameWidth + 1, kBodyTop, panelLeft - kGap, bottom - 1});
  grip_->Move({client.right - ui::kFrameWidth - kGripSize, bottom - kGripSize,
               client.right - ui::kFrameWidth, bottom});
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void MainWindow::Attach(MainWindowParts& parts) {
  parts_ = &parts;
  header_.SetIdentity(parts.identity.appName, parts.identity.appDescription);
  tip_ = std::make_unique<DescriptionTipWindow>(kit_, Handle(), parts.balloonTips);
  accelerators_ = std::make_unique<AcceleratorTable>(parts.model.Accelerators());
  list_->Attach(parts.list, MetricsFor(parts.collapsibleGroups));
  list_->Enable(true);
  header_.EnableButtons(true);
  panel_.Enable(parts.anyHidden);
  RefreshCounter();
  ::ShowWindow(Handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(Handle());
  ::SetFocus(list_->Handle());
}

CommandContext MainWindow::Context() { return {list_->Highlighted(), header_.Finder().Text()}; }

void MainWindow::Dispatch(MainCommand command) {
  if (tip_) tip_->Hide();
  if (!parts_) return;
  if (!MainWindowModel::LocksWindow(command)) {
    Apply(parts_->model.Execute(command, Context()));
    return;
  }
  // What the command and its window change is shown once the lock has put
  // the controls back as they were.
  CommandOutcome outcome;
  Changes changes;
  {
    Lock lock(*this);
    outcome = parts_->model.Execute(command, Context());
    changes = RunWindow(std::exchange(outcome.open, OpenWindow::None));
    if (const auto request = std::exchange(outcome.operation, std::nullopt);
        request && parts_->runOperation) {
      parts_->runOperation(*request);
      changes.relayout = true;  // the "Updated: " lines
    }
  }
  Apply(outcome);
  Show(changes);
}

void MainWindow::Apply(const CommandOutcome& outcome) {
  if (outcome.listChanged) {
    list_->Reload();
  } else if (outcome.groupsChanged) {
    list_->Relayout();
  }
  if (outcome.ticksChanged || outcome.listChanged) {
    list_->Invalidate();
    RefreshCounter();
  }
  if (outcome.selection) list_->Select(*outcome.selection);
  if (outcome.reveal) {
    list_->Reveal(*outcome.reveal);
    ::SetFocus(list_->Handle());
  }
  if (outcome.enableRestoreHidden) panel_.EnableRestoreHidden(true);
  Open(outcome.open);
  if (outcome.toolLink) ShowToolLink(*outcome.toolLink);
  if (outcome.tip) ShowTip(*outcome.tip);
  if (outcome.focusFinder) header_.Finder().Focus();
  if (outcome.restart && parts_->restart) parts_->restart();
}

void MainWindow::Open(OpenWindow window) {
  switch (window) {
    case OpenWindow::ContextMenu: ShowContextMenu(); return;
    case OpenWindow::About: OpenAbout(); return;
    case OpenWindow::ReportExplorer:
      ui::ShowReportExplorerWindow(kit_, Handle(), parts_->files, explorer_, parts_->reportStoreFolder);
      return;
    default: Show(RunWindow(window)); return;
  }
}

MainWindow::Changes MainWindow::RunWindow(OpenWindow window) {
  switch (window) {
    case OpenWindow::Selection:
      RunSelectionWindow(kit_, Handle(), *parts_);
      return {.relayout = true, .restoreHidden = std::nullopt};
    case OpenWindow::RestoreHidden:
      return {.reload = true, .restoreHidden = RunRestoreHiddenWindow(kit_, Handle(), parts_->state)};
    default:
      return {};
  }
}

void MainWindow::Show(const Changes& changes) {
  if (changes.reload) {
    list_->Reload();
  } else if (changes.relayout) {
    list_->Relayout();
  }
  if (changes.reload || changes.relayout) RefreshCounter();
  if (changes.restoreHidden) panel_.EnableRestoreHidden(*changes.restoreHidden);
}

// A tool with nothing to show (never downloaded, no web address) leaves
// the command without a word, as the list's other quiet commands do.
void MainWindow::ShowToolLink(const ToolLinkRequest& request) {
  if (request.entry >= parts_->list.EntryCount()) return;
  const ToolLinkPorts ports{parts_->registry, parts_->files, environment_, explorer_};
  OpenToolLink(ports, parts_->list.Entry(request.entry), request.link);
}

void MainWindow::RefreshCounter() { panel_.ApplyCounter(parts_->model.RefreshCounter()); }

void MainWindow::OnFinderEnter() {
  if (tip_) tip_->Hide();
  if (parts_) Apply(parts_->model.FinderEnter(header_.Finder().Text()));
}

void MainWindow::OnTickClicked(std::size_t index, bool ticked) {
  if (tip_) tip_->Hide();
  if (parts_) Apply(parts_->model.TickChanged(index, ticked));
}

// The description of the newly highlighted entry, beside its icon.
void MainWindow::OnHighlightChanged() {
  if (!tip_) return;
  tip_->Hide();
  const auto highlighted = list_->Highlighted();
  const auto icon = highlighted ? list_->IconRect(*highlighted) : std::nullopt;
  if (!icon) return;
  POINT at{icon->left - kTipOffset, icon->top - kTipOffset};
  ::ClientToScreen(list_->Handle(), &at);
  tip_->Show(parts_->model.DescriptionTipFor(*highlighted), at);
}

void MainWindow::ShowContextMenu() {
  POINT at;
  if (std::exchange(menuFromButton_, false)) {
    const RECT button = header_.MenuButtonRect();
    at = {button.left + kMenuButtonOffsetX, button.top + kMenuButtonOffsetY};
  } else {
    ::GetCursorPos(&at);
  }
  const ContextMenuPopup menu(kit_, parts_->model.ContextMenu(list_->Highlighted()));
  const auto picked = menu.Track(Handle(), at);
  menuClosedAt_ = ::GetTickCount64();
  if (picked) Dispatch(*picked);
}

void MainWindow::ShowTip(const Tip& tip) {
  RECT under;
  if (tip.place == TipPlace::Finder) {
    ::GetWindowRect(header_.Finder().Handle(), &under);
  } else {
    under = panel_.BrowseLinkRect();
  }
  ui::ShowMessageBox(kit_, Handle(), tip.text, ui::MessageBoxKind::kTip, {},
                     POINT{under.left, under.bottom + 2});
}

void MainWindow::NotAvailable() {
  parts_->interaction.ShowMessage(main_text::kNotAvailable, msg::kNotice);
}

void MainWindow::OpenAbout() {
  ui::AboutContent content{reinterpret_cast<HICON>(::GetClassLongPtrW(Handle(), GCLP_HICON)),
                           parts_->identity.appName, std::u16string(kProgramVersion),
                           parts_->catalogueVersion};
  if (!content.icon) content.icon = ::LoadIconW(nullptr, IDI_APPLICATION);
  // The maker's pages and the updater come with later versions.
  const bool update = ui::ShowAboutWindow(kit_, Handle(), content, [this](ui::AboutLink) {
    NotAvailable();
  });
  if (update) NotAvailable();
}

void MainWindow::OnControlClicked(int id) {
  switch (id) {
    case kMinimizeId:
      ::ShowWindow(Handle(), SW_MINIMIZE);
      return;
    case kMaximizeId:
      ::ShowWindow(Handle(), ::IsZoomed(Handle()) ? SW_RESTORE : SW_MAXIMIZE);
      return;
    case kCloseId:
      ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
      return;
  }
  if (id == static_cast<int>(MainCommand::ShowContextMenu)) {
    // A second click on the button closes the menu rather than opening it again.
    if (::GetTickCount64() - menuClosedAt_ < kMenuReopenGuardMilliseconds) return;
    menuFromButton_ = true;
  }
  if (IsMainCommand(id)) Dispatch(static_cast<MainCommand>(id));
}

bool MainWindow::PreTranslate(MSG& message) {
  if (!accelerators_ || !::IsWindowEnabled(Handle())) return false;
  if (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd)) return false;
  if (accelerators_->Translate(Handle(), header_.Finder().Handle(), message)) return true;
  if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
  const bool back = ::GetKeyState(VK_SHIFT) < 0;
  if (HWND next = ::GetNextDlgTabItem(Handle(), ::GetFocus(), back)) ::SetFocus(next);
  return true;
}

LRESULT MainWindow::HitTest(LPARAM screenPoint) const {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  ::ScreenToClient(Handle(), &at);
  RECT client;
  ::GetClientRect(Handle(), &client);
  if (!::IsZoomed(Handle())) {
    const bool left = at.x < kEdge, right = at.x >= client.right - kEdge;
    const bool top = at.y < kEdge, bottom = at.y >= client.bottom - kEdge;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  // The header band stands in for the caption.
  return at.y < kHeaderHeight ? HTCAPTION : HTCLIENT;
}

void MainWindow::LimitSize(MINMAXINFO& info) const {
  info.ptMinTrackSize = {kMainWidth, kMainHeight};
  // Maximized, the window fills its monitor's work area, not the screen.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (::GetMonitorInfoW(::MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST), &monitor)) {
    info.ptMaxPosition = {monitor.rcWork.left - monitor.rcMonitor.left,
                          monitor.rcWork.top - monitor.rcMonitor.top};
    info.ptMaxSize = {monitor.rcWork.right - monitor.rcWork.left,
                      monitor.rcWork.bottom - monitor.rcWork.top};
  }
}

std::optional<LRESULT> MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE:
      // The whole window is client area: the program draws its own frame.
      if (wParam) return 0;
      return std::nullopt;
    case WM_NCHITTEST:
      return HitTest(lParam);
    case WM_GETMINMAXINFO:
      LimitSize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SIZE:
      if (list_) Layout();
      header_.RedrawCaption();
      return 0;
    case WM_MOVE:
    case WM_ACTIVATEAPP:
      if (tip_) tip_->Hide();
      return std::nullopt;
    case WM_COMMAND:
      // Shortcuts and menu entries come without a control.
      if (lParam == 0 && IsMainCommand(LOWORD(wParam))) {
        Dispatch(static_cast<MainCommand>(LOWORD(wParam)));
        return 0;
      }
      return std::nullopt;
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) != header_.Finder().Handle()) return std::nullopt;
      return ColourFinder(reinterpret_cast<HDC>(wParam));
    case WM_MOUSEWHEEL:
      if (list_) ::SendMessageW(list_->Handle(), message, wParam, lParam);
      return 0;
    case WM_CLOSE:
      // The event loop ends and the application shuts down.
      ::PostQuitMessage(0);
      return 0;
  }
  return std::nullopt;
}

LRESULT MainWindow::ColourFinder(HDC dc) const {
  ::SetTextColor(dc, header_.Finder().TextColour(Colors().text));
  ::SetBkColor(dc, ui::MixColorRef(Colors().background, Colors().text, 0.07f));
  return reinterpret_cast<LRESULT>(fieldBrush_.Get());
}

void MainWindow::PaintContent(HDC dc, const RECT& client) {
  header_.Paint(dc, kit_, Colors(), client);
}

}  // namespace kva::win32
