#include "app/RestoreHiddenModel.h"

#include <algorithm>

namespace kva {

RestoreHiddenModel::RestoreHiddenModel(ToolState& state) : state_(state) {
  for (auto& tool : state.ListHidden()) rows_.push_back({std::move(tool), false});
}

void RestoreHiddenModel::SetTicked(std::size_t row, bool ticked) {
  if (row < rows_.size()) rows_[row].ticked = ticked;
}

void RestoreHiddenModel::SetAllTicked(bool ticked) {
  for (auto& row : rows_) row.ticked = ticked;
}

bool RestoreHiddenModel::RestoreEnabled() const {
  return std::any_of(rows_.begin(), rows_.end(), [](const auto& row) { return row.ticked; });
}

std::size_t RestoreHiddenModel::RestoreTicked() {
  std::size_t restored = 0;
  for (std::size_t row = rows_.size(); row-- > 0;) {
    if (!rows_[row].ticked || !state_.Restore(rows_[row].tool.name, rows_[row].tool.group)) {
      continue;
    }
    rows_.erase(rows_.begin() + std::ptrdiff_t(row));
    ++restored;
  }
  return restored;
}

}  // namespace kva
