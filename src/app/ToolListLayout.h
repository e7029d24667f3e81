#pragma once
// Where the tool list puts things: a header band per group that has
// entries, then its entries as tiles in rows, left to right; a collapsed
// group shows its header only. The Win32 list paints from this, hit-tests
// the mouse with it and moves the keyboard focus through it. Coordinates
// are pixels in the list's content, before scrolling.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace kva {

class ToolListModel;

struct LayoutBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  [[nodiscard]] bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  bool operator==(const LayoutBox&) const = default;
};

struct ListMetrics {
  int tileWidth = 280;  // 220 before Windows 6.0
  int tileHeight = 46;
  int headerHeight = 30;
  int margin = 6;       // around the tiles and between groups
  int checkBoxSize = 14;
  int iconSize = 22;
};

struct GroupBlock {
  int number = 0;
  LayoutBox header;
  std::size_t first = 0;  // index of its first entry
  std::size_t count = 0;
  bool collapsed = false;
};

enum class ListPart { None, Header, CheckBox, Tile };

struct ListHit {
  ListPart part = ListPart::None;
  std::optional<std::size_t> entry;  // CheckBox and Tile
  std::optional<int> group;          // Header
  bool operator==(const ListHit&) const = default;
};

enum class ListStep { Left, Right, Up, Down, PageUp, PageDown, Home, End };

class ToolListLayout {
 public:
  // width: the content width; at least one tile goes in a row.
  void Build(const ToolListModel& list, int width, const ListMetrics& metrics);

  [[nodiscard]] int TotalHeight() const { return totalHeight_; }
  [[nodiscard]] int Columns() const { return columns_; }
  [[nodiscard]] std::span<const GroupBlock> Blocks() const { return blocks_; }
  [[nodiscard]] const ListMetrics& Metrics() const { return metrics_; }

  // Empty while its group is collapsed (or it is not in the list).
  [[nodiscard]] std::optional<LayoutBox> TileBox(std::size_t index) const;
  [[nodiscard]] LayoutBox CheckBoxIn(const LayoutBox& tile) const;
  [[nodiscard]] LayoutBox IconIn(const LayoutBox& tile) const;
  [[nodiscard]] LayoutBox TextIn(const LayoutBox& tile) const;

  [[nodiscard]] ListHit HitTest(int x, int y) const;

  // The entry the focus moves to from `from` (none: the first shown). Up
  // and Down keep the column where the next row has one; the page steps
  // move by as many rows as fit in pageHeight. Empty when nothing is shown.
  [[nodiscard]] std::optional<std::size_t> Step(std::optional<std::size_t> from, ListStep step,
                                                int pageHeight) const;

 private:
  struct Row {
    std::size_t first = 0;
    std::size_t count = 0;
    int top = 0;
  };
  [[nodiscard]] std::optional<std::size_t> RowOf(std::size_t index) const;
  [[nodiscard]] std::size_t InRow(std::size_t row, std::size_t column) const;
  [[nodiscard]] std::optional<std::size_t> FirstShownFrom(std::size_t index) const;

  ListMetrics metrics_;
  int columns_ = 1;
  int totalHeight_ = 0;
  std::vector<GroupBlock> blocks_;
  std::vector<Row> rows_;  // the shown rows, top to bottom
};

}  // namespace kva
