#include "app/win32/SidePanel.h"

#include <string_view>

#include "app/win32/MainWindow.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/LinkLabel.h"

namespace kva::win32 {
namespace {

struct Item {
  MainCommand command;
  std::u16string_view text;
  std::u16string_view tooltip;
  int imageId;
};

constexpr std::array<Item, 7> kButtons = {{
    {MainCommand::UpdateSelected, u"Update selected",
     u"Check if the selected tools are up to date and, if not download them",
     ui::image::kUpdateSelected},
    {MainCommand::RunSelected, u"Run selected", u"Run the selected tools (F5)",
     ui::image::kRunSelected},
    {MainCommand::UpdateAndRunSelected, u"Update and run selected",
     u"Update and run the selected tools", ui::image::kUpdateAndRun},
    {MainCommand::HideSelected, u"Hide selected from the list",
     u"Hide the selected tools from the list", ui::image::kHideSelected},
    {MainCommand::RestoreHidden, u"Restore hidden tools", u"Restore previously hidden tools",
     ui::image::kRestoreHidden},
    {MainCommand::AddTools, u"Add tools", u"Add your own tools to the list", ui::image::kAddTools},
    {MainCommand::UninstallSelected, u"Uninstall selected",
     u"Uninstall the selected (checked) tools", ui::image::kUninstallSelected},
}};

constexpr std::array<Item, 3> kLinks = {{
    {MainCommand::Settings, u"<a href=\"#\">Settings (Alt+S)</a>",
     u"Configure the application's options", ui::image::kSettingsLink},
    {MainCommand::About, u"<a href=\"#\">About this tool</a>", u"", ui::image::kAboutLink},
    {MainCommand::OnlineHelp, u"<a href=\"#\">Online help (F1)</a>",
     u"View the application's online help pages", ui::image::kHelpLink},
}};

// The buttons that need something ticked.
constexpr std::array<MainCommand, 5> kOperations = {
    MainCommand::UpdateSelected, MainCommand::RunSelected, MainCommand::UpdateAndRunSelected,
    MainCommand::HideSelected, MainCommand::UninstallSelected};

constexpr int kButtonHeight = 36, kButtonGap = 5;
constexpr int kLinkHeight = 26, kLineHeight = 22;

int Id(MainCommand command) { return static_cast<int>(command); }

}  // namespace

void SidePanel::Build(MainWindow& window) {
  const RECT none{};
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    const auto& item = kButtons[i];
    buttons_[i] = &window.AddButton(Id(item.command), none, item.text, item.imageId, item.tooltip);
    // The column is narrow: long labels take two lines.
    buttons_[i]->SetWrapping(true);
    buttons_[i]->SetFont(ui::Points(9));
  }
  for (std::size_t i = 0; i < kLinks.size(); ++i) {
    const auto& item = kLinks[i];
    links_[i] = &window.AddLink(Id(item.command), none, item.text, item.tooltip, item.imageId);
  }
  counter_ = &window.AddLink(Id(MainCommand::ClearTicks), none, u"No tools ticked",
                             u"Quickly uncheck any ticked items in the list");
  browse_ = &window.AddLink(Id(MainCommand::BrowseTicked), none, u"<a>Browse ticked tools</a>",
                            u"Show and select the next ticked tool (Ctrl+B)");
  for (ui::Control* control : Controls()) control->Enable(false);
}

void SidePanel::Place(const RECT& area) {
  int y = area.top;
  for (ui::Button* button : buttons_) {
    button->Move({area.left, y, area.right, y + kButtonHeight});
    y += kButtonHeight + kButtonGap;
  }
  y += 6;
  for (ui::LinkLabel* link : links_) {
    link->Move({area.left + 4, y, area.right, y + kLinkHeight});
    y += kLinkHeight + 2;
  }
  y += 10;
  counter_->Move({area.left + 4, y, area.right, y + kLineHeight});
  y += kLineHeight;
  browse_->Move({area.left + 4, y, area.right, y + kLineHeight});
}

void SidePanel::Enable(bool anyHidden) {
  Find(MainCommand::AddTools)->Enable(true);
  EnableRestoreHidden(anyHidden);
  for (ui::LinkLabel* link : links_) link->Enable(true);
  counter_->Enable(true);
}

void SidePanel::EnableRestoreHidden(bool enabled) {
  Find(MainCommand::RestoreHidden)->Enable(enabled);
}

void SidePanel::ApplyCounter(const CounterRefresh& refresh) {
  counter_->SetText(refresh.text);
  browse_->Enable(refresh.browseEnabled);
  if (!refresh.operationButtons) return;
  for (MainCommand command : kOperations) Find(command)->Enable(*refresh.operationButtons);
}

ui::Control* SidePanel::Find(MainCommand command) const {
  for (ui::Control* control : Controls()) {
    if (control->Id() == Id(command)) return control;
  }
  return nullptr;
}

std::vector<ui::Control*> SidePanel::Controls() const {
  std::vector<ui::Control*> controls(buttons_.begin(), buttons_.end());
  controls.insert(controls.end(), links_.begin(), links_.end());
  controls.push_back(counter_);
  controls.push_back(browse_);
  return controls;
}

RECT SidePanel::BrowseLinkRect() const {
  RECT rect;
  ::GetWindowRect(browse_->Handle(), &rect);
  return rect;
}

}  // namespace kva::win32
