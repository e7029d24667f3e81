#pragma once
// A byte count as the progress status and the report store show it: the
// count divided by 1024 while it is 1024 or more (at most four times), at
// most four characters of number, then " bytes", " KB", " MB", " GB" or
// " TB". The number is the exact quotient cut, not rounded: 1.23 KB,
// 12.3 KB, 123 KB, 1023 KB. A quotient that is whole shows no fraction
// (1024 bytes is "1 KB"), while one just above a whole number keeps its cut
// zeros (1025 bytes is "1.00 KB"). Beyond 9999 TB the integer part is shown
// in full rather than cut.

#include <cstdint>
#include <string>

namespace kva {

std::u16string SizeText(std::uint64_t bytes);

}  // namespace kva
