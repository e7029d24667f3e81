#pragma once
// The loading window as the loader threads see it: the application's
// loaders report through it, the toolkit's loading window shows it.
// Implementations must accept calls from a worker thread.

#include <string_view>

namespace kva {

class LoadingView {
 public:
  static constexpr int kMarquee = -1;
  virtual ~LoadingView() = default;
  virtual void SetStatus(std::u16string_view text) = 0;
  virtual void SetProgress(int percent) = 0;
};

}  // namespace kva
