#pragma once
// A message pump that only counts, for code that must keep the interface
// alive while it works.
#include "platform/MessagePump.h"

namespace kva {

class RecordingPump : public MessagePump {
 public:
  void Process() override;
  void Idle(unsigned milliseconds) override;

  int processCount = 0;
  int idleCount = 0;
  unsigned lastIdleMilliseconds = 0;
};

}  // namespace kva
