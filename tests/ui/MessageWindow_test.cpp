#include "ui/MessageWindow.h"

#include <functional>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Interaction.h"
#include "platform/Text.h"
#include "ui/MessageInteraction.h"

namespace kva::ui::test {
namespace {

constexpr wchar_t kClass[] = L"KVA_MSG_WND";
constexpr unsigned kQuestionWithOptions = msg::kQuestion | msg::kWithOptions;
constexpr std::u16string_view kAutomate = u" Automate tools when possible";
constexpr std::u16string_view kSkip = u" Do not re-install up-to-date applications";

using Step = std::function<void(HWND)>;

Step Clicks(std::vector<std::u16string_view> texts) {
  return [texts](HWND window) {
    for (auto text : texts) ClickOn(window, text);
  };
}

Step Key(WPARAM key) {
  return [key](HWND window) { PressKey(window, key); };
}

void CloseIt(HWND window) { ::PostMessageW(window, WM_CLOSE, 0, 0); }

using MessageWindowTest = GuiTest;

TEST_F(MessageWindowTest, AnswersFromButtonsKeysAndClosing) {
  struct Case {
    const char* name;
    unsigned type;
    Step step;
    int want;
  };
  const Case cases[] = {
      {"notice OK", msg::kNotice, Clicks({u"OK, I got it"}), msg::kOk},
      {"notice Escape is its only button", msg::kNotice, Key(VK_ESCAPE), msg::kOk},
      {"notice closed", msg::kNotice, CloseIt, msg::kNo},
      {"question Yes", msg::kQuestion, Clicks({u"Yes, I do"}), msg::kYes},
      {"question No", msg::kQuestion, Clicks({u"No, I don't"}), msg::kNo},
      {"question Escape", msg::kQuestion, Key(VK_ESCAPE), msg::kNo},
      {"question closed", msg::kQuestion, CloseIt, msg::kNo},
      {"question Enter on the focused Yes", msg::kQuestion,
       [](HWND) { PressKey(::GetFocus(), VK_RETURN); }, msg::kYes},
      {"options, Yes with both ticked", kQuestionWithOptions,
       Clicks({kAutomate, kSkip, u"Yes, I do"}), 49},
      {"options, Yes with automation", kQuestionWithOptions, Clicks({kAutomate, u"Yes, I do"}),
       msg::kYes + msg::kAutomate},
      {"options, Yes with a box ticked twice", kQuestionWithOptions,
       Clicks({kSkip, kSkip, u"Yes, I do"}), msg::kYes},
      {"options, No ignores the boxes", kQuestionWithOptions,
       Clicks({kAutomate, kSkip, u"No, I don't"}), msg::kNo},
      {"options, Escape ignores the boxes", kQuestionWithOptions,
       [](HWND w) {
         Clicks({kAutomate})(w);
         PressKey(w, VK_ESCAPE);
       },
       msg::kNo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WindowDriver driver(kClass, c.step);
    EXPECT_EQ(ShowMessageWindow(kit_, u"Do you want to continue?", c.type, nullptr), c.want);
    EXPECT_TRUE(driver.Ran());
  }
}

TEST_F(MessageWindowTest, ShowsTheQuestionWithItsOptionsAndTips) {
  bool checked = false;
  WindowDriver driver(kClass, [&](HWND window) {
    checked = true;
    RECT rect;
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 470);
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 245);
    EXPECT_EQ(::GetFocus(), FindChild(window, u"Yes, I do"));
    const struct {
      std::u16string_view control;
      std::u16string_view tip;
    } tips[] = {
        {u"Yes, I do", u"Confirm the operation"},
        {u"No, I don't", u"Cancel the operation"},
        {kAutomate,
         u"If an application does not have a silent install switch, try to\r\nautomate "
         u"installation by sending mouse clicks and keyboard strokes"},
        {kSkip,
         u"If an application is already installed and up to date,\r\ndo not run the installer "
         u"this time"},
    };
    for (const auto& t : tips) {
      SCOPED_TRACE(Utf16ToUtf8(t.control));
      HWND control = FindChild(window, t.control);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(Utf16ToUtf8(TipOf(window, control)), Utf16ToUtf8(t.tip));
    }
    PressKey(window, VK_ESCAPE);
  });
  ShowMessageWindow(kit_, u"Update and run the selected tools?", kQuestionWithOptions, nullptr);
  EXPECT_TRUE(checked);
}

TEST_F(MessageWindowTest, NoticeHasOneButtonWithItsTip) {
  WindowDriver driver(kClass, [&](HWND window) {
    EXPECT_EQ(FindChild(window, u"Yes, I do"), nullptr);
    EXPECT_EQ(FindChild(window, kAutomate), nullptr);
    HWND ok = FindChild(window, u"OK, I got it");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(Utf16ToUtf8(TipOf(window, ok)), "Click to close this message");
    PressKey(window, VK_ESCAPE);
  });
  ShowMessageWindow(kit_, u"The selection was successfully saved.", msg::kNotice, nullptr);
  EXPECT_TRUE(driver.Ran());
}

TEST_F(MessageWindowTest, IsModalOverItsParentAndGivesItBack) {
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE, 100, 100, 800,
                                  600, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  MessageInteraction interaction(kit_);
  interaction.SetParent(parent);
  WindowDriver driver(kClass, [&](HWND window) {
    EXPECT_EQ(::GetWindow(window, GW_OWNER), parent);
    EXPECT_FALSE(::IsWindowEnabled(parent));
    RECT outer, inner;
    ::GetWindowRect(parent, &outer);
    ::GetWindowRect(window, &inner);
    EXPECT_EQ(inner.left - outer.left, outer.right - inner.right);  // centred
    ClickOn(window, u"OK, I got it");
  });
  EXPECT_EQ(interaction.ShowMessage(u"Done.", msg::kNotice), msg::kOk);
  EXPECT_TRUE(::IsWindowEnabled(parent));
  ::DestroyWindow(parent);
}

TEST_F(MessageWindowTest, GoesWithItsParentAndAnswersAsClosed) {
  HWND parent = ::CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP | WS_VISIBLE, 100, 100, 800,
                                  600, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  WindowDriver driver(kClass, [&](HWND) { ::DestroyWindow(parent); });
  EXPECT_EQ(ShowMessageWindow(kit_, u"Continue?", msg::kQuestion, parent), msg::kNo);
  EXPECT_TRUE(driver.Ran());
  EXPECT_EQ(::FindWindowW(kClass, nullptr), nullptr);
}

TEST_F(MessageWindowTest, PaintsTheThemeAroundALightOptionsBand) {
  constexpr std::u16string_view kText =
      u"You are about to update and run 3 selected tools.\r\n\r\nDo you want to continue?";
  constexpr COLORREF kBand = 0xDFDFDF;  // light in both themes
  for (const auto& theme : kBothThemes) {
    SCOPED_TRACE(theme.name);
    const ThemeColours colours = ThemeOf(theme.id).colours;
    kit_.SetTheme(ThemeOf(theme.id));
    WindowDriver driver(kClass, [&](HWND window) {
      EXPECT_NE(FindChild(window, kText), nullptr);
      HWND skip = FindChild(window, kSkip);
      EXPECT_NE(skip, nullptr);
      ::SendMessageW(skip, BM_CLICK, 0, 0);
      const WindowPicture picture(window);
      EXPECT_TRUE(HasColourAt(picture, {1, 1}, colours.frame));
      EXPECT_TRUE(HasColourAt(picture, {20, 20}, colours.background));
      EXPECT_TRUE(HasColourAt(picture, {20, 300}, kBand));
      // The box face beside the tick, on the band.
      EXPECT_TRUE(HasColourAt(picture, PointIn(window, skip, {4, 10}), 0xFFFFFF));
      EXPECT_TRUE(picture.Save(std::wstring(L"message_") + theme.name));
      PressKey(window, VK_ESCAPE);
    });
    ShowMessageWindow(kit_, kText, kQuestionWithOptions, nullptr);
    EXPECT_TRUE(driver.Ran());
  }
}

}  // namespace
}  // namespace kva::ui::test
