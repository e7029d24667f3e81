#pragma once
// The Windows session around the program: staying awake while it runs and
// holding off shut-down while tools run.

#include <string_view>

namespace kva {

class Session {
 public:
  virtual ~Session() = default;
  // SetThreadExecutionState: keep the system and display on until exit.
  virtual void KeepAwake() = 0;
  // ShutdownBlockReasonCreate / Destroy on the main window.
  virtual bool BlockShutdown(std::u16string_view reason) = 0;
  virtual bool UnblockShutdown() = 0;
};

}  // namespace kva
