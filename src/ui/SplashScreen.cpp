#include "ui/SplashScreen.h"

#include <memory>

#include "ResourceIds.h"
#include "ui/Images.h"
#include "ui/Painting.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_STARTUP_SPLASH";
constexpr int kWidth = 500, kHeight = 250;
constexpr int kLogoSize = 64;
constexpr POINT kLogoAt{30, 30};
constexpr RECT kNameRect{120, 45, kWidth - 20, 94};
constexpr RECT kDescriptionRect{30, 150, kWidth - 30, kHeight - 20};

class SplashWindow final : public Window {
 public:
  SplashWindow(Toolkit& kit, SplashContent content)
      : Window(kit, {.className = kClass,
                     .title = content.appName,
                     .width = kWidth,
                     .height = kHeight,
                     .extraExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST}),
        content_(std::move(content)),
        logo_(LoadPng(content_.logoPng)) {}

 private:
  void Build() override {
    AddLabel(kNameRect, content_.appName, Points(22, FW_BOLD),
             DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    AddLabel(kDescriptionRect, content_.appDescription, Points(12), DT_LEFT | DT_WORDBREAK);
  }

  void PaintContent(HDC dc, const RECT&) override {
    Gdiplus::Graphics g(dc);
    Gdiplus::Bitmap* logo = logo_ ? logo_.get() : kit_.Image(KVA_IMG_LOGO);
    DrawImage(g, logo, kLogoAt.x, kLogoAt.y, kLogoSize, kLogoSize);
  }

  SplashContent content_;
  std::unique_ptr<Gdiplus::Bitmap> logo_;
};

}  // namespace

void SplashScreen::Open(SplashContent content) {
  if (thread_.joinable()) return;
  std::promise<DWORD> shown;
  auto started = shown.get_future();
  thread_ = std::thread(
      [this, &shown, content = std::move(content)]() mutable { Run(std::move(content), shown); });
  threadId_ = started.get();
}

void SplashScreen::Run(SplashContent content, std::promise<DWORD>& shown) {
  // A toolkit of its own: fonts and images are not shared between threads.
  Toolkit kit(instance_, content.theme);
  SplashWindow window(kit, std::move(content));
  MSG message;
  // The queue must exist before Open returns, so that Close can post to it.
  ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
  const bool created = window.Create();
  if (created) window.Show();
  shown.set_value(::GetCurrentThreadId());  // `shown` is gone after this
  if (!created) return;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void SplashScreen::Close() {
  if (!thread_.joinable()) return;
  ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
}

}  // namespace kva::ui
