#include "catalog/Selections.h"

#include <algorithm>
#include <optional>

#include "catalog/ToolListModel.h"
#include "catalog/ToolRecord.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kGroupStateKey = u"State";

// The file's lines, or an empty file when there is none yet. A file that
// exists but cannot be read gives nothing: rewriting it would lose lines.
std::optional<IniFile> ReadSelectionFile(FileSystem& files, std::u16string_view path) {
  if (!Exists(files, path)) return IniFile();
  std::vector<std::uint8_t> bytes;
  if (!files.ReadAll(path, bytes)) return std::nullopt;
  return IniFile::Parse(bytes);
}

bool StartsGroup(const ToolListModel& list, std::size_t index) {
  return index == 0 || list.Entry(index - 1).group != list.Entry(index).group;
}

}  // namespace

SelectionSave SaveSelection(const ToolListModel& list, FileSystem& files,
                            std::u16string_view path) {
  auto ini = ReadSelectionFile(files, path);
  if (!ini) return SelectionSave::Failed;
  std::size_t written = 0, refused = 0;
  const auto note = [&](bool ok) { ++(ok ? written : refused); };
  for (std::size_t i = 0; i < list.EntryCount(); ++i) {
    const auto& entry = list.Entry(i);
    const auto section = ToDecimal(entry.group);
    if (StartsGroup(list, i)) {
      const auto* group = list.FindGroup(entry.group);
      note(ini->WriteInt(section, kGroupStateKey, group && group->collapsed ? 1 : 0));
    }
    note(ini->WriteInt(section, entry.name, entry.ticked ? 1 : 0));
  }
  if (written == 0 || !WriteIniFile(files, path, *ini)) return SelectionSave::Failed;
  return refused == 0 ? SelectionSave::Complete : SelectionSave::Partial;
}

ApplySelectionResult ApplySelection(ToolListModel& list, Registry& registry, FileSystem& files,
                                    std::u16string_view path, bool merge) {
  // A missing or unreadable file must not untick everything.
  if (!Exists(files, path)) return {};
  std::vector<std::uint8_t> bytes;
  if (!files.ReadAll(path, bytes)) return {};
  const auto ini = IniFile::Parse(bytes);
  bool stateSaved = true;
  for (std::size_t i = 0; i < list.EntryCount(); ++i) {
    const auto& entry = list.Entry(i);
    const auto section = ToDecimal(entry.group);
    if (StartsGroup(list, i)) {
      const auto* group = list.FindGroup(entry.group);
      if (group && group->collapsible) {
        list.SetCollapsed(entry.group, ini.ReadInt(section, kGroupStateKey) != 0);
      }
    }
    if (merge && entry.ticked) continue;
    // Written as 1 or 0, the only values the list loader reads as a tick.
    const bool ticked = ini.ReadInt(section, entry.name) != 0;
    list.SetTicked(i, ticked);
    stateSaved = WriteDwordAt(registry, StateKeyPath(entry.name, entry.group), value::kState,
                              ticked ? 1 : 0) &&
                 stateSaved;
  }
  return {true, list.TickedCount() > 0, stateSaved};
}

bool UntickInSelection(FileSystem& files, std::u16string_view path, const ListEntry& entry) {
  if (!Exists(files, path)) return false;
  auto ini = ReadSelectionFile(files, path);
  return ini && ini->WriteInt(ToDecimal(entry.group), entry.name, 0) &&
         WriteIniFile(files, path, *ini);
}

std::u16string SavedSelectionsFolder(std::u16string_view toolsDir) {
  return std::u16string(toolsDir) + u"\\Saved Selections";
}

std::u16string SelectionFilePath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  path += u'\\';
  path += name;
  path += kSelectionExtension;
  return path;
}

std::vector<std::u16string> ListSelections(FileSystem& files, std::u16string_view folder) {
  std::vector<std::u16string> names;
  for (const auto& found : files.Find(SelectionFilePath(folder, u"*"))) {
    if ((found.attributes & attr::kDirectory) || !EndsWithNoCase(found.name, kSelectionExtension)) {
      continue;
    }
    names.push_back(found.name.substr(0, found.name.size() - kSelectionExtension.size()));
  }
  std::sort(names.begin(), names.end(), LessNoCase());
  return names;
}

}  // namespace kva
