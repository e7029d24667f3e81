#pragma once
// A calendar date and time of day, as the clock and the file system give it.

namespace kva {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

}  // namespace kva
