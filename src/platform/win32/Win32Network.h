#pragma once
// The network port over WinINet.

#include "platform/Network.h"

namespace kva::win32 {

class Win32Network final : public Network {
 public:
  bool Connected() override;
  std::unique_ptr<NetSession> OpenSession(const SessionOptions& options) override;
};

}  // namespace kva::win32
