#include "ui/SplashScreen.h"

#include <memory>
#include <vector>

#include "GuiFixture.h"
#include "ResourceIds.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"
#include "ui/Images.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kClass[] = L"KVA_STARTUP_SPLASH";
constexpr POINT kLogoMiddle{30 + 32, 30 + 32};  // the 64-pixel logo at 30, 30

SplashContent Content(std::vector<std::uint8_t> logoPng, ThemeId theme) {
  return {u"Kelvara", u"The world's biggest collection of free technician tools.",
          std::move(logoPng), ThemeOf(theme)};
}

TEST(SplashScreenTest, ShowsOnItsOwnThreadUntilClosed) {
  SplashScreen splash(::GetModuleHandleW(nullptr));
  splash.Open(Content({}, ThemeId::Dark));
  HWND window = ::FindWindowW(kClass, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_NE(::GetWindowThreadProcessId(window, nullptr), ::GetCurrentThreadId());
  RECT r;
  ::GetWindowRect(window, &r);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 250);
  EXPECT_NE(FindChild(window, u"Kelvara"), nullptr);
  EXPECT_NE(FindChild(window, u"The world's biggest collection of free technician tools."),
            nullptr);
  // Painted on its own thread; the picture waits for it.
  const WindowPicture picture(window);
  const ThemeColours dark = ThemeOf(ThemeId::Dark).colours;
  EXPECT_TRUE(HasColourAt(picture, {1, 1}, dark.frame));
  EXPECT_TRUE(HasColourAt(picture, {10, 120}, dark.background));
  EXPECT_TRUE(picture.Save(L"splash"));
  splash.Close();
  EXPECT_FALSE(splash.IsOpen());
  EXPECT_FALSE(::IsWindow(window));
}

// A branding logo that is no picture counts as none: the built-in logo shows.
TEST(SplashScreenTest, ShowsTheBuiltInLogoWithoutAUsableBrandingLogo) {
  const auto logo = LoadImageResource(::GetModuleHandleW(nullptr), KVA_IMG_LOGO);
  ASSERT_NE(logo, nullptr);
  Gdiplus::Color middle;
  ASSERT_EQ(logo->GetPixel(32, 32, &middle), Gdiplus::Ok);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> logoPng;
  };
  const Case cases[] = {{"none", {}}, {"not a PNG", {'n', 'o', 't', ' ', 'a', ' ', 'P', 'N', 'G'}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SplashScreen splash(::GetModuleHandleW(nullptr));
    splash.Open(Content(c.logoPng, ThemeId::Dark));
    HWND window = ::FindWindowW(kClass, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(HasColourAt(WindowPicture(window), kLogoMiddle, middle.ToCOLORREF()));
  }
}

}  // namespace
}  // namespace kva::ui::test
