#pragma once
// Small registry steps the catalogue code repeats, on full paths.

#include <cstdint>
#include <string_view>

namespace kva {

class Registry;

// 0 when the key or the value is missing.
std::uint32_t ReadDwordAt(Registry& registry, std::u16string_view path, std::u16string_view name);
// True when the value is gone afterwards, also when it was never there.
[[nodiscard]] bool RemoveValueAt(Registry& registry, std::u16string_view path, std::u16string_view name);
// True when the key and its tree are gone afterwards.
[[nodiscard]] bool DeleteKeyTree(Registry& registry, std::u16string_view path);

}  // namespace kva
