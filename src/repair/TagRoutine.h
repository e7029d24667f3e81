#pragma once
// A built-in action's routine, what it is called with, and the ways a tag
// reads its arguments.

#include <string>
#include <string_view>

#include "repair/RepairContext.h"

namespace kva {

// What is trimmed from both ends of a tag command.
inline constexpr std::u16string_view kTagCommandBlanks = u" \t\r\n";

struct TagCall {
  std::u16string_view text;  // the whole command, trimmed
  std::u16string_view tag;   // its leading tag as written, angle brackets included
};

// A routine reports its outcome in result lines; the dispatcher counts the
// tag as executed whatever the outcome.
using RepairRoutine = void (*)(RepairContext& context, const TagCall& call);

struct TagRoutine {
  std::u16string_view tag;  // as listed in TagNames.h
  RepairRoutine run;
};

// The text after the tag with every further occurrence of the tag (in any
// letter case) taken out, trimmed.
std::u16string RestOfLine(const TagCall& call);

}  // namespace kva
