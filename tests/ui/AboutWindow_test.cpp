#include "ui/AboutWindow.h"

#include <functional>
#include <vector>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kClass[] = L"KVA_MSG_WND";

class AboutWindowTest : public GuiTest {
 protected:
  AboutContent content_{::LoadIconW(nullptr, IDI_APPLICATION), u"Kelvara", u"9.0.8.0", 509};
  std::vector<AboutLink> opened_;
  std::function<void(AboutLink)> open_ = [this](AboutLink link) { opened_.push_back(link); };
};

TEST_F(AboutWindowTest, LinksOpenPagesOrAskForTheUpdater) {
  struct Case {
    const char* name;
    std::function<void(HWND)> step;
    bool wantUpdater;
    std::vector<AboutLink> wantOpened;
  };
  const Case cases[] = {
      {"Close", [](HWND w) { ClickOn(w, u"Close"); }, false, {}},
      {"Escape", [](HWND w) { PressKey(w, VK_ESCAPE); }, false, {}},
      {"updates close the window",
       [](HWND w) { ClickOn(w, u"<a>Check for application and database updates now</a>"); },
       true,
       {}},
      {"bug report and help stay open",
       [](HWND w) {
         ClickOn(w, u"<a>Report a bug or request a tool</a>");
         PressKey(w, VK_F1);
         ClickOn(w, u"Close");
       },
       false,
       {AboutLink::kReportBug, AboutLink::kHelp}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    opened_.clear();
    WindowDriver driver(kClass, c.step);
    EXPECT_EQ(ShowAboutWindow(kit_, nullptr, content_, open_), c.wantUpdater);
    EXPECT_EQ(opened_, c.wantOpened);
  }
}

TEST_F(AboutWindowTest, ShowsVersionsAndTips) {
  WindowDriver driver(kClass, [&](HWND window) {
    EXPECT_EQ(Utf16ToUtf8(TextOf(window)), "About this app");
    EXPECT_NE(FindChild(window, u"Kelvara version: 9.0.8.0."), nullptr);
    EXPECT_NE(FindChild(window, u"Current definitions number: 509."), nullptr);
    EXPECT_EQ(Utf16ToUtf8(TipOf(window, FindChild(window, u"Close"))),
              "Click to close this dialog");
    EXPECT_TRUE(SaveScreenshot(window, L"about"));
    PressKey(window, VK_ESCAPE);
  });
  ShowAboutWindow(kit_, nullptr, content_, open_);
  EXPECT_TRUE(driver.Ran());
}

}  // namespace
}  // namespace kva::ui::test
