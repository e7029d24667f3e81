#include "ui/SplashScreen.h"

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"

namespace kva::ui::test {
namespace {

TEST(SplashScreenTest, ShowsOnItsOwnThreadUntilClosed) {
  SplashScreen splash(::GetModuleHandleW(nullptr));
  splash.Open({u"Kelvara",
               u"The world's biggest collection of free technician tools.",
               {},
               ThemeOf(ThemeId::Dark)});
  HWND window = ::FindWindowW(L"KVA_STARTUP_SPLASH", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_NE(::GetWindowThreadProcessId(window, nullptr), ::GetCurrentThreadId());
  RECT r;
  ::GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 250);
  EXPECT_NE(FindChild(window, u"The world's biggest collection of free technician tools."),
            nullptr);
  // Paints on its own thread; this waits for it.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(SaveScreenshot(window, L"splash"));
  splash.Close();
  EXPECT_FALSE(splash.IsOpen());
  EXPECT_FALSE(::IsWindow(window));
}

TEST(SplashScreenTest, ShowsABrandingLogoThatIsNoImageAsNone) {
  SplashScreen splash(::GetModuleHandleW(nullptr));
  splash.Open({u"Kelvara",
               u"Description",
               {'n', 'o', 't', ' ', 'a', ' ', 'P', 'N', 'G'},
               ThemeOf(ThemeId::Light)});
  HWND window = ::FindWindowW(L"KVA_STARTUP_SPLASH", nullptr);
  ASSERT_NE(window, nullptr);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  splash.Close();
}

}  // namespace
}  // namespace kva::ui::test
