#pragma once
// The main window's accelerator table, made from the model's entries in
// their order (the first match wins).

#include <windows.h>

#include <span>

#include "app/Accelerators.h"
#include "platform/win32/UniqueHandle.h"

namespace kva::win32 {

struct AcceleratorTraits {
  using Handle = HACCEL;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DestroyAcceleratorTable(h); }
};

class AcceleratorTable {
 public:
  explicit AcceleratorTable(std::span<const Accelerator> entries);

  // True when the message was a shortcut of window and became its command.
  // While typingBox has the focus, keys that type a character (Shift+A)
  // reach it instead: typing a capital letter must not reorder the list.
  bool Translate(HWND window, HWND typingBox, MSG& message) const;
  [[nodiscard]] int Count() const;
  [[nodiscard]] HACCEL Handle() const { return table_.Get(); }

 private:
  UniqueHandle<AcceleratorTraits> table_;
};

}  // namespace kva::win32
