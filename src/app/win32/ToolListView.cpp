#include "app/win32/ToolListView.h"

#include <windowsx.h>

#include <algorithm>

#include "catalog/ToolListModel.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/WideText.h"
#include "ui/Images.h"
#include "ui/Painting.h"

namespace kva::win32 {
namespace {

constexpr wchar_t kClass[] = L"KVA_TOOL_LIST";
constexpr int kHeaderImageWidth = 20, kHeaderImageHeight = 16;
constexpr int kChevronRoom = 28;  // at the right of a collapsible group's header
constexpr int kWheelStep = 40;    // pixels per notch of the mouse wheel

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

std::vector<std::uint8_t> ReadFileBytes(const std::u16string& path) {
  UniqueHandle<KernelHandleTraits> file(::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                                      FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  // Icons are small: anything larger is not one.
  if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > (1 << 22)) {
    return {};
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    return {};
  }
  bytes.resize(read);
  return bytes;
}

Gdiplus::RectF ToRectF(const RECT& r) {
  return {static_cast<float>(r.left), static_cast<float>(r.top),
          static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top)};
}

}  // namespace

bool ToolListView::Create(int id, const RECT& rect, Events events) {
  events_ = std::move(events);
  return Control::Create(kClass, id, rect, u"", WS_TABSTOP | WS_VSCROLL);
}

void ToolListView::Attach(ToolListModel& list, const ListMetrics& metrics) {
  list_ = &list;
  metrics_ = metrics;
  Reload();
}

void ToolListView::Reload() {
  const auto before = Highlighted();
  selected_.assign(list_ ? list_->EntryCount() : 0, false);
  focus_.reset();
  anchor_.reset();
  hot_.reset();
  Relayout();
  NotifyHighlight(before);
}

void ToolListView::Relayout() {
  if (!list_) return;
  RECT client;
  ::GetClientRect(Handle(), &client);
  layout_.Build(*list_, client.right, metrics_);
  UpdateScrollBar();
  Invalidate();
}

int ToolListView::ClientHeight() const {
  RECT client;
  ::GetClientRect(Handle(), &client);
  return client.bottom;
}

void ToolListView::UpdateScrollBar() {
  scroll_ = std::clamp(scroll_, 0, std::max(0, layout_.TotalHeight() - ClientHeight()));
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  // Always shown, so that the width, and with it the columns, stays put.
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = std::max(0, layout_.TotalHeight() - 1);
  info.nPage = static_cast<UINT>(ClientHeight());
  info.nPos = scroll_;
  ::SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void ToolListView::Scroll(int deltaPixels) {
  scroll_ += deltaPixels;
  UpdateScrollBar();
  Invalidate();
}

RECT ToolListView::OnScreen(const LayoutBox& box) const {
  return {box.left, box.top - scroll_, box.right, box.bottom - scroll_};
}

std::optional<RECT> ToolListView::TileRect(std::size_t index) const {
  const auto box = layout_.TileBox(index);
  if (!box) return std::nullopt;
  return OnScreen(*box);
}

std::optional<RECT> ToolListView::CheckBoxRect(std::size_t index) const {
  const auto box = layout_.TileBox(index);
  if (!box) return std::nullopt;
  return OnScreen(layout_.CheckBoxIn(*box));
}

std::optional<RECT> ToolListView::IconRect(std::size_t index) const {
  const auto box = layout_.TileBox(index);
  if (!box) return std::nullopt;
  return OnScreen(layout_.IconIn(*box));
}

std::optional<RECT> ToolListView::HeaderRect(int group) const {
  for (const auto& block : layout_.Blocks()) {
    if (block.number == group) return OnScreen(block.header);
  }
  return std::nullopt;
}

std::optional<std::size_t> ToolListView::Highlighted() const {
  if (focus_ && IsSelected(*focus_)) return focus_;
  const auto first = std::find(selected_.begin(), selected_.end(), true);
  if (first == selected_.end()) return std::nullopt;
  return std::size_t(first - selected_.begin());
}

bool ToolListView::IsSelected(std::size_t index) const {
  return index < selected_.size() && selected_[index];
}

void ToolListView::NotifyHighlight(std::optional<std::size_t> before) {
  Invalidate();
  if (Highlighted() != before && events_.highlightChanged) events_.highlightChanged();
}

void ToolListView::Select(std::span<const std::size_t> entries) {
  const auto before = Highlighted();
  std::fill(selected_.begin(), selected_.end(), false);
  focus_.reset();
  for (const std::size_t index : entries) {
    if (index >= selected_.size()) continue;
    selected_[index] = true;
    if (!focus_) focus_ = index;
  }
  anchor_ = focus_;
  NotifyHighlight(before);
}

void ToolListView::ClearSelection() { Select({}); }

void ToolListView::Reveal(std::size_t index) {
  const auto box = layout_.TileBox(index);
  if (!box) return;
  const int height = ClientHeight();
  if (box->top - metrics_.margin < scroll_) {
    scroll_ = box->top - metrics_.margin;
  } else if (box->bottom + metrics_.margin > scroll_ + height) {
    scroll_ = box->bottom + metrics_.margin - height;
  }
  UpdateScrollBar();
  Invalidate();
}

void ToolListView::SelectRange(std::size_t from, std::size_t to) {
  if (from > to) std::swap(from, to);
  for (std::size_t i = from; i <= to && i < selected_.size(); ++i) {
    // Entries of collapsed groups are not seen, so they are not taken.
    if (layout_.TileBox(i)) selected_[i] = true;
  }
}

// keep: Ctrl, the others stay selected; extend: Shift, a range from the anchor.
void ToolListView::ClickSelect(std::size_t index, bool keep, bool extend) {
  const auto before = Highlighted();
  if (extend && anchor_) {
    if (!keep) std::fill(selected_.begin(), selected_.end(), false);
    SelectRange(*anchor_, index);
  } else if (keep) {
    selected_[index] = !selected_[index];
    anchor_ = index;
  } else {
    std::fill(selected_.begin(), selected_.end(), false);
    selected_[index] = true;
    anchor_ = index;
  }
  focus_ = index;
  NotifyHighlight(before);
}

void ToolListView::MoveFocus(std::size_t index, bool keep, bool extend) {
  if (keep && !extend) {
    // Ctrl moves the focus alone, as in Explorer.
    focus_ = index;
    Reveal(index);
    Invalidate();
    return;
  }
  ClickSelect(index, false, extend);
  Reveal(index);
}

void ToolListView::ToggleTick(std::size_t index) {
  if (!list_ || index >= list_->EntryCount()) return;
  if (events_.tickClicked) events_.tickClicked(index, !list_->Entry(index).ticked);
}

void ToolListView::ToggleGroup(int group) {
  const ListGroup* shown = list_ ? list_->FindGroup(group) : nullptr;
  if (!shown || !shown->collapsible) return;
  const auto before = Highlighted();
  list_->SetCollapsed(group, !shown->collapsed);
  Relayout();
  NotifyHighlight(before);
}

void ToolListView::OnButtonDown(POINT at, bool doubleClick) {
  ::SetFocus(Handle());
  const ListHit hit = layout_.HitTest(at.x, at.y + scroll_);
  switch (hit.part) {
    case ListPart::Header:
      ToggleGroup(*hit.group);
      break;
    case ListPart::CheckBox:
      ToggleTick(*hit.entry);
      break;
    case ListPart::Tile:
      if (doubleClick) {
        if (events_.activated) events_.activated(*hit.entry);
      } else {
        ClickSelect(*hit.entry, KeyDown(VK_CONTROL), KeyDown(VK_SHIFT));
      }
      break;
    case ListPart::None:
      if (!KeyDown(VK_CONTROL)) ClearSelection();
      break;
  }
}

// The entry under the mouse becomes the one the menu works on.
void ToolListView::OnRightButtonDown(POINT at) {
  ::SetFocus(Handle());
  const ListHit hit = layout_.HitTest(at.x, at.y + scroll_);
  if (hit.entry && !IsSelected(*hit.entry)) ClickSelect(*hit.entry, false, false);
}

bool ToolListView::OnKey(WPARAM key) {
  std::optional<ListStep> step;
  switch (key) {
    case VK_LEFT: step = ListStep::Left; break;
    case VK_RIGHT: step = ListStep::Right; break;
    case VK_UP: step = ListStep::Up; break;
    case VK_DOWN: step = ListStep::Down; break;
    case VK_PRIOR: step = ListStep::PageUp; break;
    case VK_NEXT: step = ListStep::PageDown; break;
    case VK_HOME: step = ListStep::Home; break;
    case VK_END: step = ListStep::End; break;
    case VK_SPACE:
      if (focus_) ToggleTick(*focus_);
      return true;
    default:
      return false;
  }
  if (const auto to = layout_.Step(focus_, *step, ClientHeight())) {
    MoveFocus(*to, KeyDown(VK_CONTROL), KeyDown(VK_SHIFT));
  }
  return true;
}

void ToolListView::OnScrollBar(WORD code) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ::GetScrollInfo(Handle(), SB_VERT, &info);
  const int page = ClientHeight();
  switch (code) {
    case SB_LINEUP: scroll_ -= metrics_.tileHeight; break;
    case SB_LINEDOWN: scroll_ += metrics_.tileHeight; break;
    case SB_PAGEUP: scroll_ -= page; break;
    case SB_PAGEDOWN: scroll_ += page; break;
    case SB_TOP: scroll_ = 0; break;
    case SB_BOTTOM: scroll_ = layout_.TotalHeight(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: scroll_ = info.nTrackPos; break;
    default: return;
  }
  UpdateScrollBar();
  Invalidate();
}

void ToolListView::TrackHot(POINT at) {
  const ListHit hit = layout_.HitTest(at.x, at.y + scroll_);
  if (hit.entry == hot_) return;
  hot_ = hit.entry;
  Invalidate();
}

std::optional<LRESULT> ToolListView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(PointOf(lParam), message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_RBUTTONDOWN:
      OnRightButtonDown(PointOf(lParam));
      return 0;
    case WM_CONTEXTMENU:
      // The Menu key is the window's shortcut; only the mouse lands here.
      if (lParam != -1 && events_.contextMenu) events_.contextMenu(PointOf(lParam));
      return 0;
    case WM_MOUSEMOVE:
      TrackHot(PointOf(lParam));
      return std::nullopt;
    case WM_MOUSELEAVE:
      hot_.reset();
      return std::nullopt;
    case WM_MOUSEWHEEL:
      Scroll(-GET_WHEEL_DELTA_WPARAM(wParam) * kWheelStep / WHEEL_DELTA);
      return 0;
    case WM_VSCROLL:
      OnScrollBar(LOWORD(wParam));
      return 0;
    case WM_KEYDOWN:
      if (OnKey(wParam)) return 0;
      return std::nullopt;
  }
  return std::nullopt;
}

void ToolListView::Paint(HDC dc, const RECT& client) {
  if (!list_) return;
  for (const auto& block : layout_.Blocks()) {
    const RECT header = OnScreen(block.header);
    if (header.bottom >= 0 && header.top <= client.bottom) PaintHeader(dc, block, header);
    if (block.collapsed) continue;
    for (std::size_t i = block.first; i < block.first + block.count; ++i) {
      const auto tile = TileRect(i);
      if (!tile || tile->bottom < 0) continue;
      if (tile->top > client.bottom) break;
      PaintTile(dc, i, *tile);
    }
  }
}

void ToolListView::PaintHeader(HDC dc, const GroupBlock& block, RECT rect) {
  const ListGroup* group = list_->FindGroup(block.number);
  if (!group) return;
  const auto& colours = OwnerColors();
  Gdiplus::Graphics g(dc);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  int x = rect.left + metrics_.margin + 2;
  const int middle = (rect.top + rect.bottom) / 2;
  if (Gdiplus::Bitmap* image = group->headerImage ? Kit().Image(group->headerImage) : nullptr) {
    ui::DrawImage(g, image, x, middle - kHeaderImageHeight / 2, kHeaderImageWidth,
                  kHeaderImageHeight);
    x += kHeaderImageWidth + 6;
  }
  HFONT font = Kit().Font(ui::Points(10, FW_BOLD));
  const int right = rect.right - (group->collapsible ? kChevronRoom : metrics_.margin);
  const SIZE size = ui::MeasureText(dc, group->name, font);
  RECT text{x, rect.top, std::min<LONG>(x + size.cx, right), rect.bottom};
  ui::DrawTextIn(dc, group->name, text, font, colours.accent,
                 DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  Gdiplus::Pen rule(ui::FromColorRef(ui::MixColorRef(colours.accent, Backdrop(), 0.6f)), 1);
  if (text.right + 10 < right) g.DrawLine(&rule, text.right + 10, middle, right - 4, middle);
  if (!group->collapsible) return;
  // The chevron points down while the group is open.
  Gdiplus::Pen chevron(ui::FromColorRef(colours.accent), 1.8f);
  const float cx = static_cast<float>(rect.right - kChevronRoom / 2), cy = float(middle);
  if (block.collapsed) {
    const Gdiplus::PointF arrow[] = {{cx - 2, cy - 5}, {cx + 3, cy}, {cx - 2, cy + 5}};
    g.DrawLines(&chevron, arrow, 3);
  } else {
    const Gdiplus::PointF arrow[] = {{cx - 5, cy - 2}, {cx, cy + 3}, {cx + 5, cy - 2}};
    g.DrawLines(&chevron, arrow, 3);
  }
}

void ToolListView::PaintCheckBox(Gdiplus::Graphics& g, const RECT& box, bool ticked) {
  const auto& colours = OwnerColors();
  Gdiplus::GraphicsPath path;
  ui::AddRoundedRect(path, ToRectF(box), 3);
  Gdiplus::SolidBrush face(ui::FromColorRef(ticked ? colours.accent : 0xFFFFFF));
  g.FillPath(&face, &path);
  Gdiplus::Pen border(
      ui::FromColorRef(ticked ? colours.accent : ui::MixColorRef(colours.text, Backdrop(), 0.4f)),
      1.2f);
  g.DrawPath(&border, &path);
  if (!ticked) return;
  Gdiplus::Pen mark(ui::FromColorRef(0xFFFFFF), 2.2f);
  mark.SetStartCap(Gdiplus::LineCapRound);
  mark.SetEndCap(Gdiplus::LineCapRound);
  mark.SetLineJoin(Gdiplus::LineJoinRound);
  const float x = float(box.left), y = float(box.top);
  const Gdiplus::PointF tick[] = {{x + 3.5f, y + 7.5f}, {x + 6, y + 10.5f}, {x + 11, y + 4}};
  g.DrawLines(&mark, tick, 3);
}

Gdiplus::Bitmap* ToolListView::IconOf(std::size_t index) {
  const ToolIcon& icon = list_->Entry(index).icon;
  if (icon.file.empty()) return icon.imageId ? Kit().Image(icon.imageId) : nullptr;
  auto found = fileIcons_.find(icon.file);
  if (found == fileIcons_.end()) {
    found = fileIcons_.emplace(icon.file, ui::LoadPng(ReadFileBytes(icon.file))).first;
  }
  return found->second.get();
}

void ToolListView::PaintTile(HDC dc, std::size_t index, RECT tile) {
  const ListEntry& entry = list_->Entry(index);
  const auto& colours = OwnerColors();
  const auto box = *layout_.TileBox(index);
  RECT face = tile;
  ::InflateRect(&face, -2, -2);
  {
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::GraphicsPath shape;
    ui::AddRoundedRect(shape, ToRectF(face), 4);
    const bool selected = IsSelected(index);
    if (selected || hot_ == index) {
      const float weight = selected ? 0.3f : 0.12f;
      Gdiplus::SolidBrush fill(ui::FromColorRef(ui::MixColorRef(Backdrop(), colours.accent, weight)));
      g.FillPath(&fill, &shape);
    }
    if (HasFocus() && focus_ == index) {
      Gdiplus::Pen ring(ui::FromColorRef(colours.accent), 1);
      ring.SetDashStyle(Gdiplus::DashStyleDot);
      g.DrawPath(&ring, &shape);
    }
    PaintCheckBox(g, OnScreen(layout_.CheckBoxIn(box)), entry.ticked);
    const RECT icon = OnScreen(layout_.IconIn(box));
    ui::DrawImage(g, IconOf(index), icon.left, icon.top, icon.right - icon.left,
                  icon.bottom - icon.top);
  }
  const RECT text = OnScreen(layout_.TextIn(box));
  const int middle = (text.top + text.bottom) / 2;
  ui::DrawTextIn(dc, entry.name, {text.left, text.top, text.right, middle},
                 Kit().Font(ui::Points(9, FW_BOLD)), colours.text,
                 DT_LEFT | DT_SINGLELINE | DT_BOTTOM | DT_END_ELLIPSIS);
  ui::DrawTextIn(dc, entry.secondLine, {text.left, middle + 1, text.right, text.bottom},
                 Kit().Font(ui::Points(8)), ui::MixColorRef(colours.text, Backdrop(), 0.4f),
                 DT_LEFT | DT_SINGLELINE | DT_TOP | DT_END_ELLIPSIS);
}

}  // namespace kva::win32
