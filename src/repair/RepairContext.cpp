#include "repair/RepairContext.h"

namespace kva {
namespace {

// Short enough that a cancel press ends a wait at once.
constexpr unsigned kCancelPollMilliseconds = 5;

}  // namespace

void SetRepairStatus(RepairContext& context, std::u16string_view text) {
  if (context.progress) context.progress->SetStatus(text, progress::kUnchanged);
}

bool ReportRepairResult(RepairContext& context, std::u16string_view first,
                        std::u16string_view second, std::u16string_view third,
                        std::u16string_view fourth) {
  std::u16string line;
  for (const auto piece : {first, second, third, fourth}) line += piece;
  if (line.empty()) return false;
  if (context.progress) context.progress->AddLine(line);
  context.resultLines.push_back(std::move(line));
  return true;
}

bool WaitUnlessCancelled(RepairContext& context, std::uint64_t milliseconds) {
  const std::uint64_t start = context.clock.MonotonicMilliseconds();
  for (;;) {
    if (context.run.CheckCancel() != cancel::kNone) return false;
    if (context.clock.MonotonicMilliseconds() - start >= milliseconds) return true;
    context.clock.Sleep(kCancelPollMilliseconds);
  }
}

}  // namespace kva
