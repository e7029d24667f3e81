#pragma once
// The entry of every "<Tag> arguments" command into the built-in actions.

#include <cstddef>
#include <string_view>

#include "repair/RepairContext.h"

namespace kva {

// tagLength: the tag's characters at the start of the trimmed command (the
// 1-based position of its first ">"). 1 when a routine knew the tag and ran,
// whatever its outcome; 0 for an unknown tag, one without a routine yet, a
// command that is no tag, or tagLength 0.
int ExecuteScriptCommand(RepairContext& context, std::u16string_view command,
                         std::size_t tagLength);

}  // namespace kva
