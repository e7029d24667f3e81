#pragma once
// One loader at a time on a thread of its own. The work, its stop request
// and its result live in this object, not in the starter's stack frame, so
// the thread never outlives what it writes into: a stop asks the work to
// end at its next safe point and waits for it, and so does the destructor.

#include <atomic>
#include <functional>
#include <optional>
#include <stop_token>
#include <thread>

namespace kva {

class LoaderThread {
 public:
  // The work returns its result code; it checks the token at safe points.
  using Work = std::function<int(std::stop_token)>;

  LoaderThread() = default;
  ~LoaderThread() { Stop({}); }
  LoaderThread(const LoaderThread&) = delete;
  LoaderThread& operator=(const LoaderThread&) = delete;

  // False when the thread cannot be created. A previous loader must have
  // been finished with (Result or Stop).
  [[nodiscard]] bool Start(Work work);
  [[nodiscard]] bool Running() const { return thread_.joinable(); }
  [[nodiscard]] bool Finished() const { return done_.load(std::memory_order_acquire); }
  // Joins a finished loader and gives its result; empty while it runs.
  std::optional<int> TakeResult();
  // Asks a running loader to stop and waits for it, calling whileWaiting
  // (which must not block) between short looks.
  void Stop(const std::function<void()>& whileWaiting);

 private:
  std::jthread thread_;
  std::atomic<bool> done_{false};
  int result_ = 0;  // written by the loader before done_, read after it
};

}  // namespace kva
