// CommandResolver::ResolveExistingPath: every reading of a command that may
// name something on disk, from the plainest to the most forgiving.
#include "platform/CommandResolver.h"
#include "platform/Regex.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Variables expanded, "@" and NT prefixes dropped, a rooted path put on the
// system drive.
std::u16string Normalised(Environment& environment, std::u16string_view text,
                          const SystemFolders& folders) {
  std::u16string result(environment.Expand(text).value_or(std::u16string(text)));
  if (result.starts_with(u'@')) return result.substr(1);
  // "\??\" starts with one backslash too, so the prefixes go first.
  if (result.starts_with(u"\\\\?\\") || result.starts_with(u"\\??\\")) return result.substr(4);
  if (result.starts_with(u'\\') && !result.starts_with(u"\\\\")) return folders.systemDrive + result;
  return result;
}

std::u16string WithoutSwitches(std::u16string_view text) {
  return RegexReplace(text, u" +(/|-)\\S+", u"").value_or(std::u16string(text));
}

std::u16string WithoutQuotes(std::u16string text) {
  std::erase(text, u'"');
  return text;
}

}  // namespace

bool CommandResolver::ResolveExistingPath(std::u16string& text, const SystemFolders& folders) {
  if (text.empty()) return false;
  if (Exists(files_, text)) return true;

  text = Normalised(environment_, text, folders);
  if (Exists(files_, text)) return true;

  const std::u16string normalised = text;
  std::u16string candidate = WithoutSwitches(normalised);
  if (Exists(files_, candidate)) {
    text = std::move(candidate);
    return true;
  }
  if (StartsWithNoCase(normalised, u"System32\\")) {
    candidate = folders.windowsFolder + u"\\" + normalised;
    if (Exists(files_, candidate)) {
      text = std::move(candidate);
      return true;
    }
  }
  candidate = normalised;
  if (ResolveCommandTarget(candidate)) {
    text = std::move(candidate);
    return true;
  }
  candidate = WithoutQuotes(normalised);
  if (ResolveLeadingExecutable(candidate)) {
    text = std::move(candidate);
    return true;
  }
  return false;
}

}  // namespace kva
