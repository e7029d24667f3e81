#include "platform/CommandLineSplit.h"

#include <optional>
#include <vector>

namespace kva {
namespace {

// Lengths of the heads to try: up to the closing quote (or the whole line),
// then up to each space from the last to the first.
std::vector<std::size_t> CandidateLengths(std::u16string_view line) {
  std::vector<std::size_t> lengths;
  std::size_t first = line.size();
  if (line.starts_with(u'"')) {
    const std::size_t close = line.find(u'"', 1);
    if (close != line.npos) first = close + 1;
  }
  lengths.push_back(first);
  for (std::size_t space = line.rfind(u' '); space != line.npos && space > 0;
       space = line.rfind(u' ', space - 1)) {
    lengths.push_back(space);
  }
  return lengths;
}

std::optional<std::u16string> Existing(FileSystem& files, std::u16string path) {
  if (!Exists(files, path)) return std::nullopt;
  return path;
}

// The program a head names, or nothing.
std::optional<std::u16string> ProgramOf(CommandResolver& resolver, std::u16string_view head) {
  std::u16string name(head);
  std::erase(name, u'"');
  name = resolver.Env().Expand(name).value_or(name);
  FileSystem& files = resolver.Files();
  const std::size_t separator = name.rfind(u'\\');
  const bool hasExtension = !ExtensionOf(name).empty();
  if (separator != name.npos) {
    // Positions are 0-based: the backslash must come after "C:", so that a
    // bare root is no program.
    if (separator > 1 && Exists(files, name)) return name;
    if (hasExtension) return std::nullopt;
    if (auto found = Existing(files, name + u".exe")) return found;
    return Existing(files, name + u".com");
  }
  std::u16string onPath = hasExtension ? name : name + u".exe";
  if (resolver.FindOnSearchPath(onPath, false)) return onPath;
  return Existing(files, hasExtension ? name : name + u".com");
}

}  // namespace

bool SplitCommandLine(CommandResolver& resolver, std::u16string& commandLine,
                      std::u16string& executable, std::u16string& workingFolder) {
  for (const std::size_t length : CandidateLengths(commandLine)) {
    auto program = ProgramOf(resolver, std::u16string_view(commandLine).substr(0, length));
    if (!program) continue;
    if (workingFolder.empty()) {
      const std::size_t separator = program->rfind(u'\\');
      if (separator != program->npos) workingFolder = program->substr(0, separator);
    }
    const bool quote = program->find(u' ') != program->npos;
    commandLine = (quote ? u"\"" + *program + u"\"" : *program) + commandLine.substr(length);
    executable = std::move(*program);
    return true;
  }
  return false;
}

}  // namespace kva
