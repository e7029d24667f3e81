#include "platform/PeExports.h"

#include <algorithm>
#include <cstring>

namespace kva {
namespace {

// Little-endian reads that fail instead of reading past the end: the bytes
// come from any file a catalogue names.
class ImageBytes {
 public:
  explicit ImageBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::optional<std::uint32_t> U16(std::uint64_t offset) const { return Read(offset, 2); }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const { return Read(offset, 4); }

  // A NUL-terminated name; no terminator within the image means a broken one.
  std::optional<std::string> Name(std::uint64_t offset) const {
    if (offset >= bytes_.size()) return std::nullopt;
    const auto* start = bytes_.data() + offset;
    const auto* end = static_cast<const std::uint8_t*>(
        std::memchr(start, 0, bytes_.size() - offset));
    if (!end) return std::nullopt;
    return std::string(start, end);
  }

 private:
  std::optional<std::uint32_t> Read(std::uint64_t offset, unsigned width) const {
    if (offset > bytes_.size() || bytes_.size() - offset < width) return std::nullopt;
    std::uint32_t value = 0;
    for (unsigned i = 0; i < width; ++i) value |= std::uint32_t(bytes_[offset + i]) << (8 * i);
    return value;
  }

  std::span<const std::uint8_t> bytes_;
};

struct Section {
  std::uint32_t virtualAddress = 0, virtualSize = 0, rawOffset = 0, rawSize = 0;
};

constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint32_t kPe32Magic = 0x10B;
constexpr std::uint32_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kMaxNames = 65536;

class PeImage {
 public:
  explicit PeImage(std::span<const std::uint8_t> bytes) : image_(bytes) {}

  bool ReadHeaders() {
    if (image_.U16(0) != 0x5A4D) return false;  // "MZ"
    const auto pe = image_.U32(0x3C);
    if (!pe || image_.U32(*pe) != kPeSignature) return false;
    const auto sectionCount = image_.U16(*pe + 6);
    const auto optionalSize = image_.U16(*pe + 20);
    const std::uint64_t optional = std::uint64_t(*pe) + 24;
    const auto magic = image_.U16(optional);
    if (!sectionCount || !optionalSize || !magic) return false;
    // The data directories follow the fixed part, whose size differs.
    const std::uint64_t directories = optional + (*magic == kPe32PlusMagic ? 112 : 96);
    if (*magic != kPe32Magic && *magic != kPe32PlusMagic) return false;
    // An optional header too short for the export entry: no exports.
    if (directories + 8 <= optional + *optionalSize) {
      const auto exportRva = image_.U32(directories);
      if (!exportRva) return false;
      exportRva_ = *exportRva;
    }
    return ReadSections(optional + *optionalSize, *sectionCount);
  }

  [[nodiscard]] std::uint32_t ExportRva() const { return exportRva_; }

  // A relative virtual address to a file offset, through the section holding it.
  std::optional<std::uint64_t> FileOffset(std::uint32_t rva) const {
    for (const Section& s : sections_) {
      const std::uint32_t size = std::max(s.virtualSize, s.rawSize);
      if (rva >= s.virtualAddress && rva - s.virtualAddress < size &&
          rva - s.virtualAddress < s.rawSize) {
        return std::uint64_t(s.rawOffset) + (rva - s.virtualAddress);
      }
    }
    return std::nullopt;
  }

  const ImageBytes& Bytes() const { return image_; }

 private:
  bool ReadSections(std::uint64_t table, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint64_t row = table + std::uint64_t(i) * 40;
      const auto virtualSize = image_.U32(row + 8), virtualAddress = image_.U32(row + 12);
      const auto rawSize = image_.U32(row + 16), rawOffset = image_.U32(row + 20);
      if (!virtualSize || !virtualAddress || !rawSize || !rawOffset) return false;
      sections_.push_back({*virtualAddress, *virtualSize, *rawOffset, *rawSize});
    }
    return true;
  }

  ImageBytes image_;
  std::uint32_t exportRva_ = 0;
  std::vector<Section> sections_;
};

}  // namespace

std::optional<std::vector<std::string>> ReadExportNames(std::span<const std::uint8_t> image) {
  PeImage pe(image);
  if (!pe.ReadHeaders()) return std::nullopt;
  std::vector<std::string> names;
  if (pe.ExportRva() == 0) return names;
  const auto directory = pe.FileOffset(pe.ExportRva());
  if (!directory) return std::nullopt;
  const auto count = pe.Bytes().U32(*directory + 24);
  const auto namesRva = pe.Bytes().U32(*directory + 32);
  if (!count || !namesRva || *count > kMaxNames) return std::nullopt;
  if (*count == 0) return names;
  const auto table = pe.FileOffset(*namesRva);
  if (!table) return std::nullopt;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const auto nameRva = pe.Bytes().U32(*table + std::uint64_t(i) * 4);
    if (!nameRva) return std::nullopt;
    const auto offset = pe.FileOffset(*nameRva);
    if (!offset) return std::nullopt;
    auto name = pe.Bytes().Name(*offset);
    if (!name) return std::nullopt;
    names.push_back(std::move(*name));
  }
  return names;
}

}  // namespace kva
