#pragma once
// Which routine runs a tag. The routines come in families, each listing its
// tags and routines in a table in its own source file; the stages list the
// families, and a tag goes to the first stage whose families know it.

#include <span>
#include <string_view>

#include "repair/TagRoutine.h"

namespace kva {

using RoutineTable = std::span<const TagRoutine> (*)();

// The families' tables.
std::span<const TagRoutine> ScriptControlRoutines();  // <Sleep>, <Beep>

// In dispatch order: the first stage, the second stage, the tweak table
// (TagNames.h lists each stage's tags).
std::span<const std::span<const RoutineTable>> DispatchStages();

// Case-insensitive, the whole tag; null when no stage has a routine for it.
RepairRoutine FindTagRoutine(std::u16string_view tag);

}  // namespace kva
