#pragma once
// Small ZIP archives made in memory with minizip's writer, for the tests of
// the program's own extraction.

#include <cstdint>
#include <string>
#include <vector>

namespace kva {

struct ZipFixtureEntry {
  std::string name;  // stored as given: slashes, "..", drive letters and all
  std::string data{};
  bool deflate = true;
  std::string password{};  // ZipCrypto when set
  bool utf8Name = false;
};

[[nodiscard]] std::vector<std::uint8_t> MakeZip(const std::vector<ZipFixtureEntry>& entries);

}  // namespace kva
