#pragma once
#include <windows.h>

#include "app/win32/Win32Shell.h"
#include "platform/Session.h"

namespace kva::win32 {

class Win32Session final : public Session {
 public:
  // Shut-down blocks are registered on the shell's main window.
  explicit Win32Session(const Win32Shell& shell) : shell_(shell) {}
  void KeepAwake() override;
  bool BlockShutdown(std::u16string_view reason) override;
  bool UnblockShutdown() override;

 private:
  const Win32Shell& shell_;
};

}  // namespace kva::win32
