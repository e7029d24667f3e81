#pragma once
#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include <string>

#include "platform/Wmi.h"

namespace kva::win32 {

// Connects on the first query and keeps the connection; COM must be
// initialised on the calling thread, and the object stays on it.
class Win32Wmi final : public Wmi {
 public:
  explicit Win32Wmi(std::u16string namespacePath) : namespace_(std::move(namespacePath)) {}
  std::optional<std::vector<std::u16string>> FirstRow(
      std::u16string_view query, std::span<const std::u16string_view> properties) override;

 private:
  bool Connect();

  std::u16string namespace_;
  Microsoft::WRL::ComPtr<IWbemServices> services_;
  bool connectFailed_ = false;
};

}  // namespace kva::win32
