#include "catalog/Groups.h"

#include <algorithm>

#include "platform/Text.h"

namespace kva {
namespace {

constexpr std::array<std::u16string_view, 8> kRepairSectionLines = {
    u"Pre-repair actions",
    u"Reset actions",
    u"Most usual Windows fixes",
    u"File system related fixes",
    u"Privacy cleanup",
    u"Maintenance actions",
    u"System repair and optimization",
    u"Post repair actions",
};

bool IsDigits(std::u16string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

std::u16string_view RepairSectionLine(std::u16string_view toolName) {
  const auto hyphen = toolName.find(u'-');
  if (hyphen == std::u16string_view::npos) return {};
  const auto number = toolName.substr(0, hyphen);
  if (!IsDigits(number)) return {};
  const auto section = ParseLeadingInt(number);
  if (section < 1 || section > std::int64_t(kRepairSectionLines.size())) return {};
  return kRepairSectionLines[section - 1];
}

std::u16string GroupKeyName(int group) { return ToDecimal(group); }

}  // namespace kva
