#pragma once
// Scripted WMI: rows by query text; any other query yields no row.

#include <map>
#include <string>

#include "platform/Wmi.h"

namespace kva {

class FakeWmi final : public Wmi {
 public:
  using Row = std::map<std::u16string, std::u16string>;

  std::map<std::u16string, Row> rows;  // query -> property -> value
  std::vector<std::u16string> asked;   // queries in call order

  std::optional<std::vector<std::u16string>> FirstRow(
      std::u16string_view query, std::span<const std::u16string_view> properties) override {
    asked.emplace_back(query);
    const auto found = rows.find(std::u16string(query));
    if (found == rows.end()) return std::nullopt;
    std::vector<std::u16string> values;
    for (const auto name : properties) {
      const auto value = found->second.find(std::u16string(name));
      values.push_back(value == found->second.end() ? std::u16string() : value->second);
    }
    return values;
  }
};

}  // namespace kva
