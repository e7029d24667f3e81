#pragma once
#include "platform/Processes.h"

namespace kva::win32 {

class Win32Processes final : public Processes {
 public:
  bool StartDetached(std::u16string_view commandLine, std::u16string_view workingFolder,
                     WindowShow show) override;
};

}  // namespace kva::win32
