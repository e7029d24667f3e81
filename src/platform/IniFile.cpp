#include "platform/IniFile.h"

#include <algorithm>
#include <cstdlib>

#include "platform/FileSystem.h"
#include "platform/Regex.h"
#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::u16string_view kSectionPattern = u"^\\[(.+)\\].*";

// The value on line when it holds key: the key name (first character
// exact, the rest case-insensitive), optional blanks, "=", then the value
// without its leading blanks.
std::optional<std::u16string_view> ValueOf(std::u16string_view line, std::u16string_view key) {
  if (key.empty() || line.size() < key.size() || line[0] != key[0] ||
      !EqualsNoCase(line.substr(0, key.size()), key)) {
    return std::nullopt;
  }
  const std::u16string_view rest = TrimLeft(line.substr(key.size()));
  if (rest.empty() || rest[0] != u'=') return std::nullopt;
  return TrimLeft(rest.substr(1));
}

bool FitsOnLine(std::u16string_view text) { return text.find_first_of(u"\r\n") == kNpos; }

bool IsWritable(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  return !section.empty() && !Trim(key).empty() && key[0] != u'[' && key.find(u'=') == kNpos &&
         FitsOnLine(section) && FitsOnLine(key) && FitsOnLine(value);
}

}  // namespace

IniFile IniFile::Parse(std::span<const std::uint8_t> bytes) {
  return FromText(DecodeText(bytes, WithoutMark::Utf8IfValid).text);
}

IniFile IniFile::FromText(std::u16string_view text) {
  const auto sectionLine = Regex::Compile(kSectionPattern);
  // A constant pattern fails only when memory is exhausted; reading on
  // without sections could lead a caller to rewrite the file wrongly.
  if (!sectionLine) std::abort();
  const std::u16string_view separator = text.find(u"\r\n") != kNpos ? u"\r\n" : u"\n";
  IniFile file;
  for (const std::u16string_view piece : Split(text, separator)) {
    if (piece.empty() || piece[0] == u'\r') continue;
    Line line{std::u16string(piece), false, {}};
    if (piece[0] == u'[') {
      if (auto hit = sectionLine->First(piece)) {
        line.startsSection = true;
        line.section = std::move(hit->groups[1].text);
      }
    }
    file.lines_.push_back(std::move(line));
  }
  return file;
}

std::optional<IniFile::Range> IniFile::FindSection(std::u16string_view name) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (!lines_[i].startsSection || !EqualsNoCase(lines_[i].section, name)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !lines_[end].startsSection) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Range& range, std::u16string_view key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (ValueOf(lines_[i].text, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::u16string> IniFile::ReadString(std::u16string_view section,
                                                  std::u16string_view key) const {
  const auto range = FindSection(section);
  const auto index = range ? FindKey(*range, key) : std::nullopt;
  if (!index) return std::nullopt;
  return std::u16string(*ValueOf(lines_[*index].text, key));
}

std::int64_t IniFile::ReadInt(std::u16string_view section, std::u16string_view key) const {
  const auto value = ReadString(section, key);
  return value ? ParseLeadingInt(*value) : 0;
}

bool IniFile::WriteString(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
  if (!IsWritable(section, key, value)) return false;
  Line keyLine{std::u16string(key) + u"=" + std::u16string(value), false, {}};
  const auto range = FindSection(section);
  if (!range) {
    lines_.push_back({u"[" + std::u16string(section) + u"]", true, std::u16string(section)});
    lines_.push_back(std::move(keyLine));
  } else if (const auto index = FindKey(*range, key)) {
    lines_[*index] = std::move(keyLine);
  } else {
    lines_.insert(lines_.begin() + std::ptrdiff_t(range->end), std::move(keyLine));
  }
  return true;
}

bool IniFile::WriteInt(std::u16string_view section, std::u16string_view key, std::int64_t value) {
  return WriteString(section, key, ToDecimal(value));
}

bool IniFile::DeleteKey(std::u16string_view section, std::u16string_view key) {
  const auto range = FindSection(section);
  if (!range) return false;
  bool removed = false;
  for (std::size_t i = range->end; i-- > range->header + 1;) {
    if (!ValueOf(lines_[i].text, key)) continue;
    lines_.erase(lines_.begin() + std::ptrdiff_t(i));
    removed = true;
  }
  return removed;
}

bool IniFile::DeleteSection(std::u16string_view section) {
  bool removed = false;
  while (const auto range = FindSection(section)) {
    lines_.erase(lines_.begin() + std::ptrdiff_t(range->header),
                 lines_.begin() + std::ptrdiff_t(range->end));
    removed = true;
  }
  return removed;
}

std::vector<std::u16string> IniFile::Sections() const {
  std::vector<std::u16string> names;
  for (const Line& line : lines_) {
    if (!line.startsSection) continue;
    const bool seen = std::any_of(names.begin(), names.end(), [&](const auto& name) {
      return EqualsNoCase(name, line.section);
    });
    if (!seen) names.push_back(line.section);
  }
  return names;
}

std::vector<IniEntry> IniFile::Keys(std::u16string_view section) const {
  std::vector<IniEntry> entries;
  const auto range = FindSection(section);
  if (!range) return entries;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    const std::u16string_view text = lines_[i].text;
    const std::size_t equals = text.find(u'=');
    if (equals == kNpos) continue;
    const std::u16string_view name = TrimRight(text.substr(0, equals));
    // Only the line that a read of this name finds; a later duplicate is hidden.
    if (name.empty() || FindKey(*range, name) != i) continue;
    entries.push_back({std::u16string(name), std::u16string(TrimLeft(text.substr(equals + 1)))});
  }
  return entries;
}

std::vector<std::uint8_t> IniFile::Serialize() const {
  std::u16string text;
  for (const Line& line : lines_) text.append(line.text).append(u"\r\n");
  return EncodeUtf16Le(text, true);
}

IniFile ReadIniFile(FileSystem& files, std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  // Missing or unreadable: an empty file, as documented.
  if (!files.ReadAll(path, bytes)) return IniFile();
  return IniFile::Parse(bytes);
}

std::optional<IniFile> ReadIniFileToRewrite(FileSystem& files, std::u16string_view path) {
  std::vector<std::uint8_t> bytes;
  if (files.ReadAll(path, bytes)) return IniFile::Parse(bytes);
  if (Exists(files, path)) return std::nullopt;
  return IniFile();
}

bool WriteIniFile(FileSystem& files, std::u16string_view path, const IniFile& ini) {
  // Beside the old file first, then one rename: a crash leaves the old
  // file or the new one, never a torn one.
  const std::u16string pending = std::u16string(path) + u".new";
  if (files.WriteAll(pending, ini.Serialize()) && files.MoveTo(pending, path, true)) return true;
  [[maybe_unused]] const bool cleaned = files.RemoveFile(pending);
  return false;
}

}  // namespace kva
