#pragma once
// The program's embedded resources (RCDATA and IMAGE data), by id.

#include <cstdint>
#include <span>

namespace kva {

class Resources {
 public:
  virtual ~Resources() = default;
  // Empty when the program has no such resource.
  virtual std::span<const std::uint8_t> Rcdata(int id) = 0;
  virtual std::span<const std::uint8_t> Image(int id) = 0;
};

}  // namespace kva
