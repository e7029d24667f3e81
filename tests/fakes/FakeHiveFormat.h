#pragma once
// The fake registry's hive file format, for tests whose hive files live in a
// file system: a header with the byte count, then the key tree. A file cut
// short (a torn write) or otherwise damaged does not parse.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kva {

struct FakeKey;

std::vector<std::uint8_t> EncodeFakeHive(const FakeKey& root);
std::optional<FakeKey> DecodeFakeHive(std::span<const std::uint8_t> bytes);

}  // namespace kva
