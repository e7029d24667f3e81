#include "ui/MessageBoxWindow.h"

#include <functional>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kBoxClass[] = L"_WINDOW_MsgBoxClass";
constexpr wchar_t kTipClass[] = L"_WndMsgTipClass";

using MessageBoxTest = GuiTest;

TEST_F(MessageBoxTest, KindsHaveTheirButtonsAndReportThePressedOne) {
  struct Case {
    const char* name;
    MessageBoxKind kind;
    std::vector<std::u16string_view> buttons;
    std::function<void(HWND)> step;
    int want;
  };
  const Case cases[] = {
      {"OK", MessageBoxKind::kOk, {u"OK"}, [](HWND w) { ClickOn(w, u"OK"); }, 1},
      {"OK, Escape", MessageBoxKind::kOk, {u"OK"}, [](HWND w) { PressKey(w, VK_ESCAPE); }, 1},
      {"OK and Cancel, Cancel",
       MessageBoxKind::kOkCancel,
       {u"OK", u"Cancel"},
       [](HWND w) { ClickOn(w, u"Cancel"); },
       2},
      {"OK and Cancel, Enter on the default",
       MessageBoxKind::kOkCancel,
       {u"OK", u"Cancel"},
       [](HWND) { PressKey(::GetFocus(), VK_RETURN); },
       1},
      {"Yes and No, No",
       MessageBoxKind::kYesNo,
       {u"Yes", u"No"},
       [](HWND w) { ClickOn(w, u"No"); },
       2},
      {"Yes and No, closed",
       MessageBoxKind::kYesNo,
       {u"Yes", u"No"},
       [](HWND w) { ::PostMessageW(w, WM_CLOSE, 0, 0); },
       2},
      {"Yes, No and Cancel, No",
       MessageBoxKind::kYesNoCancel,
       {u"Yes", u"No", u"Cancel"},
       [](HWND w) { ClickOn(w, u"No"); },
       2},
      {"Yes, No and Cancel, Escape",
       MessageBoxKind::kYesNoCancel,
       {u"Yes", u"No", u"Cancel"},
       [](HWND w) { PressKey(w, VK_ESCAPE); },
       3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowDriver driver(kBoxClass, [&](HWND window) {
      for (auto text : c.buttons) {
        HWND button = FindChild(window, text);
        ASSERT_NE(button, nullptr) << Utf16ToUtf8(text);
        RECT r;
        ::GetWindowRect(button, &r);
        EXPECT_EQ(r.right - r.left, 80);
        EXPECT_EQ(r.bottom - r.top, 25);
      }
      EXPECT_EQ(::GetFocus(), FindChild(window, c.buttons.front()));
      c.step(window);
    });
    EXPECT_EQ(ShowMessageBox(kit_, nullptr, u"Save the changes?", c.kind), c.want);
    EXPECT_TRUE(driver.Ran());
  }
}

TEST_F(MessageBoxTest, NarrowWidthsBecomeTheDefault) {
  struct Case {
    const char* name;
    int askedWidth;
    int want;
  };
  const Case cases[] = {
      {"none", 0, 360}, {"below 160", 159, 360}, {"160", 160, 160}, {"wide", 500, 500}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowDriver driver(kBoxClass, [&](HWND window) {
      RECT r;
      ::GetWindowRect(window, &r);
      EXPECT_EQ(r.right - r.left, c.want);
      PressKey(window, VK_ESCAPE);
    });
    ShowMessageBox(kit_, nullptr, u"A note.", MessageBoxKind::kOk, {c.askedWidth, 0});
  }
}

TEST_F(MessageBoxTest, TipIsTheInformationWindowAtThePoint) {
  WindowDriver driver(kTipClass, [&](HWND window) {
    EXPECT_EQ(Utf16ToUtf8(TextOf(window)), "Information");
    EXPECT_EQ(::GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_BORDER), 0);
    RECT r;
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    EXPECT_NE(FindChild(window, u"Search reached the end of the list!"), nullptr);
    EXPECT_TRUE(SaveScreenshot(window, L"tip"));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  });
  EXPECT_EQ(ShowMessageBox(kit_, nullptr, u"Search reached the end of the list!",
                           MessageBoxKind::kTip, {}, POINT{300, 200}),
            1);
  EXPECT_TRUE(driver.Ran());
}

TEST_F(MessageBoxTest, ShowsItsTextAndButtonsOnTheThemesBackground) {
  constexpr std::u16string_view kText =
      u"The selection was saved, but the state of some items could not be exported.";
  for (const auto& theme : kBothThemes) {
    SCOPED_TRACE(theme.name);
    const ThemeColours colours = ThemeOf(theme.id).colours;
    kit_.SetTheme(ThemeOf(theme.id));
    WindowDriver driver(kBoxClass, [&](HWND window) {
      EXPECT_NE(FindChild(window, kText), nullptr);
      for (auto button : {u"Yes", u"No", u"Cancel"}) {
        EXPECT_NE(FindChild(window, button), nullptr) << Utf16ToUtf8(button);
      }
      const WindowPicture picture(window);
      EXPECT_TRUE(HasColourAt(picture, {1, 1}, colours.frame));
      EXPECT_TRUE(HasColourAt(picture, {10, 10}, colours.background));
      EXPECT_TRUE(picture.Save(std::wstring(L"message_box_") + theme.name));
      PressKey(window, VK_ESCAPE);
    });
    ShowMessageBox(kit_, nullptr, kText, MessageBoxKind::kYesNoCancel);
    EXPECT_TRUE(driver.Ran());
  }
}

}  // namespace
}  // namespace kva::ui::test
