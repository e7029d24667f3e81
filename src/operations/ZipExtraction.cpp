#include "operations/ZipExtraction.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <minizip/unzip.h>
#include <zlib.h>

#include "operations/ZipCrypto.h"
#include "operations/ZipEntryPath.h"
#include "operations/ZipMemorySource.h"
#include "platform/Text.h"

namespace kva {
namespace {

// Entries are held in memory whole on their way to WriteAll. minizip only
// finds them: the program decrypts (ZipCrypto.h) and inflates itself.
constexpr std::uint64_t kMaxEntryBytes = std::uint64_t{1} << 30;
constexpr unsigned long kFlagEncrypted = 0x0001;
constexpr unsigned long kFlagDataDescriptor = 0x0008;
constexpr unsigned long kFlagStrongEncryption = 0x0040;
constexpr unsigned long kFlagUtf8Name = 0x0800;
constexpr unsigned long kMethodStored = 0;

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, ZipCloser>;

struct Entry {
  std::u16string name;  // as stored, for messages
  ZipEntryPath path;
  bool deflated = false;
  bool encrypted = false;
  std::uint8_t checkByte = 0;  // what a right password decrypts the header's last byte to
  std::uint64_t storedBytes = 0;
  std::uint64_t sizeBytes = 0;
  std::uint32_t crc = 0;
};

using Outcome = std::expected<void, ZipFailure>;

std::unexpected<ZipFailure> Fail(ZipError error, std::u16string entry = {}) {
  return std::unexpected(ZipFailure{error, std::move(entry)});
}

std::expected<Entry, ZipFailure> CurrentEntry(unzFile zip) {
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return Fail(ZipError::kNotAZip);
  }
  std::string raw(info.size_filename, '\0');
  if (unzGetCurrentFileInfo64(zip, &info, raw.data(), static_cast<uLong>(raw.size()), nullptr, 0,
                              nullptr, 0) != UNZ_OK) {
    return Fail(ZipError::kNotAZip);
  }
  const bool utf8 = (info.flag & kFlagUtf8Name) != 0;
  Entry entry;
  entry.name = DecodeZipEntryName(raw, utf8);
  entry.deflated = info.compression_method == Z_DEFLATED;
  entry.encrypted = (info.flag & kFlagEncrypted) != 0;
  const auto checkSource = (info.flag & kFlagDataDescriptor) ? info.dosDate : info.crc >> 16;
  entry.checkByte = static_cast<std::uint8_t>(checkSource >> 8);
  entry.storedBytes = info.compressed_size;
  entry.sizeBytes = info.uncompressed_size;
  entry.crc = static_cast<std::uint32_t>(info.crc);
  auto path = SafeZipEntryPath(raw, utf8);
  if (!path) return Fail(ZipError::kUnsafeEntry, entry.name);
  entry.path = std::move(*path);
  const bool knownMethod =
      info.compression_method == kMethodStored || info.compression_method == Z_DEFLATED;
  const bool tooLarge = entry.sizeBytes > kMaxEntryBytes || entry.storedBytes > kMaxEntryBytes;
  if (!knownMethod || (info.flag & kFlagStrongEncryption) || tooLarge) {
    return Fail(ZipError::kUnsupportedEntry, entry.name);
  }
  return entry;
}

// The entry's stored bytes as they are in the archive.
std::optional<std::vector<std::uint8_t>> ReadRaw(unzFile zip, const Entry& entry) {
  int method = 0;
  int level = 0;
  if (unzOpenCurrentFile2(zip, &method, &level, 1) != UNZ_OK) return std::nullopt;
  std::vector<std::uint8_t> raw;
  std::vector<std::uint8_t> chunk(64 * 1024);
  const auto chunkBytes = static_cast<unsigned>(chunk.size());
  int count = 0;
  while ((count = unzReadCurrentFile(zip, chunk.data(), chunkBytes)) > 0) {
    raw.insert(raw.end(), chunk.begin(), chunk.begin() + count);
  }
  const int closed = unzCloseCurrentFile(zip);
  if (count < 0 || closed != UNZ_OK || raw.size() != entry.storedBytes) return std::nullopt;
  return raw;
}

// Raw deflate, at most limitBytes out: a stream that makes more is damaged.
std::optional<std::vector<std::uint8_t>> Inflate(std::span<const std::uint8_t> in,
                                                 std::uint64_t limitBytes) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return std::nullopt;
  stream.next_in = const_cast<Bytef*>(in.data());
  stream.avail_in = static_cast<uInt>(in.size());
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> chunk(64 * 1024);
  int status = Z_OK;
  while (status == Z_OK && out.size() <= limitBytes) {
    stream.next_out = chunk.data();
    stream.avail_out = static_cast<uInt>(chunk.size());
    status = inflate(&stream, Z_NO_FLUSH);
    out.insert(out.end(), chunk.begin(), chunk.end() - stream.avail_out);
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) return std::nullopt;
  return out;
}

// The current entry's content, checked against its size and CRC.
std::expected<std::vector<std::uint8_t>, ZipError> ReadEntry(unzFile zip, const Entry& entry,
                                                             const std::string& password) {
  if (entry.encrypted && password.empty()) return std::unexpected(ZipError::kWrongPassword);
  auto raw = ReadRaw(zip, entry);
  if (!raw) return std::unexpected(ZipError::kDamaged);
  std::span<const std::uint8_t> stored = *raw;
  if (entry.encrypted) {
    if (!DecryptZipCrypto(*raw, password, entry.checkByte)) {
      return std::unexpected(raw->size() < kZipCryptoHeaderBytes ? ZipError::kDamaged
                                                                 : ZipError::kWrongPassword);
    }
    stored = stored.subspan(kZipCryptoHeaderBytes);
  }
  // With a wrong password that passed the check byte, this is where it shows.
  const ZipError failure = entry.encrypted ? ZipError::kWrongPassword : ZipError::kDamaged;
  std::optional<std::vector<std::uint8_t>> data;
  if (entry.deflated) {
    data = Inflate(stored, entry.sizeBytes);
  } else {
    data.emplace(stored.begin(), stored.end());
  }
  if (!data || data->size() != entry.sizeBytes ||
      crc32(crc32(0, nullptr, 0), data->data(), static_cast<uInt>(data->size())) != entry.crc) {
    return std::unexpected(failure);
  }
  return std::move(*data);
}

template <typename Visit>
Outcome ForEachEntry(unzFile zip, Visit visit) {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(zip, &global) != UNZ_OK) return Fail(ZipError::kNotAZip);
  if (global.number_entry == 0) return {};
  for (int status = unzGoToFirstFile(zip); status != UNZ_END_OF_LIST_OF_FILE;
       status = unzGoToNextFile(zip)) {
    if (status != UNZ_OK) return Fail(ZipError::kNotAZip);
    auto entry = CurrentEntry(zip);
    if (!entry) return std::unexpected(entry.error());
    if (auto done = visit(*entry); !done) return done;
  }
  return {};
}

Outcome CheckEntry(unzFile zip, const Entry& entry, const std::string& password) {
  if (entry.path.isFolder) return {};
  if (auto data = ReadEntry(zip, entry, password); !data) return Fail(data.error(), entry.name);
  return {};
}

// An archive with no entries is its end record alone, at offset 0, where
// minizip's search for that record never looks.
bool IsEmptyZip(const std::vector<std::uint8_t>& bytes) {
  constexpr std::uint8_t kEmptyEndRecord[] = {0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0, 0};
  return bytes.size() >= 22 &&
         std::equal(std::begin(kEmptyEndRecord), std::end(kEmptyEndRecord), bytes.begin());
}

std::u16string Join(std::u16string_view folder, std::u16string_view relative) {
  std::u16string path(folder);
  if (!path.empty() && path.back() != u'\\' && path.back() != u'/') path += u'\\';
  return path.append(relative);
}

// Beside the old file first, then one rename: an entry extracted over an
// older copy leaves either that copy or the whole new file.
bool WriteReplacing(FileSystem& files, const std::u16string& target,
                    std::span<const std::uint8_t> bytes) {
  const std::u16string pending = target + u".kva-partial";
  if (files.WriteAll(pending, bytes) && files.MoveTo(pending, target, true)) return true;
  [[maybe_unused]] const bool cleaned = files.RemoveFile(pending);
  return false;
}

Outcome WriteEntry(FileSystem& files, unzFile zip, const Entry& entry,
                   std::u16string_view destination, const std::string& password) {
  const std::u16string target = Join(destination, entry.path.relative);
  if (entry.path.isFolder) {
    return files.CreateFolders(target) ? Outcome() : Fail(ZipError::kWriteFailed, entry.name);
  }
  auto data = ReadEntry(zip, entry, password);
  if (!data) return Fail(data.error(), entry.name);
  const bool written =
      files.CreateFolders(FolderOf(target)) && WriteReplacing(files, target, *data);
  return written ? Outcome() : Fail(ZipError::kWriteFailed, entry.name);
}

}  // namespace

std::expected<void, ZipFailure> ExtractZip(FileSystem& files, std::u16string_view archive,
                                           std::u16string_view destination,
                                           std::u16string_view password) {
  std::vector<std::uint8_t> bytes;
  if (!files.ReadAll(archive, bytes)) return Fail(ZipError::kUnreadable);
  if (IsEmptyZip(bytes)) {
    return files.CreateFolders(destination) ? Outcome() : Fail(ZipError::kWriteFailed);
  }
  zlib_filefunc64_def source = MemoryZipSource(bytes);
  const ZipHandle zip(unzOpen2_64("", &source));
  if (!zip) return Fail(ZipError::kNotAZip);
  const std::string passwordBytes = Utf16ToUtf8(password);

  // A first pass reads everything, so that a fault found late writes nothing.
  auto checked = ForEachEntry(zip.get(), [&](const Entry& entry) {
    return CheckEntry(zip.get(), entry, passwordBytes);
  });
  if (!checked) return checked;
  if (!files.CreateFolders(destination)) return Fail(ZipError::kWriteFailed);
  return ForEachEntry(zip.get(), [&](const Entry& entry) {
    return WriteEntry(files, zip.get(), entry, destination, passwordBytes);
  });
}

}  // namespace kva
