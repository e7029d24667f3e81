#pragma once
// A BSTR owned for the length of one COM call.

#include <oleauto.h>

#include <string_view>

#include "platform/win32/WideText.h"

namespace kva::win32 {

class Bstr {
 public:
  explicit Bstr(std::u16string_view text) : value_(::SysAllocString(Wide(text).c_str())) {}
  ~Bstr() { ::SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  [[nodiscard]] BSTR Get() const { return value_; }

 private:
  BSTR value_;
};

}  // namespace kva::win32
