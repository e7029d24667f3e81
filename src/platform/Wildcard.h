#pragma once
// File-name wildcards as Windows matches them against long names: '*' any
// run of characters, '?' one character except a period, or nothing before
// a period and at the end ("*.LOG?" takes "x.LOG" and "x.LOG1", not
// "x.LOG12"); ".*" and ".?" also match a name without that period ("*.*"
// is every name); a final "*." means names without an extension. Names
// compare case-insensitively. Short 8.3 names play no part.

#include <string_view>

namespace kva {

bool HasWildcard(std::u16string_view text);
bool MatchesWildcard(std::u16string_view name, std::u16string_view pattern);

// A search pattern cut before its last component: the folder keeps its
// final separator (or is a bare "C:"), and is empty for a bare name.
struct PatternParts {
  std::u16string_view folder;
  std::u16string_view name;
};
PatternParts SplitPattern(std::u16string_view pattern);

}  // namespace kva
