#include "app/LoaderThread.h"

#include <system_error>

namespace kva {

bool LoaderThread::Start(Work work) {
  if (Running()) return false;
  done_.store(false, std::memory_order_relaxed);
  try {
    thread_ = std::jthread([this, work = std::move(work)](std::stop_token stop) {
      result_ = work(std::move(stop));
      done_.store(true, std::memory_order_release);
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

std::optional<int> LoaderThread::TakeResult() {
  if (!Running() || !Finished()) return std::nullopt;
  thread_.join();
  return result_;
}

void LoaderThread::Stop(const std::function<void()>& whileWaiting) {
  if (!Running()) return;
  thread_.request_stop();
  while (!Finished()) {
    if (whileWaiting) {
      whileWaiting();
    } else {
      std::this_thread::yield();
    }
  }
  thread_.join();
}

}  // namespace kva
