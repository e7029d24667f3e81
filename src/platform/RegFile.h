#pragma once
// Registry editor (.reg) text: the catalogue's source form and kvahive's
// dump format. A file is parsed completely before anything is written, so
// bad input changes nothing; the operations then go through the Registry
// port. Export writes a key tree back in the forms regedit uses, and
// importing that text gives back the same keys, values and types.

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryAccess.h"

namespace kva {

enum class RegFileVersion { Regedit4, Version5 };

struct RegFileError {
  std::size_t line = 0;  // 1-based; 0 when no line of the file is at fault
  std::u16string reason;
  bool operator==(const RegFileError&) const = default;
};

// "line 12: dword value needs 1 to 8 hex digits"
std::u16string Describe(const RegFileError& error);

struct RegValueEdit {
  std::size_t line = 0;
  std::u16string name;            // empty: the key's default value
  std::optional<RegValue> value;  // none: "name"=- deletes the value
  bool operator==(const RegValueEdit&) const = default;
};

struct RegKeyEdit {
  std::size_t line = 0;
  std::u16string path;  // as written, root included
  bool remove = false;  // [-path]: the key and everything below it go
  std::vector<RegValueEdit> values;
  bool operator==(const RegKeyEdit&) const = default;
};

struct RegFile {
  RegFileVersion version = RegFileVersion::Version5;
  std::vector<RegKeyEdit> keys;
};

// text is already decoded (a leading U+FEFF is ignored).
std::expected<RegFile, RegFileError> ParseRegText(std::u16string_view text);

// Where the file's keys go. With no destination every key is written at its
// own path. With one, every key must lie under base (the file's first key
// when base is empty) and is written below destination instead, so that
// [HKEY_LOCAL_MACHINE\kva_tools\Groups] lands in destination\Groups.
struct ImportTarget {
  std::u16string destination;
  std::u16string base;
};

// Checks every path against the target first, then writes. A registry
// failure while writing stops at that line; what was written stays.
std::expected<void, RegFileError> ApplyRegFile(Registry& registry, const RegFile& file,
                                               const ImportTarget& target = {});
std::expected<void, RegFileError> ImportRegText(Registry& registry, std::u16string_view text,
                                                const ImportTarget& target = {});

struct RegExportError {
  std::u16string path;  // the shown path of the key that could not be written
  std::u16string reason;
  bool operator==(const RegExportError&) const = default;
};

// "Windows Registry Editor Version 5.00" text of tree and everything below
// it, the tree shown as shownPath; lines end in LF. Fails rather than leave
// out a key or value it cannot read or represent.
std::expected<std::u16string, RegExportError> ExportRegText(const RegKey& tree,
                                                            std::u16string_view shownPath);

}  // namespace kva
