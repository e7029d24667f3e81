#include "platform/ProgressDialog.h"

#include "platform/Text.h"

namespace kva {
namespace {

void AppendPadded(std::u16string& out, int value, std::size_t digits) {
  const std::u16string text = ToDecimal(value);
  if (text.size() < digits) out.append(digits - text.size(), u'0');
  out += text;
}

}  // namespace

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
    AppendPadded(out, field.value, field.digits);
    if (field.after) out += field.after;
  }
  return out;
}

}  // namespace kva
