#include "app/SelectionWindowModel.h"

#include <algorithm>
#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/HiveFiles.h"
#include "platform/Interaction.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Slash, backslash, colon, asterisk, question mark, double quote, less-than,
// greater-than and vertical bar: what Windows refuses in a file name.
constexpr std::u16string_view kForbiddenPattern = u"[/\\\\:*?\"<>|]";

}  // namespace

SelectionWindowModel::SelectionWindowModel(FileSystem& files, Interaction& interaction,
                                           std::u16string_view folder, Regex forbidden)
    : files_(&files), interaction_(&interaction), folder_(folder), forbidden_(std::move(forbidden)) {}

std::optional<SelectionWindowModel> SelectionWindowModel::Open(FileSystem& files,
                                                               Interaction& interaction,
                                                               std::u16string_view folder) {
  if (!files.CreateFolders(folder)) {
    interaction.ShowMessage(selection_text::kFolderFailed, msg::kNotice);
    return std::nullopt;
  }
  auto forbidden = Regex::Compile(kForbiddenPattern);
  // A constant pattern fails only when memory is exhausted; saving without
  // it could write outside the folder.
  if (!forbidden) std::abort();
  SelectionWindowModel model(files, interaction, folder, std::move(*forbidden));
  model.names_ = ListSelections(files, folder);
  return model;
}

SelectionButtons SelectionWindowModel::Buttons() const {
  const bool row = highlighted_.has_value();
  return {row, row, row, !typed_.empty(), true};
}

void SelectionWindowModel::Highlight(std::optional<std::size_t> row) {
  if (row && *row >= names_.size()) row.reset();
  highlighted_ = row;
  if (row) typed_ = names_[*row];
}

ApplySelectionResult SelectionWindowModel::ApplyHighlighted(ToolListModel& list,
                                                            Registry& registry, bool merge) {
  if (!highlighted_) return {};
  const auto result = ApplySelection(list, registry, *files_,
                                     SelectionFilePath(folder_, names_[*highlighted_]), merge);
  if (!result.applied) {
    interaction_->ShowMessage(selection_text::kLoadFailed, msg::kNotice);
  } else if (!result.stateSaved) {
    interaction_->ShowMessage(selection_text::kLoadedPartly, msg::kNotice);
  }
  return result;
}

void SelectionWindowModel::DeleteHighlighted() {
  if (!highlighted_) return;
  if (!ForceRemoveFile(*files_, SelectionFilePath(folder_, names_[*highlighted_]))) {
    interaction_->ShowMessage(selection_text::kDeleteFailed, msg::kNotice);
    return;
  }
  names_.erase(names_.begin() + std::ptrdiff_t(*highlighted_));
  highlighted_.reset();
}

std::u16string SelectionWindowModel::FileNameFor(std::u16string_view typed) const {
  // Only a failed allocation can fail a fixed replacement; no name then.
  return forbidden_.Replace(typed, u" ").value_or(std::u16string());
}

std::optional<std::size_t> SelectionWindowModel::SaveTyped(const ToolListModel& list) {
  const auto name = FileNameFor(typed_);
  if (name.empty()) return std::nullopt;
  const auto path = SelectionFilePath(folder_, name);
  if (Exists(*files_, path) &&
      interaction_->ShowMessage(selection_text::kOverwrite, msg::kQuestion) != msg::kYes) {
    return std::nullopt;
  }
  const auto saved = SaveSelection(list, *files_, path);
  if (saved == SelectionSave::Failed) {
    interaction_->ShowMessage(selection_text::kSaveFailed, msg::kNotice);
    return std::nullopt;
  }
  const auto row = ShowName(name);
  interaction_->ShowMessage(
      saved == SelectionSave::Complete ? selection_text::kSaved : selection_text::kSavedPartly,
      msg::kNotice);
  return row;
}

// Adds the name in sorted order unless it is listed already; the
// highlight stays on its selection.
std::size_t SelectionWindowModel::ShowName(const std::u16string& name) {
  const auto at = std::lower_bound(names_.begin(), names_.end(), name, LessNoCase());
  const auto row = std::size_t(at - names_.begin());
  if (at != names_.end() && EqualsNoCase(*at, name)) return row;
  names_.insert(at, name);
  if (highlighted_ && *highlighted_ >= row) ++*highlighted_;
  return row;
}

}  // namespace kva
