#include "platform/ProgressDialog.h"

#include "platform/Text.h"

namespace kva {

std::u16string LogTimestamp(const LocalTime& time) {
  std::u16string out;
  const struct {
    int value;
    std::size_t digits;
    char16_t after;
  } fields[] = {{time.year, 4, u'/'},     {time.month, 2, u'/'},  {time.day, 2, u' '},
                {time.hour, 2, u':'},     {time.minute, 2, u':'}, {time.second, 2, u':'},
                {time.milliseconds, 3, 0}};
  for (const auto& field : fields) {
    out += ToDecimalPadded(field.value, field.digits);
    if (field.after) out += field.after;
  }
  return out;
}

}  // namespace kva
