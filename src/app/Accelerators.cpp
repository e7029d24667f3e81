#include "app/Accelerators.h"

#include <array>

namespace kva {
namespace {

constexpr std::uint8_t kKey = accel::kVirtualKey;
constexpr std::uint8_t kCtrl = accel::kVirtualKey | accel::kControl;
constexpr std::uint8_t kAlt = accel::kVirtualKey | accel::kAlt;
constexpr std::uint8_t kShift = accel::kVirtualKey | accel::kShift;

namespace vk {
constexpr std::uint16_t kReturn = 0x0D;
constexpr std::uint16_t kApps = 0x5D;  // the Menu key
constexpr std::uint16_t kF1 = 0x70;
constexpr std::uint16_t kF3 = 0x72;
constexpr std::uint16_t kF5 = 0x74;
constexpr std::uint16_t kF6 = 0x75;
constexpr std::uint16_t Letter(char c) { return std::uint16_t(c); }
}  // namespace vk

using C = MainCommand;

// Alt+S appears twice: the settings entry comes first and wins, so
// "Create similar tool" is reached through the menu only.
constexpr std::array<Accelerator, 30> kTable = {{
    {kKey, vk::kF5, C::RunSelected},
    {kKey, vk::kF6, C::UpdateAndRunSelected},
    {kCtrl, vk::Letter('F'), C::FocusFinder},
    {kAlt, vk::Letter('S'), C::Settings},
    {kKey, vk::kF1, C::OnlineHelp},
    {kCtrl, vk::kReturn, C::RunHighlighted},
    {kAlt, vk::Letter('T'), C::AddFavourite},
    {kAlt, vk::Letter('R'), C::RemoveFavourite},
    {kCtrl, vk::Letter('A'), C::CheckAll},
    {kCtrl, vk::Letter('N'), C::CheckNone},
    {kAlt, vk::Letter('A'), C::CheckGroupAll},
    {kAlt, vk::Letter('N'), C::CheckGroupNone},
    {kCtrl, vk::Letter('U'), C::MoveUp},
    {kCtrl, vk::Letter('D'), C::MoveDown},
    {kAlt, vk::Letter('U'), C::ExportQzxsr},
    {kAlt, vk::Letter('S'), C::CreateSimilarTool},
    {kCtrl, vk::Letter('E'), C::EditTool},
    {kKey, vk::kF3, C::FindNext},
    {kAlt, vk::Letter('D'), C::DeleteTool},
    {kCtrl, vk::Letter('S'), C::LoadSaveSelection},
    {kCtrl, vk::Letter('O'), C::OpenLocation},
    {kCtrl, vk::Letter('W'), C::GoToWebsite},
    {kKey, vk::kApps, C::ShowContextMenu},
    {kShift, vk::Letter('A'), C::SortAll},
    {kCtrl, vk::Letter('P'), C::CheckPortable},
    {kAlt, vk::Letter('P'), C::CheckInstalling},
    {kCtrl, vk::Letter('I'), C::CheckInstalled},
    {kCtrl, vk::Letter('B'), C::BrowseTicked},
    // Only where groups are collapsible: keep these two last.
    {kAlt, vk::Letter('C'), C::CollapseAll},
    {kAlt, vk::Letter('E'), C::ExpandAll},
}};
constexpr std::size_t kGroupEntries = 2;

}  // namespace

std::span<const Accelerator> MainAccelerators(bool collapsibleGroups) {
  const std::span<const Accelerator> all(kTable);
  return collapsibleGroups ? all : all.first(all.size() - kGroupEntries);
}

std::optional<MainCommand> FindAccelerator(std::span<const Accelerator> table, std::uint16_t key,
                                           std::uint8_t flags) {
  for (const auto& entry : table) {
    if (entry.key == key && entry.flags == (flags | accel::kVirtualKey)) return entry.command;
  }
  return std::nullopt;
}

}  // namespace kva
