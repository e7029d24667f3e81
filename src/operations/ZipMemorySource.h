#pragma once
// minizip's file functions over bytes already in memory, so that archives
// are read through the FileSystem port rather than by minizip's own I/O.

#include <cstdint>
#include <vector>

#include <minizip/ioapi.h>

namespace kva {

// Read-only: every stream opened through the result reads bytes, which
// must outlive the archive handle that minizip opens with it.
[[nodiscard]] zlib_filefunc64_def MemoryZipSource(const std::vector<std::uint8_t>& bytes);
zlib_filefunc64_def MemoryZipSource(std::vector<std::uint8_t>&&) = delete;

}  // namespace kva
