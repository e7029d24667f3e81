#pragma once
// Web page bytes to text: by the byte-order mark; without one, UTF-16LE
// when the start looks like it, else UTF-8 (malformed bytes become U+FFFD).

#include <cstdint>
#include <span>
#include <string>

namespace kva {

std::u16string DecodePage(std::span<const std::uint8_t> bytes);

}  // namespace kva
