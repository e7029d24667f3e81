#pragma once
// The tool list: each group's header band and its entries as tiles with a
// check box, an icon and two lines of text, drawn by the program on every
// Windows version (Wine's list view draws neither tiles nor groups).
// Several entries may be selected; the focused entry, while selected, is
// the highlighted one the commands work on. Ticks and collapsed groups
// live in the ToolListModel; a tick click is only reported, the window
// decides.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/ToolListLayout.h"
#include "ui/Control.h"

namespace kva {
class ToolListModel;
}

namespace kva::win32 {

class ToolListView final : public ui::Control {
 public:
  struct Events {
    std::function<void(std::size_t index, bool ticked)> tickClicked;
    std::function<void()> highlightChanged;
    std::function<void(std::size_t index)> activated;  // double-click on an entry
    std::function<void(POINT screen)> contextMenu;     // right-click
  };

  using Control::Control;
  bool Create(int id, const RECT& rect, Events events);
  // The list shown from now on; it outlives the view.
  void Attach(ToolListModel& list, const ListMetrics& metrics);
  // Entries were added, removed or moved: the selection goes.
  void Reload();
  // Collapsed states or the size changed.
  void Relayout();

  [[nodiscard]] std::optional<std::size_t> Highlighted() const;
  [[nodiscard]] bool IsSelected(std::size_t index) const;
  // Exactly these become selected; the first gets the focus.
  void Select(std::span<const std::size_t> entries);
  void Reveal(std::size_t index);

  // Client coordinates; empty while not shown.
  [[nodiscard]] std::optional<RECT> TileRect(std::size_t index) const;
  [[nodiscard]] std::optional<RECT> CheckBoxRect(std::size_t index) const;
  [[nodiscard]] std::optional<RECT> IconRect(std::size_t index) const;
  [[nodiscard]] std::optional<RECT> HeaderRect(int group) const;

 private:
  void Paint(HDC dc, const RECT& client) override;
  void PaintHeader(HDC dc, const GroupBlock& block, RECT rect);
  void PaintTile(HDC dc, std::size_t index, RECT tile);
  void PaintCheckBox(Gdiplus::Graphics& g, const RECT& box, bool ticked);
  Gdiplus::Bitmap* IconOf(std::size_t index);
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnButtonDown(POINT at, bool doubleClick);
  void OnRightButtonDown(POINT at);
  bool OnKey(WPARAM key);
  void OnScrollBar(WORD code);
  void Scroll(int deltaPixels);
  void TrackHot(POINT at);

  void ToggleTick(std::size_t index);
  void ToggleGroup(int group);
  void ClickSelect(std::size_t index, bool keep, bool extend);
  void MoveFocus(std::size_t index, bool keep, bool extend);
  void SelectRange(std::size_t from, std::size_t to);
  void ClearSelection();
  // Tells the window when the highlighted entry is another than before.
  void NotifyHighlight(std::optional<std::size_t> before);
  void UpdateScrollBar();
  [[nodiscard]] int ClientHeight() const;
  [[nodiscard]] RECT OnScreen(const LayoutBox& box) const;

  Events events_;
  ToolListModel* list_ = nullptr;
  ListMetrics metrics_;
  ToolListLayout layout_;
  std::vector<bool> selected_;
  std::optional<std::size_t> focus_;
  std::optional<std::size_t> anchor_;  // where a Shift range starts
  std::optional<std::size_t> hot_;     // under the mouse
  int scroll_ = 0;                     // content pixels above the client area
  std::map<std::u16string, std::unique_ptr<Gdiplus::Bitmap>> fileIcons_;
};

}  // namespace kva::win32
