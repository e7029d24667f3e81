#pragma once
// The "Load / Save selection" window as data: the selection names it
// lists, the highlighted row, the typed name, which buttons are enabled,
// and what each button does. The toolkit window draws this and routes its
// clicks here; notices and questions go through Interaction.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/Selections.h"
#include "platform/Regex.h"

namespace kva {

class FileSystem;
class Interaction;
class Registry;
class ToolListModel;

namespace selection_text {
inline constexpr std::u16string_view kTitle = u"Load / Save selection";
inline constexpr std::u16string_view kListLabel = u"Available selections:";
inline constexpr std::u16string_view kListColumn = u"Selection name";
inline constexpr std::u16string_view kNameLabel = u"Name of your new selection:";
inline constexpr int kRowImage = 168;  // 16 x 16
inline constexpr int kWidth = 600;
inline constexpr int kHeight = 530;

struct ButtonText {
  std::u16string_view text;
  std::u16string_view tooltip;
};
inline constexpr ButtonText kLoad{u"Load selected", u"Load the highlighted selection"};
inline constexpr ButtonText kMerge{u"Merge selected",
                                   u"Merge the highlighted selection with the current selection"};
inline constexpr ButtonText kDelete{u"Delete selected", u"Delete the highlighted selection"};
inline constexpr ButtonText kSave{u"Save new", u"Save the tools selection with the specified name"};
inline constexpr ButtonText kClose{u"Close / Cancel", u"Close this window"};

inline constexpr std::u16string_view kFolderFailed =
    u"Your selections directory could not be created.";
inline constexpr std::u16string_view kDeleteFailed = u"Sorry, this selection could not be deleted.";
inline constexpr std::u16string_view kOverwrite = u"Overwrite this selection?";
inline constexpr std::u16string_view kSaved = u"The selection was successfully saved.";
inline constexpr std::u16string_view kSavedPartly =
    u"The selection was saved, but the state of some items could not be exported.";
inline constexpr std::u16string_view kSaveFailed = u"Sorry, this selection could not be saved.";
// Loading or merging a file that is gone or cannot be read changes nothing.
inline constexpr std::u16string_view kLoadFailed = u"Sorry, this selection could not be read.";
inline constexpr std::u16string_view kLoadedPartly =
    u"The selection was loaded, but the state of some items could not be saved.";
}  // namespace selection_text

struct SelectionButtons {
  bool load = false;
  bool merge = false;
  bool remove = false;  // "Delete selected"
  bool save = false;
  bool close = true;
};

class SelectionWindowModel {
 public:
  // Creates the folder when it is missing. Empty when that fails; the
  // user has then been told and no window opens.
  static std::optional<SelectionWindowModel> Open(FileSystem& files, Interaction& interaction,
                                                  std::u16string_view folder);

  [[nodiscard]] const std::vector<std::u16string>& Names() const { return names_; }
  [[nodiscard]] std::optional<std::size_t> Highlighted() const { return highlighted_; }
  [[nodiscard]] const std::u16string& TypedName() const { return typed_; }
  [[nodiscard]] SelectionButtons Buttons() const;

  // Highlighting a row copies its name into the text box.
  void Highlight(std::optional<std::size_t> row);
  void SetTypedName(std::u16string_view text) { typed_ = text; }

  // "Load selected" / "Merge selected": the window closes once it was
  // applied; a file that cannot be read is reported and the window stays.
  ApplySelectionResult ApplyHighlighted(ToolListModel& list, Registry& registry, bool merge);
  // "Delete selected": no confirmation; the row goes when the file is gone.
  void DeleteHighlighted();
  // "Save new"; the window stays open. Returns the saved name's row.
  std::optional<std::size_t> SaveTyped(const ToolListModel& list);

  // The file name a typed name is saved under: characters that cannot be
  // in a file name become blanks.
  [[nodiscard]] std::u16string FileNameFor(std::u16string_view typed) const;

 private:
  SelectionWindowModel(FileSystem& files, Interaction& interaction, std::u16string_view folder,
                       Regex forbidden);
  std::size_t ShowName(const std::u16string& name);

  FileSystem* files_;
  Interaction* interaction_;
  std::u16string folder_;
  Regex forbidden_;
  std::vector<std::u16string> names_;
  std::optional<std::size_t> highlighted_;
  std::u16string typed_;
};

}  // namespace kva
