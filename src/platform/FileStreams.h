#pragma once
// Files written and read piece by piece, for transfers too big to hold in
// memory. Paths are Windows paths as in FileSystem.h.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace kva {

// One file open for writing; closed by its destructor.
class WriteStream {
 public:
  virtual ~WriteStream() = default;
  // Appends all bytes; false on a failed or short write.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
};

class FileStreams {
 public:
  virtual ~FileStreams() = default;
  // Creates the file, or truncates an existing one, and opens it for
  // writing; empty when that fails (a folder, a read-only or locked file).
  virtual std::unique_ptr<WriteStream> CreateForWriting(std::u16string_view path) = 0;
  // Up to count bytes from the start of the file; false when it cannot be
  // opened.
  virtual bool ReadHead(std::u16string_view path, std::size_t count,
                        std::vector<std::uint8_t>& out) = 0;
};

}  // namespace kva
