#include "operations/ZipMemorySource.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace kva {
namespace {

struct Cursor {
  std::span<const std::uint8_t> bytes;
  std::uint64_t position = 0;
};

voidpf ZCALLBACK Open(voidpf opaque, const void*, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  return new Cursor{*static_cast<const std::vector<std::uint8_t>*>(opaque)};
}

uLong ZCALLBACK Read(voidpf, voidpf stream, void* buffer, uLong wantedBytes) {
  auto& cursor = *static_cast<Cursor*>(stream);
  const std::uint64_t totalBytes = cursor.bytes.size();
  const std::uint64_t left = totalBytes - std::min(cursor.position, totalBytes);
  const auto count = static_cast<uLong>(std::min<std::uint64_t>(wantedBytes, left));
  if (count > 0) std::memcpy(buffer, cursor.bytes.data() + cursor.position, count);
  cursor.position += count;
  return count;
}

uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) { return static_cast<Cursor*>(stream)->position; }

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto& cursor = *static_cast<Cursor*>(stream);
  std::uint64_t base = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    case ZLIB_FILEFUNC_SEEK_CUR: base = cursor.position; break;
    case ZLIB_FILEFUNC_SEEK_END: base = cursor.bytes.size(); break;
    default: return -1;
  }
  // Offsets come from the archive itself: refuse any past the end.
  if (offset > cursor.bytes.size() || base > cursor.bytes.size() - offset) return -1;
  cursor.position = base + offset;
  return 0;
}

int ZCALLBACK Close(voidpf, voidpf stream) {
  delete static_cast<Cursor*>(stream);
  return 0;
}

int ZCALLBACK Error(voidpf, voidpf) { return 0; }

}  // namespace

zlib_filefunc64_def MemoryZipSource(const std::vector<std::uint8_t>& bytes) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = Open;
  functions.zread_file = Read;
  functions.zwrite_file = Write;
  functions.ztell64_file = Tell;
  functions.zseek64_file = Seek;
  functions.zclose_file = Close;
  functions.zerror_file = Error;
  functions.opaque = const_cast<std::vector<std::uint8_t>*>(&bytes);
  return functions;
}

}  // namespace kva
