#include "ui/ThemeSelectWindow.h"

#include <functional>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kClass[] = L"KVA_THEME_SELECT_WND";

using ThemeSelectWindowTest = GuiTest;

TEST_F(ThemeSelectWindowTest, ReturnsTheChoiceOrNothingWhenClosed) {
  struct Case {
    const char* name;
    std::function<void(HWND)> step;
    std::optional<ThemeId> want;
  };
  const Case cases[] = {
      {"light", [](HWND w) { ClickOn(w, u" Light background, dark text"); }, ThemeId::Light},
      {"dark", [](HWND w) { ClickOn(w, u" Dark background, light text"); }, ThemeId::Dark},
      {"closed", [](HWND w) { ::PostMessageW(w, WM_CLOSE, 0, 0); }, std::nullopt},
      {"Escape", [](HWND w) { PressKey(w, VK_ESCAPE); }, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowDriver driver(kClass, c.step);
    EXPECT_EQ(ShowThemeSelectWindow(kit_, nullptr), c.want);
    EXPECT_TRUE(driver.Ran());
  }
}

TEST_F(ThemeSelectWindowTest, ShowsItsTextsAtItsSize) {
  WindowDriver driver(kClass, [&](HWND window) {
    EXPECT_EQ(Utf16ToUtf8(TextOf(window)), "Kelvara Theme Selection");
    RECT r;
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_NE(FindChild(window,
                        u"Please select below the desired UI theme to display in your "
                        u"application."),
              nullptr);
    EXPECT_NE(FindChild(window,
                        u"You can change the selected theme anytime from Settings. This "
                        u"message will not be displayed again"),
              nullptr);
    // Before any theme: a black frame; each choice shows its theme's face.
    const WindowPicture picture(window);
    EXPECT_TRUE(HasColourAt(picture, {1, 1}, 0x000000));
    for (const auto& choice : {theme_chooser::kLight, theme_chooser::kDark}) {
      SCOPED_TRACE(Utf16ToUtf8(choice.text));
      HWND button = FindChild(window, choice.text);
      EXPECT_NE(button, nullptr);
      EXPECT_TRUE(HasColourAt(picture, PointIn(window, button, {8, 23}), choice.backgroundColour));
    }
    EXPECT_TRUE(picture.Save(L"theme_select"));
    PressKey(window, VK_ESCAPE);
  });
  ShowThemeSelectWindow(kit_, nullptr);
  EXPECT_TRUE(driver.Ran());
}

}  // namespace
}  // namespace kva::ui::test
