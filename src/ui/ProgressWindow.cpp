#include "ui/ProgressWindow.h"

#include <commctrl.h>

#include <utility>

#include "platform/win32/WideText.h"
#include "ui/BusyImage.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/Label.h"
#include "ui/Painting.h"

namespace kva::ui {

struct HeaderLook {
  HFONT font;
  ThemeColours colours;
};

namespace {

constexpr wchar_t kClass[] = L"_WND_PROGRESS_DLG_";
constexpr SIZE kSmallSize{450, 90};
constexpr SIZE kLargeSize{730, 400};
constexpr int kFirstButtonId = 1;
constexpr std::u16string_view kPreparing = u"Preparing...";

struct Layout {
  RECT image;
  RECT status;
};
constexpr Layout kSmallLayout{{10, 10, 80, 80}, {90, 10, 436, 80}};
constexpr Layout kLargeLayout{{12, 270, 82, 340}, {92, 270, 722, 340}};  // status 630 wide
constexpr RECT kLogRect{12, 12, 718, 262};
constexpr int kButtonWidth = 200, kButtonHeight = 36, kButtonTop = 350, kButtonGap = 12;

RECT ButtonRect(int index) {
  // Right-aligned, button 0 left of button 1.
  const int right = kLargeSize.cx - 12 - (1 - index) * (kButtonWidth + kButtonGap);
  return {right - kButtonWidth, kButtonTop, right, kButtonTop + kButtonHeight};
}

struct Column {
  const wchar_t* title;
  int width;
};
constexpr Column kColumns[] = {{L" Date & time", 160}, {L" Operation result", 530}};

void AddColumns(HWND list) {
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(kColumns[i].title);
    column.cx = kColumns[i].width;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

// The log's header is painted here: in the theme's colours, and with the
// "&" of its title shown as it is.
void PaintHeader(HWND header, HDC dc, const HeaderLook& look) {
  RECT client;
  ::GetClientRect(header, &client);
  const std::uint32_t face = MixColorRef(look.colours.background, look.colours.text, 0.08f);
  const std::uint32_t line = MixColorRef(look.colours.background, look.colours.text, 0.3f);
  FillColorRef(dc, client, face);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    RECT item{};
    ::SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    FillColorRef(dc, {item.right - 1, item.top, item.right, item.bottom}, line);
    item.left += 4;
    DrawTextIn(dc, win32::FromWide(kColumns[i].title), item, look.font, look.colours.text,
               DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  }
}

LRESULT CALLBACK HeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  const auto* look = reinterpret_cast<const HeaderLook*>(data);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintBuffer buffer(header, nullptr);
      PaintHeader(header, buffer.Dc(), *look);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintHeader(header, reinterpret_cast<HDC>(wParam), *look);
      return 0;
  }
  return ::DefSubclassProc(header, message, wParam, lParam);
}

// Small enough for the time to fit its 160 pixels.
FontSpec LogFont() { return Points(8); }

LocalTime Now() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace

ProgressWindow::ProgressWindow(Toolkit& kit, HWND parent)
    : Window(kit, {.className = kClass,
                   .width = kLargeSize.cx,
                   .height = kLargeSize.cy,
                   .parent = parent}) {}

ProgressWindow::~ProgressWindow() {
  ReleaseOwner();
  Destroy();  // before the header's look goes
}

void ProgressWindow::Build() {
  log_ = ::CreateWindowExW(0, WC_LISTVIEWW, nullptr,
                           WS_CHILD | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
                           kLogRect.left, kLogRect.top, kLogRect.right - kLogRect.left,
                           kLogRect.bottom - kLogRect.top, Handle(), nullptr, kit_.Instance(),
                           nullptr);
  ::SendMessageW(log_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  ::SendMessageW(log_, WM_SETFONT, reinterpret_cast<WPARAM>(kit_.Font(LogFont())), FALSE);
  ::SendMessageW(log_, LVM_SETBKCOLOR, 0, Colors().background);
  ::SendMessageW(log_, LVM_SETTEXTBKCOLOR, 0, Colors().background);
  ::SendMessageW(log_, LVM_SETTEXTCOLOR, 0, Colors().text);
  AddColumns(log_);
  headerLook_ = std::make_unique<HeaderLook>(HeaderLook{kit_.Font(LogFont()), Colors()});
  HWND header = reinterpret_cast<HWND>(::SendMessageW(log_, LVM_GETHEADER, 0, 0));
  ::SetWindowSubclass(header, HeaderProc, 0, reinterpret_cast<DWORD_PTR>(headerLook_.get()));
  image_ = &Adopt(std::make_unique<BusyImage>(*this));
  image_->Create(kSmallLayout.image);
  status_ = &AddLabel(kSmallLayout.status, {}, Points(10),
                      DT_LEFT | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS);
}

void ProgressWindow::Arrange(Form form) {
  form_ = form;
  const bool large = form == Form::kLarge;
  const SIZE size = large ? kLargeSize : kSmallSize;
  const Layout& layout = large ? kLargeLayout : kSmallLayout;
  Resize(size.cx, size.cy);
  ::ShowWindow(log_, large ? SW_SHOWNA : SW_HIDE);
  image_->Move(layout.image);
  status_->Move(layout.status);
  for (Button* button : buttons_) {
    if (button) button->Show(large);
  }
}

void ProgressWindow::Show(Form form) {
  if (!Handle() && !Create()) return;
  const bool large = form == Form::kLarge;
  if (large && form_ == Form::kLarge && ::IsWindowVisible(Handle())) {
    SetStatus(kPreparing);
    return;
  }
  Arrange(form);
  if (large) SetStatus(kPreparing);
  HWND owner = Spec().parent;
  if (!disabledOwner_ && owner && ::IsWindowEnabled(owner)) {
    ::EnableWindow(owner, FALSE);
    disabledOwner_ = true;
  }
  if (activate_) {
    Window::Show();
  } else {
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(Handle());
  }
}

void ProgressWindow::ReleaseOwner() {
  if (disabledOwner_) ::EnableWindow(Spec().parent, TRUE);
  disabledOwner_ = false;
}

void ProgressWindow::Hide() {
  ReleaseOwner();
  if (Handle()) Window::Hide();
}

void ProgressWindow::Close() {
  ReleaseOwner();
  Destroy();
  log_ = nullptr;
  headerLook_.reset();
  image_ = nullptr;
  status_ = nullptr;
  buttons_ = {};
  pressed_ = {};
  lastLine_.clear();
  form_ = Form::kSmall;
}

void ProgressWindow::SetStatus(std::u16string_view text, int imageValue) {
  if (!Handle() && !Create()) return;
  status_->SetText(text);
  image_->SetValue(imageValue);
}

void ProgressWindow::AddLine(std::u16string_view text) {
  if (!Handle() && !Create()) return;
  std::wstring stamp = win32::Wide(LogTimestamp(Now()));
  std::wstring line = win32::Wide(text);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(::SendMessageW(log_, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = stamp.data();
  item.iItem =
      static_cast<int>(::SendMessageW(log_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (item.iItem < 0) return;
  item.iSubItem = 1;
  item.pszText = line.data();
  ::SendMessageW(log_, LVM_SETITEMTEXTW, item.iItem, reinterpret_cast<LPARAM>(&item));
  ::SendMessageW(log_, LVM_ENSUREVISIBLE, item.iItem, FALSE);
  lastLine_ = text;
}

Button* ProgressWindow::ButtonAt(int index) const {
  return index >= 0 && index < kButtonCount ? buttons_[index] : nullptr;
}

void ProgressWindow::AddButton(int index, std::u16string_view text) {
  if (index < 0 || index >= kButtonCount || (!Handle() && !Create())) return;
  if (buttons_[index]) {
    SetButtonText(index, text);
    return;
  }
  buttons_[index] =
      &Window::AddButton(kFirstButtonId + index, ButtonRect(index), text, image::kDecline, {});
  buttons_[index]->Show(form_ == Form::kLarge);
}

void ProgressWindow::SetButtonText(int index, std::u16string_view text) {
  if (Button* button = ButtonAt(index)) button->SetText(text);
}

void ProgressWindow::EnableButton(int index, bool enabled) {
  if (Button* button = ButtonAt(index)) button->Enable(enabled);
}

bool ProgressWindow::TakePress(int index) {
  return ButtonAt(index) && std::exchange(pressed_[index], false);
}

// Closing the dialog is a press of its last button ("Cancel all tools"):
// the caller decides, and the window stays until it is told to go.
std::optional<LRESULT> ProgressWindow::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message != WM_CLOSE) return std::nullopt;
  if (buttons_[kButtonCount - 1]) pressed_[kButtonCount - 1] = true;
  return 0;
}

void ProgressWindow::OnControlClicked(int id) {
  const int index = id - kFirstButtonId;
  if (index >= 0 && index < kButtonCount) pressed_[index] = true;
}

}  // namespace kva::ui
