#include "platform/Wildcard.h"

#include <string>
#include <utility>
#include <vector>

#include "platform/Text.h"

namespace kva {
namespace {

// The pattern after Windows' rewriting of '?', '*' and '.' into the
// file-system matcher's DOS forms.
enum class Kind { Literal, Star, DosStar, DosQm, DosDot };

struct Token {
  Kind kind;
  char16_t ch = 0;
};

std::vector<Token> Translate(std::u16string_view folded) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const char16_t c = folded[i];
    const bool last = i + 1 == folded.size();
    if (c == u'?') {
      tokens.push_back({Kind::DosQm});
    } else if (c == u'*') {
      tokens.push_back({Kind::Star});
    } else if (c == u'.' && last && i > 0 && folded[i - 1] == u'*') {
      tokens.back().kind = Kind::DosStar;  // "*." at the end: no extension
    } else if (c == u'.' && !last && (folded[i + 1] == u'?' || folded[i + 1] == u'*')) {
      tokens.push_back({Kind::DosDot});
    } else {
      tokens.push_back({Kind::Literal, c});
    }
  }
  return tokens;
}

// Follows the moves that consume nothing; they only ever go one token
// forward, so one ascending pass reaches them all.
void Close(std::vector<char>& states, const std::vector<Token>& tokens, bool atEnd, bool atDot) {
  for (std::size_t s = 0; s < tokens.size(); ++s) {
    if (!states[s]) continue;
    const Kind kind = tokens[s].kind;
    if (kind == Kind::Star || kind == Kind::DosStar ||
        (kind == Kind::DosQm && (atEnd || atDot)) || (kind == Kind::DosDot && atEnd)) {
      states[s + 1] = 1;
    }
  }
}

// The state after token s consumes c, or kNpos when it cannot.
std::size_t Consume(const Token& token, std::size_t s, char16_t c, bool finalPeriod) {
  switch (token.kind) {
    case Kind::Literal:
      return token.ch == c ? s + 1 : kNpos;
    case Kind::Star:
      return s;
    case Kind::DosStar:
      return finalPeriod ? kNpos : s;
    case Kind::DosQm:
      return c != u'.' ? s + 1 : kNpos;
    case Kind::DosDot:
      return c == u'.' ? s + 1 : kNpos;
  }
  return kNpos;
}

}  // namespace

bool HasWildcard(std::u16string_view text) { return text.find_first_of(u"*?") != kNpos; }

PatternParts SplitPattern(std::u16string_view pattern) {
  std::size_t cut = pattern.find_last_of(u"\\/");
  if (cut == kNpos && pattern.size() >= 2 && pattern[1] == u':') cut = 1;
  if (cut == kNpos) return {{}, pattern};
  return {pattern.substr(0, cut + 1), pattern.substr(cut + 1)};
}

// Runs the pattern as a set of states over the name: linear in both, with
// no backtracking whatever the pattern.
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern) {
  const std::u16string folded = FoldCase(name);
  const std::vector<Token> tokens = Translate(FoldCase(pattern));
  const std::size_t finalPeriod = folded.rfind(u'.');
  std::vector<char> states(tokens.size() + 1, 0);
  states[0] = 1;
  Close(states, tokens, folded.empty(), !folded.empty() && folded[0] == u'.');
  for (std::size_t i = 0; i < folded.size(); ++i) {
    std::vector<char> next(states.size(), 0);
    bool any = false;
    for (std::size_t s = 0; s < tokens.size(); ++s) {
      if (!states[s]) continue;
      const std::size_t to = Consume(tokens[s], s, folded[i], i == finalPeriod);
      if (to == kNpos) continue;
      next[to] = 1;
      any = true;
    }
    if (!any) return false;
    const bool atEnd = i + 1 == folded.size();
    Close(next, tokens, atEnd, !atEnd && folded[i + 1] == u'.');
    states = std::move(next);
  }
  return states[tokens.size()] != 0;
}

}  // namespace kva
