#pragma once
// The program's INI files (selections, KVASettings.ini, the report store's
// files, ...), read and rewritten line by line. The class works on bytes;
// its callers read and write the files.
//
// Reading: the bytes are decoded by their byte-order mark (UTF-16LE,
// UTF-16BE, UTF-8). Without one, valid UTF-8 is UTF-8 (Notepad saves so)
// and anything else Windows-1252, whose text is almost never valid UTF-8:
// one rule for every INI file, so that a file edited by hand and written
// back keeps its characters. Lines are split
// at CR LF, or at LF when the text has no CR LF. Empty lines and lines that
// start with CR are dropped. A line beginning with "[" that matches
// ^\[(.+)\].* starts a section named by the group; names compare
// case-insensitively. A key is found on a line of its section that starts
// with the key name (case-insensitive, but the first character must match
// exactly), then optional blanks or tabs, then "="; the value is the rest
// after "=" without leading blanks and tabs. Lines before the first section
// and lines that are neither sections nor keys are kept verbatim.
//
// Duplicates: the first section of a name and the first matching key line
// in it win, as a scan from the top finds them; later ones are kept but
// neither read nor written.
//
// Writing replaces the key's line with key=value, or inserts key=value at
// the end of its section, or appends the section line and the key line at
// the end. Text that would break the lines is refused: a blank key, a key
// starting with "[" or holding "=", an empty section name, and any CR or
// LF. Leading blanks of a value do not survive (reading skips them).
//
// Serialize gives UTF-16LE with FF FE, every line ending in CR LF.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextEncoding.h"

namespace kva {

struct IniEntry {
  std::u16string name;
  std::u16string value;
  bool operator==(const IniEntry&) const = default;
};

class IniFile {
 public:
  IniFile() = default;  // an empty file

  static IniFile Parse(std::span<const std::uint8_t> bytes);
  static IniFile FromText(std::u16string_view text);

  std::optional<std::u16string> ReadString(std::u16string_view section,
                                           std::u16string_view key) const;
  // Decimal; a missing key or a value without leading digits reads 0.
  std::int64_t ReadInt(std::u16string_view section, std::u16string_view key) const;

  // False, and nothing changed, when the text is refused (see above).
  [[nodiscard]] bool WriteString(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view value);
  [[nodiscard]] bool WriteInt(std::u16string_view section, std::u16string_view key,
                              std::int64_t value);
  // Removes every line of the key in its section; false when there was none.
  bool DeleteKey(std::u16string_view section, std::u16string_view key);
  // Removes every section of the name with all its lines; false when there was none.
  bool DeleteSection(std::u16string_view section);

  // Section names in file order, each name once (first spelling).
  std::vector<std::u16string> Sections() const;
  // The keys of a section in file order as ReadString sees them: names
  // without trailing blanks, each key once with the value read for it.
  std::vector<IniEntry> Keys(std::u16string_view section) const;

  std::vector<std::uint8_t> Serialize() const;

 private:
  struct Line {
    std::u16string text;
    bool startsSection = false;
    std::u16string section;  // the name, when startsSection
  };
  struct Range {
    std::size_t header;  // index of the section line
    std::size_t end;     // one past its last line
  };

  std::optional<Range> FindSection(std::u16string_view name) const;
  std::optional<std::size_t> FindKey(const Range& range, std::u16string_view key) const;

  std::vector<Line> lines_;
};

class FileSystem;

// The file at path as an INI object; a missing or unreadable file reads as
// an empty one.
IniFile ReadIniFile(FileSystem& files, std::u16string_view path);
// For a read-modify-write: the file at path, an empty one when there is
// no file, and nothing when a file is there but cannot be read, so that
// it is never saved over with what little the program knows.
std::optional<IniFile> ReadIniFileToRewrite(FileSystem& files, std::u16string_view path);
// Writes path.new and renames it over path in one step; false leaves the
// old file as it was.
bool WriteIniFile(FileSystem& files, std::u16string_view path, const IniFile& ini);

}  // namespace kva
