#include "app/DescriptionTip.h"

#include "app/EntryRecord.h"
#include "catalog/Options.h"

namespace kva {

std::u16string DescriptionTipText(std::u16string_view description,
                                  std::u16string_view uninstallCmd) {
  constexpr std::size_t kShortestInstaller = 5;
  std::u16string text(description);
  if (uninstallCmd.size() >= kShortestInstaller) text += kInstallNote;
  return text;
}

std::u16string DescriptionTip(Registry& registry, const ListEntry& entry,
                              std::uint32_t optionsFlag) {
  if (!(optionsFlag & options::kShowTooltips)) return {};
  const auto record = ReadEntryRecord(registry, entry);
  if (!record) return {};
  return DescriptionTipText(record->description, record->uninstallCmd);
}

}  // namespace kva
