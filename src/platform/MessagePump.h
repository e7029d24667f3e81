#pragma once
// Keeps the interface alive during long work on the thread that owns the
// windows: Process dispatches what is pending, Idle rests between polls.

namespace kva {

class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void Process() = 0;
  virtual void Idle(unsigned milliseconds) = 0;
};

}  // namespace kva
