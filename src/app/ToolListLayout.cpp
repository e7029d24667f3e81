#include "app/ToolListLayout.h"

#include <algorithm>

#include "catalog/ToolListModel.h"

namespace kva {

void ToolListLayout::Build(const ToolListModel& list, int width, const ListMetrics& metrics) {
  metrics_ = metrics;
  blocks_.clear();
  rows_.clear();
  columns_ = std::max(1, (width - metrics.margin) / std::max(1, metrics.tileWidth));
  const auto columns = std::size_t(columns_);
  int y = 0;
  for (const auto& group : list.Groups()) {
    const auto count = list.EntriesOf(group.number).size();
    // Like the list view, a group without entries shows nothing at all.
    if (count == 0) continue;
    GroupBlock block{group.number, {0, y, width, y + metrics.headerHeight},
                     list.GroupStart(group.number).value_or(0), count,
                     group.collapsible && group.collapsed};
    y += metrics.headerHeight;
    if (!block.collapsed) {
      for (std::size_t done = 0; done < count; done += columns) {
        rows_.push_back({block.first + done, std::min(columns, count - done), y});
        y += metrics.tileHeight;
      }
    }
    y += metrics.margin;
    blocks_.push_back(block);
  }
  totalHeight_ = y;
}

std::optional<std::size_t> ToolListLayout::RowOf(std::size_t index) const {
  const auto after = std::upper_bound(rows_.begin(), rows_.end(), index,
                                      [](std::size_t i, const Row& row) { return i < row.first; });
  if (after == rows_.begin()) return std::nullopt;
  const auto row = std::size_t(after - rows_.begin()) - 1;
  if (index >= rows_[row].first + rows_[row].count) return std::nullopt;
  return row;
}

std::optional<LayoutBox> ToolListLayout::TileBox(std::size_t index) const {
  const auto row = RowOf(index);
  if (!row) return std::nullopt;
  const int column = int(index - rows_[*row].first);
  const int left = metrics_.margin + column * metrics_.tileWidth;
  const int top = rows_[*row].top;
  return LayoutBox{left, top, left + metrics_.tileWidth, top + metrics_.tileHeight};
}

LayoutBox ToolListLayout::CheckBoxIn(const LayoutBox& tile) const {
  const int size = metrics_.checkBoxSize;
  const int top = tile.top + (tile.bottom - tile.top - size) / 2;
  return {tile.left + 6, top, tile.left + 6 + size, top + size};
}

LayoutBox ToolListLayout::IconIn(const LayoutBox& tile) const {
  const int size = metrics_.iconSize;
  const int left = CheckBoxIn(tile).right + 6;
  const int top = tile.top + (tile.bottom - tile.top - size) / 2;
  return {left, top, left + size, top + size};
}

LayoutBox ToolListLayout::TextIn(const LayoutBox& tile) const {
  return {IconIn(tile).right + 8, tile.top + 4, tile.right - 4, tile.bottom - 4};
}

ListHit ToolListLayout::HitTest(int x, int y) const {
  for (const auto& block : blocks_) {
    if (block.header.Contains(x, y)) return {ListPart::Header, std::nullopt, block.number};
  }
  const auto below = std::upper_bound(rows_.begin(), rows_.end(), y,
                                      [](int at, const Row& row) { return at < row.top; });
  if (below == rows_.begin() || x < metrics_.margin) return {};
  const Row& row = *(below - 1);
  if (y >= row.top + metrics_.tileHeight) return {};
  const auto column = std::size_t((x - metrics_.margin) / metrics_.tileWidth);
  if (column >= row.count) return {};
  const std::size_t entry = row.first + column;
  LayoutBox box = CheckBoxIn(*TileBox(entry));
  // A little slack around the small box, as a finger on a touchpad needs.
  constexpr int kSlack = 3;
  box = {box.left - kSlack, box.top - kSlack, box.right + kSlack, box.bottom + kSlack};
  return {box.Contains(x, y) ? ListPart::CheckBox : ListPart::Tile, entry, std::nullopt};
}

std::size_t ToolListLayout::InRow(std::size_t row, std::size_t column) const {
  return rows_[row].first + std::min(column, rows_[row].count - 1);
}

std::optional<std::size_t> ToolListLayout::FirstShownFrom(std::size_t index) const {
  for (const auto& row : rows_) {
    if (row.first + row.count > index) return std::max(row.first, index);
  }
  return rows_.back().first + rows_.back().count - 1;
}

std::optional<std::size_t> ToolListLayout::Step(std::optional<std::size_t> from, ListStep step,
                                                int pageHeight) const {
  if (rows_.empty()) return std::nullopt;
  const std::size_t last = rows_.size() - 1;
  if (step == ListStep::Home || (!from && step != ListStep::End)) return rows_.front().first;
  if (step == ListStep::End) return InRow(last, rows_[last].count);
  const auto row = RowOf(*from);
  // The focus sat in a group that has been collapsed since.
  if (!row) return FirstShownFrom(*from);
  const std::size_t column = *from - rows_[*row].first;
  const std::size_t page = std::size_t(std::max(1, pageHeight / std::max(1, metrics_.tileHeight)));
  switch (step) {
    case ListStep::Left:
      if (column > 0) return *from - 1;
      return *row > 0 ? InRow(*row - 1, rows_[*row - 1].count) : *from;
    case ListStep::Right:
      if (column + 1 < rows_[*row].count) return *from + 1;
      return *row < last ? rows_[*row + 1].first : *from;
    case ListStep::Up:
      return *row > 0 ? InRow(*row - 1, column) : *from;
    case ListStep::Down:
      return *row < last ? InRow(*row + 1, column) : *from;
    case ListStep::PageUp:
      return InRow(*row > page ? *row - page : 0, column);
    case ListStep::PageDown:
      return InRow(std::min(last, *row + page), column);
    case ListStep::Home:
    case ListStep::End:
      break;
  }
  return *from;
}

}  // namespace kva
