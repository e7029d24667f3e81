#pragma once
// Selection files: which tools are ticked and which groups are collapsed,
// as an INI text with one section per list group ("[5]"), its "State"
// (1 collapsed) and one "tool name=1|0" line per entry. The resume file
// of an interrupted run has the same format.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

class FileSystem;
class Registry;
class ToolListModel;
struct ListEntry;

inline constexpr std::u16string_view kSelectionExtension = u".kvasel";

enum class SelectionSave {
  Complete,  // every group state and tick is in the file
  Partial,   // the file was written, but some names could not be (an INI key holds no "=")
  Failed,    // nothing written: no line could be, or the file could not be read or written
};

// Writes the list into the file at path. Lines of an existing file are
// kept, so tools that are not listed now (hidden ones) keep their ticks;
// an existing file that cannot be read is left alone.
[[nodiscard]] SelectionSave SaveSelection(const ToolListModel& list, FileSystem& files, std::u16string_view path);

// The entry's line in an existing file set to 0 (the resume file, as the
// run moves on); false when the file is missing or could not be rewritten.
bool UntickInSelection(FileSystem& files, std::u16string_view path, const ListEntry& entry);

struct ApplySelectionResult {
  bool applied = false;    // false: the file is missing or unreadable, nothing changed
  bool anyTicked = false;  // some entry is ticked afterwards (the operation buttons)
  bool stateSaved = true;  // every tick it decided was written as State
};

// Sets the groups' collapsed states and the ticks from the file; an entry
// is found in the section of the group it is shown in. Replace mode
// unticks entries the file does not name; merge mode leaves ticked ones
// ticked. Every tick it decides is written as State to the entry's state
// key whatever the options say, so that it survives a restart.
ApplySelectionResult ApplySelection(ToolListModel& list, Registry& registry, FileSystem& files,
                                    std::u16string_view path, bool merge);

// "Saved Selections" in the tools folder.
std::u16string SavedSelectionsFolder(std::u16string_view toolsDir);
// folder\name.kvasel
std::u16string SelectionFilePath(std::u16string_view folder, std::u16string_view name);
// The names of the folder's selection files without the extension, sorted.
std::vector<std::u16string> ListSelections(FileSystem& files, std::u16string_view folder);

}  // namespace kva
