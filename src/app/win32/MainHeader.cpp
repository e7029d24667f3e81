#include "app/win32/MainHeader.h"

#include "ResourceIds.h"
#include "app/ProgramVersion.h"
#include "app/win32/MainWindow.h"
#include "app/win32/WindowChrome.h"
#include "ui/Button.h"
#include "ui/ImageIds.h"
#include "ui/Painting.h"

namespace kva::win32 {
namespace {

constexpr int kLogoSize = 64;
constexpr POINT kLogoAt{14, 5};
constexpr int kTextLeft = 92;
constexpr int kCaptionWidth = 34, kCaptionHeight = 24;
constexpr int kFinderWidth = 190, kFinderHeight = 24, kSmallButton = 28;
constexpr int kFinderTop = 38;
// The finder group's width from the finder's left edge to the window's edge.
constexpr int kFinderRoom = kFinderWidth + 2 * (kSmallButton + 4) + 12;

}  // namespace

void MainHeader::Build(MainWindow& window, std::function<void()> onFinderEnter) {
  finder_.Create(window.Kit(), window.Handle(), {}, std::move(onFinderEnter));
  find_ = &window.AddButton(static_cast<int>(MainCommand::FindNext), {}, u"", ui::image::kFind,
                            finder_text::kFindButtonTooltip);
  menu_ = &window.AddButton(static_cast<int>(MainCommand::ShowContextMenu), {}, u"",
                            ui::image::kMenu, u"Show/Hide the list's context menu");
  for (const auto& [id, kind] : {std::pair{kMinimizeId, CaptionKind::Minimize},
                                 std::pair{kMaximizeId, CaptionKind::Maximize},
                                 std::pair{kCloseId, CaptionKind::Close}}) {
    auto& button = window.Adopt(std::make_unique<CaptionButton>(window));
    button.Create(id, {}, kind);
    caption_.push_back(&button);
  }
  EnableButtons(false);
}

void MainHeader::Place(int width) {
  int x = width - ui::kFrameWidth - kCaptionWidth;
  for (auto it = caption_.rbegin(); it != caption_.rend(); ++it, x -= kCaptionWidth) {
    (*it)->Move({x, ui::kFrameWidth, x + kCaptionWidth, ui::kFrameWidth + kCaptionHeight});
  }
  const int left = width - ui::kFrameWidth - kFinderRoom;
  finder_.Move({left, kFinderTop, left + kFinderWidth, kFinderTop + kFinderHeight});
  int buttonLeft = left + kFinderWidth + 4;
  find_->Move({buttonLeft, kFinderTop - 2, buttonLeft + kSmallButton, kFinderTop + kFinderHeight + 2});
  buttonLeft += kSmallButton + 4;
  menu_->Move({buttonLeft, kFinderTop - 2, buttonLeft + kSmallButton, kFinderTop + kFinderHeight + 2});
}

void MainHeader::SetIdentity(std::u16string appName, std::u16string appDescription) {
  appName_ = std::move(appName);
  appDescription_ = std::move(appDescription);
}

std::vector<ui::Control*> MainHeader::Buttons() const { return {find_, menu_}; }

void MainHeader::EnableButtons(bool enabled) {
  find_->Enable(enabled);
  menu_->Enable(enabled);
  ::EnableWindow(finder_.Handle(), enabled);
}

void MainHeader::RedrawCaption() {
  for (CaptionButton* button : caption_) button->Invalidate();
}

RECT MainHeader::MenuButtonRect() const {
  RECT rect;
  ::GetWindowRect(menu_->Handle(), &rect);
  return rect;
}

void MainHeader::Paint(HDC dc, ui::Toolkit& kit, const ThemeColours& colours,
                       const RECT& client) const {
  const RECT band{ui::kFrameWidth, ui::kFrameWidth, client.right - ui::kFrameWidth, kHeaderHeight};
  {
    Gdiplus::Graphics g(dc);
    // Top to bottom, from a touch of the accent into the background.
    Gdiplus::LinearGradientBrush gradient(
        Gdiplus::Point(0, band.top - 1), Gdiplus::Point(0, band.bottom + 1),
        ui::FromColorRef(ui::MixColorRef(colours.background, colours.accent, 0.35f)),
        ui::FromColorRef(colours.background));
    g.FillRectangle(&gradient, Gdiplus::Rect(band.left, band.top, band.right - band.left,
                                            band.bottom - band.top));
    ui::DrawImage(g, kit.Image(KVA_IMG_LOGO), kLogoAt.x, kLogoAt.y, kLogoSize, kLogoSize);
  }
  const int textRight = client.right - ui::kFrameWidth - kFinderRoom - 10;
  ui::DrawTextIn(dc, appName_, {kTextLeft, 6, textRight, 34}, kit.Font(ui::Points(18, FW_BOLD)),
                 colours.text, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  // Two lines fit below the name when the window is narrow.
  ui::DrawTextIn(dc, appDescription_, {kTextLeft + 2, 34, textRight, kHeaderHeight},
                 kit.Font(ui::Points(12)), colours.text,
                 DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS);
  const std::u16string version = u"v" + std::u16string(kProgramVersion);
  ui::DrawTextIn(dc, version, {kLogoAt.x, kHeaderHeight + 2, kLogoAt.x + 120, kBodyTop - 2},
                 kit.Font(ui::Points(8)), ui::MixColorRef(colours.text, colours.background, 0.3f),
                 DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace kva::win32
