#include "operations/CommandKind.h"

#include "platform/Regex.h"

namespace kva {
namespace {

constexpr std::size_t kFirstTagClose = 6;  // 1-based: "<" and at least four name characters

Regex Caseless(std::u16string_view pattern) {
  return *Regex::Compile(pattern, RegexOptions::Caseless);
}

const Regex& UnzipPattern() {
  static const Regex pattern = Caseless(uR"(^->Unzip\(\h*?(.+?),\h*?(.+?)\))");
  return pattern;
}
const Regex& DeletePattern() {
  static const Regex pattern = Caseless(uR"(^->Delete\(\h*?(.+),\h*?(\d+)\))");
  return pattern;
}
const Regex& RunSkipPattern() {
  static const Regex pattern = Caseless(uR"(^->RunSkip\(\h*?(.+)\))");
  return pattern;
}

std::uint32_t ParseOptions(std::u16string_view digits) {
  std::uint64_t value = 0;
  for (const char16_t digit : digits) {
    value = value * 10 + (digit - u'0');
    if (value > 0xFFFFFFFF) return 0xFFFFFFFF;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

CommandKind ClassifyCommand(std::u16string_view command) {
  if (command.starts_with(u'<')) {
    const std::size_t close = command.find(u'>');
    if (close != command.npos && close + 1 >= kFirstTagClose) return TagCommand{close + 1};
  }
  if (const auto hit = UnzipPattern().First(command)) {
    return UnzipCommand{hit->groups[1].text, hit->groups[2].text};
  }
  if (const auto hit = DeletePattern().First(command)) {
    return DeleteCommand{hit->groups[1].text, ParseOptions(hit->groups[2].text)};
  }
  if (const auto hit = RunSkipPattern().First(command)) return RunSkipCommand{hit->groups[1].text};
  return LaunchCommand{};
}

}  // namespace kva
