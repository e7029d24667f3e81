#include "fakes/RecordingPump.h"

#include <chrono>
#include <thread>

namespace kva {

void RecordingPump::Process() { ++processCount; }

void RecordingPump::Idle(unsigned milliseconds) {
  ++idleCount;
  lastIdleMilliseconds = milliseconds;
  // Real waiting would slow tests down; yielding lets the worker finish.
  std::this_thread::yield();
}

}  // namespace kva
