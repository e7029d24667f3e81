#include "ui/LoadingWindow.h"

#include <thread>

#include "GuiFixture.h"
#include "Screenshot.h"
#include "WindowDriver.h"
#include "platform/Text.h"
#include "ui/Label.h"
#include "ui/ProgressBar.h"

namespace kva::ui::test {
namespace {

void Pump() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

using LoadingWindowTest = GuiTest;

TEST_F(LoadingWindowTest, TakesReportsFromAWorkerWithoutHoldingItUp) {
  LoadingWindow window(kit_, nullptr);
  ASSERT_TRUE(window.Create());
  window.Show();
  EXPECT_EQ(Utf16ToUtf8(TextOf(window.Handle())), "Load definitions and tools");
  EXPECT_EQ(Utf16ToUtf8(window.Status().Text()), "Loading definitions...");
  // The worker ends before this thread handles a single message: it
  // never waited for the window.
  std::thread worker([&] {
    LoadingView& view = window;
    view.SetProgress(LoadingView::kMarquee);
    view.SetStatus(u"Loading definitions database...");
    view.SetStatus(u"Verifying database integrity...");
    view.SetProgress(35);
  });
  worker.join();
  EXPECT_EQ(Utf16ToUtf8(window.Status().Text()), "Loading definitions...");
  Pump();
  EXPECT_EQ(Utf16ToUtf8(window.Status().Text()), "Verifying database integrity...");
  EXPECT_FALSE(window.Bar().IsMarquee());
  EXPECT_EQ(window.Bar().Percent(), 35);
  EXPECT_NE(FindChild(window.Handle(), u"Verifying database integrity..."), nullptr);
  // The bar, 520 pixels wide, is filled in the accent up to 35 %.
  const WindowPicture picture(window.Handle());
  const COLORREF accent = ThemeOf(ThemeId::Light).colours.accent;
  HWND bar = window.Bar().Handle();
  EXPECT_TRUE(HasColourAt(picture, PointIn(window.Handle(), bar, {156, 9}), accent)) << "at 30 %";
  EXPECT_FALSE(HasColourAt(picture, PointIn(window.Handle(), bar, {208, 9}), accent)) << "at 40 %";
  EXPECT_TRUE(picture.Save(L"loading"));
}

TEST_F(LoadingWindowTest, ReportsBeingClosed) {
  LoadingWindow window(kit_, nullptr);
  ASSERT_TRUE(window.Create());
  window.Show();
  EXPECT_FALSE(window.TakeCloseRequest());
  ::PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(window.TakeCloseRequest());
  EXPECT_FALSE(window.TakeCloseRequest());
}

}  // namespace
}  // namespace kva::ui::test
