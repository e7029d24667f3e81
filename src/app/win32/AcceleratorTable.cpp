#include "app/win32/AcceleratorTable.h"

#include <vector>

namespace kva::win32 {
namespace {

std::uint8_t PressedModifiers() {
  std::uint8_t flags = accel::kVirtualKey;
  if (::GetKeyState(VK_SHIFT) < 0) flags |= accel::kShift;
  if (::GetKeyState(VK_CONTROL) < 0) flags |= accel::kControl;
  if (::GetKeyState(VK_MENU) < 0) flags |= accel::kAlt;
  return flags;
}

// A letter or digit with nothing but Shift types a character.
bool TypesCharacter(WPARAM key, std::uint8_t flags) {
  const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  return letterOrDigit && (flags & (accel::kControl | accel::kAlt)) == 0;
}

}  // namespace

AcceleratorTable::AcceleratorTable(std::span<const Accelerator> entries) {
  std::vector<ACCEL> table;
  for (const auto& entry : entries) {
    table.push_back({entry.flags, entry.key, static_cast<WORD>(entry.command)});
  }
  table_.Reset(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

int AcceleratorTable::Count() const {
  return table_.IsValid() ? ::CopyAcceleratorTableW(table_.Get(), nullptr, 0) : 0;
}

bool AcceleratorTable::Translate(HWND window, HWND typingBox, MSG& message) const {
  if (!table_.IsValid()) return false;
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (typingBox && message.hwnd == typingBox && TypesCharacter(message.wParam, PressedModifiers())) {
    return false;
  }
  return ::TranslateAcceleratorW(window, table_.Get(), &message) != 0;
}

}  // namespace kva::win32
