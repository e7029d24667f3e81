#include "ui/LoadingWindow.h"

#include <memory>
#include <string>

#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_DLG_WND";
constexpr int kWidth = 600, kHeight = 350;
constexpr UINT kSetStatus = WM_APP + 1;    // lParam: a std::u16string* the window takes over
constexpr UINT kSetProgress = WM_APP + 2;  // wParam: percent, or LoadingView::kMarquee
constexpr RECT kBarRect{40, 160, kWidth - 40, 178};
constexpr RECT kStatusRect{40, 192, kWidth - 40, 240};

}  // namespace

LoadingWindow::LoadingWindow(Toolkit& kit, HWND parent)
    : Window(kit, {.className = kClass,
                   .title = u"Load definitions and tools",
                   .width = kWidth,
                   .height = kHeight,
                   .parent = parent,
                   .drawTitle = true}) {}

LoadingWindow::~LoadingWindow() {
  HWND window = target_.exchange(nullptr);
  MSG message;
  while (window && ::PeekMessageW(&message, window, kSetStatus, kSetStatus, PM_REMOVE)) {
    std::unique_ptr<std::u16string> dropped(reinterpret_cast<std::u16string*>(message.lParam));
  }
}

void LoadingWindow::Build() {
  bar_ = &Adopt(std::make_unique<ProgressBar>(*this));
  bar_->Create(kBarRect);
  status_ = &AddLabel(kStatusRect, u"Loading definitions...", Points(11),
                      DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS);
  target_ = Handle();
}

void LoadingWindow::SetStatus(std::u16string_view text) {
  HWND window = target_;
  if (!window) return;
  auto copy = std::make_unique<std::u16string>(text);
  if (::PostMessageW(window, kSetStatus, 0, reinterpret_cast<LPARAM>(copy.get()))) {
    (void)copy.release();  // the window owns it now
  }
}

void LoadingWindow::SetProgress(int percent) {
  if (HWND window = target_) ::PostMessageW(window, kSetProgress, static_cast<WPARAM>(percent), 0);
}

std::optional<LRESULT> LoadingWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSetStatus) {
    std::unique_ptr<std::u16string> text(reinterpret_cast<std::u16string*>(lParam));
    status_->SetText(*text);
    return 0;
  }
  if (message == kSetProgress) {
    const int percent = static_cast<int>(wParam);
    if (percent == kMarquee) {
      bar_->SetMarquee();
    } else {
      bar_->SetPercent(percent);
    }
    return 0;
  }
  return std::nullopt;
}

}  // namespace kva::ui
