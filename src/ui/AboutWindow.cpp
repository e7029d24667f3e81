#include "ui/AboutWindow.h"

#include "platform/Text.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/Window.h"

namespace kva::ui {
namespace {

constexpr wchar_t kClass[] = L"KVA_MSG_WND";
constexpr int kWidth = 600, kHeight = 530;
constexpr int kIconSize = 32;
constexpr POINT kIconAt{40, 76};
constexpr int kTextLeft = 90;

enum Command { kClose = 1, kCheckForUpdates, kReportBug, kHelp };

class AboutWindow final : public Window {
 public:
  AboutWindow(Toolkit& kit, HWND parent, const AboutContent& content,
              const std::function<void(AboutLink)>& openPage)
      : Window(kit, {.className = kClass,
                     .title = u"About this app",
                     .width = kWidth,
                     .height = kHeight,
                     .parent = parent,
                     .drawTitle = true,
                     .font = Points(11)}),
        content_(content),
        openPage_(openPage) {}

 private:
  void Build() override {
    const int right = kWidth - 40;
    AddLabel({kTextLeft, 72, right, 100},
             content_.appName + u" version: " + content_.version + u".", Points(12, FW_BOLD),
             DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    AddLabel({kTextLeft, 104, right, 128},
             u"Current definitions number: " + ToDecimal(content_.catalogueVersion) + u".",
             Points(11), DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    AddLink(kCheckForUpdates, {kTextLeft, 190, right, 216},
            u"<a>Check for application and database updates now</a>", {});
    AddLink(kReportBug, {kTextLeft, 230, right, 256}, u"<a>Report a bug or request a tool</a>", {});
    AddLink(kHelp, {kTextLeft, 270, right, 296}, u"<a>View the online help pages (F1)</a>", {});
    auto& close = AddButton(kClose, {200, 446, 400, 488}, u"Close", image::kDecline,
                            u"Click to close this dialog");
    AddKey(VK_ESCAPE, kClose);
    AddKey(VK_F1, kHelp);
    SetFocusTo(close);
  }

  void PaintContent(HDC dc, const RECT&) override {
    if (content_.icon) {
      ::DrawIconEx(dc, kIconAt.x, kIconAt.y, content_.icon, kIconSize, kIconSize, 0, nullptr,
                   DI_NORMAL);
    }
  }

  bool OnCommand(int command) override {
    if (command == kReportBug || command == kHelp) {
      if (openPage_) openPage_(command == kHelp ? AboutLink::kHelp : AboutLink::kReportBug);
      return false;
    }
    return true;
  }

  const AboutContent& content_;
  const std::function<void(AboutLink)>& openPage_;
};

}  // namespace

bool ShowAboutWindow(Toolkit& kit, HWND parent, const AboutContent& content,
                     const std::function<void(AboutLink)>& openPage) {
  AboutWindow window(kit, parent, content, openPage);
  return window.RunModal() == kCheckForUpdates;
}

}  // namespace kva::ui
