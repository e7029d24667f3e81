#pragma once
#include <windows.h>

#include "app/win32/Win32Shell.h"
#include "platform/Interaction.h"

namespace kva::win32 {

// Notices and questions in a standard message box until the program's own
// message window exists.
class Win32Interaction final : public Interaction {
 public:
  explicit Win32Interaction(const Win32Shell& shell) : shell_(shell) {}
  int ShowMessage(std::u16string_view text, unsigned typeBits) override;

 private:
  const Win32Shell& shell_;
};

}  // namespace kva::win32
