#pragma once
// WMI queries in one namespace over one connection, one query at a time.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kva {

class Wmi {
 public:
  virtual ~Wmi() = default;
  // The first row of a WQL query: the named properties as text, in the
  // order asked (a missing or null property reads empty). Empty when the
  // connection or the query fails, times out or yields no row.
  virtual std::optional<std::vector<std::u16string>> FirstRow(
      std::u16string_view query, std::span<const std::u16string_view> properties) = 0;
};

}  // namespace kva
