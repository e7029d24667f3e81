#pragma once
// Finding the program at the head of a command line written by people:
// "C:\Program Files\Tool\tool.exe /S" has no quotes, so each prefix that
// ends before a space is tried, longest first.

#include <string>

#include "platform/CommandResolver.h"

namespace kva {

// On success: executable is the program's path, commandLine starts with it
// (in quotes when it holds a space) followed by the rest of the line as it
// was, and an empty workingFolder becomes the program's folder. On failure
// nothing changes.
bool SplitCommandLine(CommandResolver& resolver, std::u16string& commandLine,
                      std::u16string& executable, std::u16string& workingFolder);

}  // namespace kva
