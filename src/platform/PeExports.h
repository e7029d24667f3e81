#pragma once
// The names a Windows library exports, read from its file: RegisterDll must
// know whether a library offers DllRegisterServer and DllInstall before it
// asks regsvr32, and loading the library to find out would run its code.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kva {

// The export names of a PE image (32- or 64-bit) in the order of its name
// table. Empty when the bytes are not a PE image or its export directory
// points outside them; an image without exports gives an empty list.
[[nodiscard]] std::optional<std::vector<std::string>> ReadExportNames(
    std::span<const std::uint8_t> image);

}  // namespace kva
