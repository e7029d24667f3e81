// CommandResolver::ExpandPathWildcards: "C:\Tools\Tool v*\tool.exe" to the
// installed version's folder.
#include <optional>

#include "platform/CommandResolver.h"
#include "platform/Wildcard.h"

namespace kva {
namespace {

// Only quotes among the first 50 characters enclose the path of a command
// (0-based here: a quote at index 49 is the 50th character).
constexpr std::size_t kQuoteWindow = 50;

struct QuotedPart {
  std::u16string prefix;  // up to and including the opening quote
  std::u16string text;
  std::u16string suffix;  // from the closing quote on
};

QuotedPart SplitAtQuotes(const std::u16string& command) {
  const std::size_t open = command.find(u'"');
  if (open == command.npos || open >= kQuoteWindow) return {{}, command, {}};
  const std::size_t close = command.find(u'"', open + 1);
  if (close == command.npos) return {{}, command, {}};
  return {command.substr(0, open + 1), command.substr(open + 1, close - open - 1),
          command.substr(close)};
}

// The first entry the pattern matches that is no junction or link, and
// could not itself be read as a pattern again.
std::optional<std::u16string> FirstMatch(FileSystem& files, std::u16string_view pattern) {
  for (const auto& entry : files.Find(pattern)) {
    if (entry.attributes & attr::kReparsePoint) continue;
    if (HasWildcard(entry.name)) return std::nullopt;
    return entry.name;
  }
  return std::nullopt;
}

// Replaces the first "*" component of text; false when it cannot.
bool ReplaceFirstWildcard(FileSystem& files, std::u16string& text) {
  const std::size_t star = text.find(u'*');
  const std::size_t folderEnd = text.rfind(u'\\', star);
  if (folderEnd == text.npos) return false;
  std::size_t cut = text.find(u'\\', star);
  if (cut == text.npos) cut = text.find(u' ', star);
  const std::u16string_view pattern = std::u16string_view(text).substr(0, cut);
  const auto name = FirstMatch(files, pattern);
  if (!name) return false;
  const std::u16string rest = cut == text.npos ? std::u16string() : text.substr(cut);
  text = text.substr(0, folderEnd + 1) + *name + rest;
  return true;
}

}  // namespace

bool CommandResolver::ExpandPathWildcards(std::u16string& command) {
  // The program is 64-bit only, so %ProgramFiles% already names the 64-bit folder.
  auto expanded = environment_.Expand(command);
  if (!expanded) return false;
  if (expanded->find(u'*') == expanded->npos) {
    command = std::move(*expanded);
    return true;
  }
  QuotedPart parts = SplitAtQuotes(*expanded);
  while (parts.text.find(u'*') != parts.text.npos) {
    if (!ReplaceFirstWildcard(files_, parts.text)) return false;
  }
  command = parts.prefix + parts.text + parts.suffix;
  return true;
}

}  // namespace kva
