// The tags that pace a script: <Sleep> n waits n seconds, <Beep> n calls the
// technician with n sounds. Both take a whole number as the rest of the
// line; text that does not start with one reads as 0 and does nothing.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/Text.h"
#include "repair/RepairStages.h"

namespace kva {
namespace {

constexpr unsigned kBeepHertz = 1000;
constexpr unsigned kBeepMilliseconds = 500;
constexpr std::uint64_t kBetweenSoundsMilliseconds = 50;

std::int64_t WholeNumberArgument(const TagCall& call) {
  // The bound keeps -n and n * 1000 in range.
  constexpr std::int64_t kBound = std::numeric_limits<std::int64_t>::max() / 1000;
  return std::clamp(ParseLeadingInt(RestOfLine(call)), -kBound, kBound);
}

void Sleep(RepairContext& context, const TagCall& call) {
  const std::int64_t seconds = WholeNumberArgument(call);
  if (seconds < 1) return;
  const std::u16string count = ToDecimal(seconds);
  SetRepairStatus(context, u"Pausing the script for " + count + u" secconds...");
  if (!WaitUnlessCancelled(context, static_cast<std::uint64_t>(seconds) * 1000)) return;
  ReportRepairResult(context, u"Script successfully paused for ", count, u" secconds.");
}

// A positive count plays the Windows sound, a negative one the beeper. A
// cancel ends the sounds without a line; a sound that fails ends them with
// its failure.
void Beep(RepairContext& context, const TagCall& call) {
  const std::int64_t signedCount = WholeNumberArgument(call);
  if (signedCount == 0) return;
  const std::int64_t count = signedCount < 0 ? -signedCount : signedCount;
  const std::u16string countText = ToDecimal(count);
  SetRepairStatus(context, u"Beeping " + countText + u" times...");
  const std::u16string wave = context.windowsFolder + u"\\media\\tada.wav";
  for (std::int64_t sound = 0; sound < count; ++sound) {
    if (!WaitUnlessCancelled(context, sound == 0 ? 0 : kBetweenSoundsMilliseconds)) return;
    if (signedCount > 0 && !context.sound.PlayWaveFile(wave)) {
      ReportRepairResult(context, u"Failed to play the sound ", wave, u".");
      return;
    }
    if (signedCount < 0 && !context.sound.Beep(kBeepHertz, kBeepMilliseconds)) {
      ReportRepairResult(context, u"Failed to sound the system beeper.");
      return;
    }
  }
  ReportRepairResult(context, u"Successfully beeped ", countText,
                     count == 1 ? u" time." : u" times.");
}

constexpr TagRoutine kRoutines[] = {
    {u"<Sleep>", Sleep},
    {u"<Beep>", Beep},
};

}  // namespace

std::span<const TagRoutine> ScriptControlRoutines() { return kRoutines; }

}  // namespace kva
