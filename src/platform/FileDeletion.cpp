#include "platform/FileDeletion.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/Wildcard.h"

namespace kva {
namespace {

// Worse outcomes compare greater, so that a folder takes its worst child's.
enum class Outcome { kRemoved, kAtRestart, kStays };

bool IsDriveLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// "C:\" or "\\server\share\" (which also covers "\\?\C:\"); npos for a path
// that is not absolute.
std::size_t RootLength(std::u16string_view text) {
  if (text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == u':' && text[2] == u'\\') return 3;
  if (!text.starts_with(u"\\\\")) return kNpos;
  const std::size_t server = text.find(u'\\', 2);
  if (server == kNpos || server == 2) return kNpos;
  const std::size_t share = text.find(u'\\', server + 1);
  if (share == server + 1) return kNpos;
  return share == kNpos ? kNpos : share + 1;  // a bare share is a root too
}

// Windows drops a name's trailing dots and spaces, so "C:\* " is "C:\*".
bool IsOnlyWildcards(std::u16string_view name) {
  return name.find_first_not_of(u"*?. ") == kNpos;
}

// "...", " " or ".. " would be read as ".", ".." or nothing.
bool IsAmbiguousName(std::u16string_view name) {
  return name != u"." && name != u".." && name.find_first_not_of(u". ") == kNpos;
}

// The path written plainly, with "." and ".." resolved, or nothing when it
// must not be deleted from (see DeleteItems).
std::optional<std::u16string> DeletionTarget(std::u16string_view path) {
  std::u16string text(path);
  std::replace(text.begin(), text.end(), u'/', u'\\');
  const std::size_t rootLength = RootLength(text);
  if (rootLength == kNpos) return std::nullopt;
  std::vector<std::u16string_view> parts;
  for (std::u16string_view part : Split(std::u16string_view(text).substr(rootLength), u"\\")) {
    if (part.empty() || part == u".") continue;
    if (IsAmbiguousName(part)) return std::nullopt;
    if (part != u"..") {
      parts.push_back(part);
    } else if (parts.empty()) {
      return std::nullopt;
    } else {
      parts.pop_back();
    }
  }
  if (parts.empty() || (parts.size() == 1 && IsOnlyWildcards(parts[0]))) return std::nullopt;
  if (std::any_of(parts.begin(), parts.end() - 1, HasWildcard)) return std::nullopt;
  std::u16string target = text.substr(0, rootLength);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) target += u'\\';
    target += parts[i];
  }
  return target;
}

Outcome RemoveItem(FileSystem& fs, const std::u16string& path, std::uint32_t attributes,
                   std::uint32_t options);

// The worst outcome among the folder's entries.
Outcome RemoveContents(FileSystem& fs, const std::u16string& folder, std::uint32_t options) {
  Outcome worst = Outcome::kRemoved;
  for (const FoundFile& entry : fs.Find(folder + u"\\*")) {
    worst = std::max(worst, RemoveItem(fs, folder + u'\\' + entry.name, entry.attributes, options));
  }
  return worst;
}

// Entries are scheduled before their folder, so that it is empty when its
// turn comes at the restart.
Outcome ScheduleIfAsked(FileSystem& fs, const std::u16string& path, std::uint32_t options) {
  const bool scheduled =
      (options & deletion::kAtRestartWhenRefused) && fs.RemoveAtRestart(path);
  return scheduled ? Outcome::kAtRestart : Outcome::kStays;
}

Outcome RemoveFolder(FileSystem& fs, const std::u16string& path, std::uint32_t options) {
  Outcome contents = RemoveContents(fs, path, options);
  if (contents == Outcome::kRemoved && fs.RemoveFolder(path)) return Outcome::kRemoved;
  // The listing itself may have been refused: as the owner, list again. An
  // entry that was refused took itself over already, so that is not repeated.
  if (contents == Outcome::kRemoved && (options & deletion::kTakeOwnershipWhenRefused) &&
      fs.TakeOwnershipAndGrantFullAccess(path)) {
    contents = RemoveContents(fs, path, options);
    if (contents == Outcome::kRemoved && fs.RemoveFolder(path)) return Outcome::kRemoved;
  }
  // An entry that stays keeps its folder; one that goes at restart takes it along.
  return contents == Outcome::kStays ? Outcome::kStays : ScheduleIfAsked(fs, path, options);
}

bool RemoveFileNow(FileSystem& fs, const std::u16string& path, std::uint32_t attributes) {
  if (attributes & attr::kReadOnly) fs.SetAttributes(path, attributes & ~attr::kReadOnly);
  return fs.RemoveFile(path);
}

Outcome RemoveFile(FileSystem& fs, const std::u16string& path, std::uint32_t attributes,
                   std::uint32_t options) {
  if (RemoveFileNow(fs, path, attributes)) return Outcome::kRemoved;
  // The access list may also have refused clearing the read-only attribute.
  const bool removed = (options & deletion::kTakeOwnershipWhenRefused) &&
                       fs.TakeOwnershipAndGrantFullAccess(path) &&
                       RemoveFileNow(fs, path, fs.Attributes(path));
  return removed ? Outcome::kRemoved : ScheduleIfAsked(fs, path, options);
}

Outcome RemoveItem(FileSystem& fs, const std::u16string& path, std::uint32_t attributes,
                   std::uint32_t options) {
  return (attributes & attr::kDirectory) ? RemoveFolder(fs, path, options)
                                         : RemoveFile(fs, path, attributes, options);
}

Outcome RemoveAndNotify(FileSystem& fs, const std::u16string& path, std::uint32_t attributes,
                        std::uint32_t options) {
  const Outcome outcome = RemoveItem(fs, path, attributes, options);
  if (outcome == Outcome::kRemoved) {
    fs.NotifyShellOfRemoval(path, (attributes & attr::kDirectory) != 0);
  }
  return outcome;
}

}  // namespace

bool DeleteItems(FileSystem& fs, std::u16string_view path, std::uint32_t options) {
  const auto target = DeletionTarget(path);
  if (!target) return false;
  const auto [folder, name] = SplitPattern(*target);
  if (!HasWildcard(name)) {
    const std::uint32_t attributes = fs.Attributes(*target);
    return attributes == attr::kInvalid ||
           RemoveAndNotify(fs, *target, attributes, options) != Outcome::kStays;
  }
  Outcome worst = Outcome::kRemoved;
  for (const FoundFile& match : fs.Find(*target)) {
    const std::u16string matchPath = std::u16string(folder) + match.name;
    worst = std::max(worst, RemoveAndNotify(fs, matchPath, match.attributes, options));
  }
  return worst != Outcome::kStays;
}

}  // namespace kva
