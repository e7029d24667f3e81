#pragma once
// The main window's accelerator table as data, in the order Win32 checks
// it (the first matching entry wins): virtual-key codes and ACCEL flag
// bits as Windows numbers, so the window copies them into its table.

#include <cstdint>
#include <optional>
#include <span>

#include "app/MainCommand.h"

namespace kva {

namespace accel {
// ACCEL.fVirt bits.
inline constexpr std::uint8_t kVirtualKey = 0x01;
inline constexpr std::uint8_t kShift = 0x04;
inline constexpr std::uint8_t kControl = 0x08;
inline constexpr std::uint8_t kAlt = 0x10;
}  // namespace accel

struct Accelerator {
  std::uint8_t flags = accel::kVirtualKey;  // kVirtualKey plus the modifiers
  std::uint16_t key = 0;                    // virtual-key code
  MainCommand command{};
};

// 30 entries where groups are collapsible (Windows 6.0 on), 28 before.
std::span<const Accelerator> MainAccelerators(bool collapsibleGroups);

// The command a key with its modifiers gives, as the table decides it.
std::optional<MainCommand> FindAccelerator(std::span<const Accelerator> table, std::uint16_t key,
                                           std::uint8_t flags);

}  // namespace kva
