#include "ui/PressableControl.h"

#include <functional>
#include <vector>

#include "GuiFixture.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/LinkLabel.h"
#include "ui/Window.h"

namespace kva::ui::test {
namespace {

enum Id { kButton = 1, kCheckBox, kLink };

// A button, a check box and a link label (its link at the left edge), each
// 200 x 24, that note which of them clicked.
class PressWindow final : public Window {
 public:
  explicit PressWindow(Toolkit& kit)
      : Window(kit, {.className = L"KVA_PRESS_TEST", .width = 260, .height = 140}) {}

  std::vector<int> clicked;
  HWND control[4] = {};

 private:
  void Build() override {
    control[kButton] = AddButton(kButton, {10, 10, 210, 34}, u"Press", 0, u"").Handle();
    control[kCheckBox] = AddCheckBox(kCheckBox, {10, 44, 210, 68}, u"Tick", u"").Handle();
    control[kLink] = AddLink(kLink, {10, 78, 210, 102}, u"<a>Link</a>", u"").Handle();
  }
  void OnControlClicked(int id) override { clicked.push_back(id); }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
const LPARAM kOnSpot = At(3, 12);     // on the control, and on the link's first letter
const LPARAM kOffSpot = At(150, 12);  // on the control, right of the link
const LPARAM kOutside = At(-5, 40);

class PressableControlTest : public GuiTest {
 protected:
  PressableControlTest() {
    EXPECT_TRUE(window_.Create());
    window_.Show();
  }
  PressWindow window_{kit_};
};

TEST_F(PressableControlTest, ClicksOnlyWhenPressedAndReleasedOnItsSpot) {
  using Steps = std::function<void(HWND)>;
  auto send = [](UINT message, WPARAM wParam, LPARAM lParam) {
    return [=](HWND c) { ::SendMessageW(c, message, wParam, lParam); };
  };
  auto both = [](Steps a, Steps b) {
    return [=](HWND c) {
      a(c);
      b(c);
    };
  };
  struct Case {
    const char* name;
    Steps steps;
    bool wantButton, wantCheckBox, wantLink;
  };
  const Case cases[] = {
      {"press and release", both(send(WM_LBUTTONDOWN, MK_LBUTTON, kOnSpot),
                                 send(WM_LBUTTONUP, 0, kOnSpot)),
       true, true, true},
      {"released outside", both(send(WM_LBUTTONDOWN, MK_LBUTTON, kOnSpot),
                                send(WM_LBUTTONUP, 0, kOutside)),
       false, false, false},
      {"a release with no press", send(WM_LBUTTONUP, 0, kOnSpot), false, false, false},
      {"pressed off the link", both(send(WM_LBUTTONDOWN, MK_LBUTTON, kOffSpot),
                                    send(WM_LBUTTONUP, 0, kOffSpot)),
       true, true, false},
      {"capture lost before the release",
       both(send(WM_LBUTTONDOWN, MK_LBUTTON, kOnSpot),
            both([](HWND) { ::ReleaseCapture(); }, send(WM_LBUTTONUP, 0, kOnSpot))),
       false, false, false},
      {"Space", send(WM_KEYDOWN, VK_SPACE, 0), true, true, true},
      {"Return is the window's for a check box", send(WM_KEYDOWN, VK_RETURN, 0), true, false,
       true},
      {"BM_CLICK", send(BM_CLICK, 0, 0), true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const bool want[] = {false, c.wantButton, c.wantCheckBox, c.wantLink};
    for (int id : {kButton, kCheckBox, kLink}) {
      SCOPED_TRACE(id);
      HWND control = window_.control[id];
      ::UpdateWindow(control);  // the link label finds its links by painting them
      window_.clicked.clear();
      const LRESULT checkedBefore = ::SendMessageW(window_.control[kCheckBox], BM_GETCHECK, 0, 0);
      c.steps(control);
      EXPECT_EQ(window_.clicked, want[id] ? std::vector<int>{id} : std::vector<int>{});
      EXPECT_EQ(::GetCapture(), nullptr);
      const LRESULT checked = ::SendMessageW(window_.control[kCheckBox], BM_GETCHECK, 0, 0);
      EXPECT_EQ(checked != checkedBefore, id == kCheckBox && want[id]);
    }
  }
}

TEST_F(PressableControlTest, ADisabledControlIgnoresEveryWayOfClicking) {
  for (int id : {kButton, kCheckBox, kLink}) {
    SCOPED_TRACE(id);
    HWND control = window_.control[id];
    ::UpdateWindow(control);
    ::EnableWindow(control, FALSE);
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, kOnSpot);
    ::SendMessageW(control, WM_LBUTTONUP, 0, kOnSpot);
    ::SendMessageW(control, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageW(control, BM_CLICK, 0, 0);
    EXPECT_TRUE(window_.clicked.empty());
  }
  EXPECT_EQ(::SendMessageW(window_.control[kCheckBox], BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

}  // namespace
}  // namespace kva::ui::test
