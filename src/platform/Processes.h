#pragma once
// Starting processes. The full launcher (command resolution, waits) builds
// on this port.

#include <string>
#include <string_view>

namespace kva {

enum class WindowShow { Normal, Hidden };

class Processes {
 public:
  virtual ~Processes() = default;
  // CreateProcessW of a whole command line in a working folder; the process
  // handle is not kept. False when the process could not be started.
  virtual bool StartDetached(std::u16string_view commandLine, std::u16string_view workingFolder,
                             WindowShow show) = 0;
};

}  // namespace kva
