#include "repair/RepairStages.h"

#include "platform/Text.h"

namespace kva {
namespace {

// A new family is one line in its stage.
constexpr RoutineTable kFirstStage[] = {ScriptControlRoutines};
constexpr std::span<const RoutineTable> kSecondStage;
constexpr std::span<const RoutineTable> kTweakStage;

constexpr std::span<const RoutineTable> kStages[] = {kFirstStage, kSecondStage, kTweakStage};

}  // namespace

std::span<const std::span<const RoutineTable>> DispatchStages() { return kStages; }

RepairRoutine FindTagRoutine(std::u16string_view tag) {
  for (const auto stage : kStages) {
    for (const RoutineTable family : stage) {
      for (const TagRoutine& entry : family()) {
        if (EqualsNoCase(entry.tag, tag)) return entry.run;
      }
    }
  }
  return nullptr;
}

}  // namespace kva
