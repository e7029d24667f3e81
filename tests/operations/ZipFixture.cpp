#include "operations/ZipFixture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include <minizip/zip.h>
#include <zlib.h>

#include "operations/ZipCrypto.h"

namespace kva {
namespace {

struct Sink {
  std::vector<std::uint8_t> bytes;
  std::uint64_t position = 0;
};

voidpf ZCALLBACK Open(voidpf opaque, const void*, int) { return opaque; }
uLong ZCALLBACK Read(voidpf, voidpf, void*, uLong) { return 0; }

uLong ZCALLBACK Write(voidpf, voidpf stream, const void* buffer, uLong size) {
  auto& sink = *static_cast<Sink*>(stream);
  if (sink.bytes.size() < sink.position + size) sink.bytes.resize(sink.position + size);
  std::memcpy(sink.bytes.data() + sink.position, buffer, size);
  sink.position += size;
  return size;
}

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) { return static_cast<Sink*>(stream)->position; }

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto& sink = *static_cast<Sink*>(stream);
  const std::uint64_t base = origin == ZLIB_FILEFUNC_SEEK_CUR   ? sink.position
                             : origin == ZLIB_FILEFUNC_SEEK_END ? sink.bytes.size()
                                                                : 0;
  sink.position = base + offset;
  return 0;
}

int ZCALLBACK Close(voidpf, voidpf) { return 0; }
int ZCALLBACK Error(voidpf, voidpf) { return 0; }

std::string RawDeflate(const std::string& data) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, DEF_MEM_LEVEL,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    throw std::runtime_error("zlib could not start deflating");
  }
  std::string out(deflateBound(&stream, data.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (status != Z_STREAM_END) throw std::runtime_error("zlib could not deflate");
  return out;
}

// The 12-byte header, ending in the CRC's high byte, then the stored bytes,
// all encrypted. minizip's own encryption is wrong on 64-bit Linux.
std::string ZipCrypto(const std::string& stored, const std::string& password, uLong crc) {
  std::string plain = "fixtureseed" + std::string(1, static_cast<char>(crc >> 24)) + stored;
  ZipCryptoKeys keys(password);
  for (auto& c : plain) c = static_cast<char>(keys.Encrypt(static_cast<std::uint8_t>(c)));
  return plain;
}

void Add(zipFile zip, const ZipFixtureEntry& entry) {
  zip_fileinfo info{};
  const auto* data = reinterpret_cast<const Bytef*>(entry.data.data());
  const uLong crc = crc32(crc32(0, nullptr, 0), data, static_cast<uInt>(entry.data.size()));
  const bool encrypted = !entry.password.empty();
  std::string stored = entry.data;
  if (encrypted) {
    stored = ZipCrypto(entry.deflate ? RawDeflate(entry.data) : entry.data, entry.password, crc);
  }
  const uLong flags = (entry.utf8Name ? 0x800 : 0) | (encrypted ? 1 : 0);
  const int raw = encrypted ? 1 : 0;
  const bool added =
      zipOpenNewFileInZip4_64(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                              entry.deflate ? Z_DEFLATED : 0, Z_BEST_COMPRESSION, raw, -MAX_WBITS,
                              DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags,
                              0) == ZIP_OK &&
      zipWriteInFileInZip(zip, stored.data(), static_cast<unsigned>(stored.size())) == ZIP_OK &&
      (encrypted ? zipCloseFileInZipRaw64(zip, entry.data.size(), crc)
                 : zipCloseFileInZip(zip)) == ZIP_OK;
  if (!added) throw std::runtime_error("minizip could not add " + entry.name);
}

}  // namespace

std::vector<std::uint8_t> MakeZip(const std::vector<ZipFixtureEntry>& entries) {
  Sink sink;
  zlib_filefunc64_def functions{Open, Read, Write, Tell, Seek, Close, Error, &sink};
  zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
  if (!zip) throw std::runtime_error("minizip could not start an archive");
  for (const auto& entry : entries) Add(zip, entry);
  if (zipClose(zip, nullptr) != ZIP_OK) throw std::runtime_error("minizip could not finish");
  return sink.bytes;
}

}  // namespace kva
