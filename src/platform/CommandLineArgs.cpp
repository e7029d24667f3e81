#include "platform/CommandLineArgs.h"

#include <cstddef>

namespace kva {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The program name: no escapes, a quoted name runs to the next quote.
std::size_t ReadProgram(std::u16string_view line, std::u16string& out) {
  std::size_t at = 0;
  if (line.starts_with(u'"')) {
    const std::size_t close = line.find(u'"', 1);
    out = line.substr(1, close == std::u16string_view::npos ? line.npos : close - 1);
    return close == std::u16string_view::npos ? line.size() : close + 1;
  }
  while (at < line.size() && !IsBlank(line[at])) ++at;
  out = line.substr(0, at);
  return at;
}

// One quote at `at` after `backslashes` backslashes already copied to out;
// returns the position after the quotes consumed. quoteCount follows the
// state Windows keeps: 0 outside quotes, 1 inside.
std::size_t ReadQuotes(std::u16string_view line, std::size_t at, std::size_t backslashes,
                       std::u16string& out, int& quoteCount) {
  out.resize(out.size() - backslashes / 2);
  if (backslashes % 2 == 1) {
    out.back() = u'"';  // the last backslash escaped the quote
    return at + 1;
  }
  ++quoteCount;
  ++at;
  for (; at < line.size() && line[at] == u'"'; ++at) {
    if (++quoteCount == 3) {
      out += u'"';
      quoteCount = 0;
    }
  }
  if (quoteCount == 2) quoteCount = 0;
  return at;
}

}  // namespace

std::vector<std::u16string> SplitArguments(std::u16string_view line) {
  std::vector<std::u16string> args;
  if (line.empty()) return args;
  args.emplace_back();
  std::size_t at = ReadProgram(line, args.back());
  while (at < line.size() && IsBlank(line[at])) ++at;
  if (at < line.size()) args.emplace_back();

  int quoteCount = 0;
  std::size_t backslashes = 0;
  while (at < line.size()) {
    const char16_t c = line[at];
    if (IsBlank(c) && quoteCount == 0) {
      while (at < line.size() && IsBlank(line[at])) ++at;
      if (at < line.size()) args.emplace_back();
      backslashes = 0;
    } else if (c == u'"') {
      at = ReadQuotes(line, at, backslashes, args.back(), quoteCount);
      backslashes = 0;
    } else {
      args.back() += c;
      backslashes = c == u'\\' ? backslashes + 1 : 0;
      ++at;
    }
  }
  return args;
}

}  // namespace kva
