#pragma once
// The real main window over a small catalogue (the portable tests' tool
// list), driven through its messages under Wine: a loop stands in for the
// program's, and WindowDriver chains answer the windows it opens.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "WindowDriver.h"
#include "app/MainWindowModel.h"
#include "fakes/ScriptedInteraction.h"
#include "app/Shell.h"
#include "catalog/ToolListFixture.h"
#include "app/win32/MainWindow.h"
#include "app/win32/ToolListView.h"
#include "fakes/FakeExplorer.h"
#include "catalog/Options.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WideText.h"
#include "ui/Control.h"

namespace kva::win32::test {

using Step = std::function<void(HWND)>;

// Runs the steps one by one on the visible window of a class; each runs
// once the window's loop has handled what the step before posted.
class StepChain {
 public:
  StepChain(std::wstring className, std::vector<Step> steps)
      : className_(std::move(className)), steps_(std::move(steps)) {
    Next();
  }
  [[nodiscard]] bool Done() const { return next_ == steps_.size(); }

 private:
  void Next() {
    if (Done()) return;
    const std::size_t index = next_;
    // Drivers stay alive until the chain goes: one may still be running.
    drivers_.push_back(std::make_unique<ui::test::WindowDriver>(className_, [this, index](HWND w) {
      ++next_;
      steps_[index](w);
      Next();
    }));
  }

  std::wstring className_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  std::vector<std::unique_ptr<ui::test::WindowDriver>> drivers_;
};

class MainWindowTest : public apptest::ToolListFixture {
 protected:
  void SetUp() override {
    ToolListFixture::SetUp();
    Open(ThemeId::Light);
  }
  void TearDown() override {
    window.reset();
    const auto folder = SelectionsFolder();
    for (const auto& found : disk.Find(folder + u"\\*")) disk.RemoveFile(folder + u"\\" + found.name);
    disk.RemoveFolder(folder);
  }

  // A window as the program makes it: the model is new with it.
  void Open(ThemeId theme) {
    kit.SetTheme(ThemeOf(theme));
    window.reset();
    model.emplace(registry, list, state, interaction, MainWindowSettings{options::kDefault, true});
    parts.emplace(MainWindowParts{*model, list, state, registry, disk, interaction,
                                  {u"Kelvara", u"The world's biggest collection of free technician tools."},
                                  SelectionsFolder(), 509, true, true, false, {}});
    window = std::make_unique<MainWindow>(kit, u"Kelvara", explorer, environment);
    ASSERT_TRUE(window->Create());
    window->Attach(*parts);
    Pump();
  }

  // What the program's loop does with queued messages: shortcuts first.
  void Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      if (window->PreTranslate(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }

  ToolListView& List() { return window->List(); }
  HWND ListWindow() { return window->List().Handle(); }
  ui::Control& Panel(MainCommand command) { return *window->Panel().Find(command); }

  void ClickAt(HWND target, POINT at, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
    ::PostMessageW(target, down, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::PostMessageW(target, up, 0, MAKELPARAM(at.x, at.y));
    Pump();
  }
  static POINT Middle(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  void ClickCheckBox(std::size_t index) { ClickAt(ListWindow(), Middle(*List().CheckBoxRect(index))); }
  void ClickTile(std::size_t index) {
    const RECT tile = *List().TileRect(index);
    ClickAt(ListWindow(), {tile.right - 20, (tile.top + tile.bottom) / 2});
  }
  // A key as the keyboard would send it to the focused control.
  void Press(HWND target, WPARAM key) {
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  ui::Toolkit kit{::GetModuleHandleW(nullptr), ThemeOf(ThemeId::Light)};
  ScriptedInteraction interaction;
  // Selections are real files, so that their bytes can be checked.
  static std::u16string SelectionsFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return FromWide(temp) + u"kva_selections_" + ToDecimal(std::int64_t(::GetCurrentProcessId()));
  }

  Win32FileSystem disk;
  FakeExplorer explorer;
  std::optional<MainWindowModel> model;
  std::optional<MainWindowParts> parts;
  std::unique_ptr<MainWindow> window;
};

}  // namespace kva::win32::test
