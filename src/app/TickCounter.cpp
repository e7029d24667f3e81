#include "app/TickCounter.h"

#include "platform/Text.h"

namespace kva {

std::u16string TickCounterText(std::size_t tickedCount) {
  if (tickedCount == 0) return u"No tools ticked.";
  constexpr std::u16string_view kClear = u".  <a>Clear</a>";
  if (tickedCount == 1) return u"One tool ticked" + std::u16string(kClear);
  return ToDecimal(std::int64_t(tickedCount)) + u" tools ticked" + std::u16string(kClear);
}

CounterRefresh TickCounter::Refresh(std::size_t tickedCount) {
  CounterRefresh refresh{TickCounterText(tickedCount), tickedCount > 0, std::nullopt};
  if (!last_ || (*last_ > 0) != (tickedCount > 0)) refresh.operationButtons = tickedCount > 0;
  last_ = tickedCount;
  return refresh;
}

}  // namespace kva
