// The runner with its real windows under Wine: the question and its check
// boxes, the progress dialog's buttons and "Operation complete", pressed by
// their labels as a technician would. Everything behind them is a fake.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "WindowDriver.h"
#include "operations/RunnerFixture.h"
#include "operations/win32/Win32CommandWiring.h"
#include "ui/MessageInteraction.h"
#include "ui/ProgressWindow.h"

namespace kva::test {
namespace {

using ui::test::ClickOn;
using ui::test::FindChild;
using win32::test::StepChain;

constexpr wchar_t kMessageClass[] = L"KVA_MSG_WND";
constexpr wchar_t kProgressClass[] = L"_WND_PROGRESS_DLG_";
constexpr std::u16string_view kApp = u"C:\\Kit\\Kelvara tools\\Echo Tool\\echo.exe";

// Presses a button of a window once it shows it, looking again until then.
class PressWhenShown {
 public:
  PressWhenShown(std::wstring className, std::u16string button)
      : className_(std::move(className)), button_(std::move(button)) {
    Arm();
  }
  [[nodiscard]] bool Pressed() const { return pressed_; }

 private:
  void Arm() {
    drivers_.push_back(std::make_unique<ui::test::WindowDriver>(className_, [this](HWND window) {
      if (!FindChild(window, button_)) return Arm();
      pressed_ = true;
      ClickOn(window, button_);
    }));
  }
  std::wstring className_;
  std::u16string button_;
  bool pressed_ = false;
  std::vector<std::unique_ptr<ui::test::WindowDriver>> drivers_;
};

class OperationDialogsTest : public RunnerTest {
 protected:
  OperationDialogsTest() {
    Import(u"[HKLM\\kva_tools\\5\\Echo Tool]\r\n"
           u"\"url1\"=\"http://tools.test/echo.exe\"\r\n"
           u"\"downloadfile\"=\"%ToolsDir%\\\\Echo Tool\\\\echo.exe\"\r\n"
           u"\"command1\"=\"%ToolsDir%\\\\Echo Tool\\\\echo.exe\"\r\n");
    AddEntry(u"Echo Tool", 5);
    settings.autoClose = false;
  }

  int StartWithWindows(std::uint32_t operation) {
    return OperationRunner({registry, network, messages, list, report,
                            {network, files, streams, windowPump}, windowServices, windowCancel},
                           settings)
        .StartOperation(operation, std::nullopt);
  }

  ui::Toolkit kit{::GetModuleHandleW(nullptr), ThemeOf(ThemeId::Light)};
  ui::ProgressWindow dialog{kit, nullptr};
  ui::MessageInteraction messages{kit};
  ThreadPump windowPump;
  DialogCancelPoll windowCancel{dialog, windowPump, messages, true};
  CommandServices windowServices{environment, files,     processes, desktop, privileges,
                                 clock,       launcher,  control,   dialog,  windowCancel,
                                 tags,        scripts,   versions,  extractor,
                                 std::u16string(kTools), true};
};

TEST_F(OperationDialogsTest, TheQuestionOffersItsBoxesAndCompletionWaitsForItsButton) {
  files.WriteText(kApp, "MZ old");
  network.Serve(u"http://tools.test/echo.exe", FakeNetwork::Ok("MZ new program"));
  bool boxesShown = false;
  StepChain question(kMessageClass, {[&](HWND window) {
                       EXPECT_TRUE(FindChild(
                           window, u"Are you sure you want to update and run the selected tools?"));
                       boxesShown = FindChild(window, u" Automate tools when possible") &&
                                    FindChild(window, u" Do not re-install up-to-date applications");
                       ClickOn(window, u"Yes, I do");
                     }});
  PressWhenShown close(kProgressClass, u"OK, close this");
  EXPECT_EQ(StartWithWindows(op::kUpdate | op::kRun), 1);
  EXPECT_TRUE(question.Done());
  EXPECT_TRUE(boxesShown);
  EXPECT_TRUE(close.Pressed());
  EXPECT_EQ(files.ReadText(kApp), "MZ new program");
  EXPECT_FALSE(::IsWindow(dialog.Handle())) << "closed once pressed";
}

TEST_F(OperationDialogsTest, CancellingADownloadThroughTheDialogKeepsThePreviousFile) {
  files.WriteText(kApp, "MZ old");
  network.Serve(u"http://tools.test/echo.exe",
                FakeResponse{.body = "MZ", .pieceBytes = 1, .endless = true});
  bool asked = false;
  StepChain cancelButton(kProgressClass, {[&](HWND window) { ClickOn(window, u"Cancel this tool"); }});
  StepChain confirm(kMessageClass, {[&](HWND window) {
                      asked = FindChild(window, u"Are you sure you want to cancel processing this tool?") !=
                              nullptr;
                      ClickOn(window, u"Yes, I do");
                    }});
  PressWhenShown close(kProgressClass, u"OK, close this");
  EXPECT_EQ(StartWithWindows(op::kUpdate | op::kRun | op::kUnattended), 0);
  EXPECT_TRUE(asked);
  EXPECT_EQ(files.ReadText(kApp), "MZ old");
  EXPECT_FALSE(Exists(files, std::u16string(kApp) + u".tmp"));
  EXPECT_TRUE(processes.started.empty()) << "a cancelled tool does not run";
}

}  // namespace
}  // namespace kva::test
