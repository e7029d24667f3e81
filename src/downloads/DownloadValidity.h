#pragma once
// Whether a downloaded file is what its extension promises, judged by its
// first bytes: an error page saved as setup.exe is not a program.

#include <string_view>

#include "platform/FileStreams.h"
#include "platform/FileSystem.h"

namespace kva {

[[nodiscard]] bool IsValidDownload(FileSystem& files, FileStreams& streams,
                                   std::u16string_view path);

}  // namespace kva
