#pragma once
// The wait of a worker thread for a background registry save: it only
// sleeps, since messages belong to the thread that owns the windows.

#include "platform/Clock.h"
#include "platform/RegistryAccess.h"

namespace kva {

class IdlePump final : public MessagePump {
 public:
  explicit IdlePump(Clock& clock) : clock_(clock) {}
  void Process() override {}
  void Idle(unsigned milliseconds) override { clock_.Sleep(milliseconds); }

 private:
  Clock& clock_;
};

}  // namespace kva
