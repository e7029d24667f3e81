#pragma once
#include <windows.h>

#include "platform/Resources.h"

namespace kva::win32 {

// Resources of the running module; the data stays mapped for the process's life.
class Win32Resources final : public Resources {
 public:
  explicit Win32Resources(HMODULE module) : module_(module) {}
  std::span<const std::uint8_t> Rcdata(int id) override;
  std::span<const std::uint8_t> Image(int id) override;

 private:
  std::span<const std::uint8_t> Find(int id, const wchar_t* type);
  HMODULE module_;
};

}  // namespace kva::win32
