#pragma once
// The smallest PE32+ image with an export name table: one section at RVA
// 0x1000, file offset 0x200, holding the export directory and the names.

#include <cstdint>
#include <string>
#include <vector>

namespace kva::test {

inline void PutLe(std::vector<std::uint8_t>& image, std::size_t offset, std::uint32_t value,
                  unsigned width) {
  if (image.size() < offset + width) image.resize(offset + width);
  for (unsigned i = 0; i < width; ++i) image[offset + i] = std::uint8_t(value >> (8 * i));
}

inline std::vector<std::uint8_t> PeImageExporting(const std::vector<std::string>& names) {
  constexpr std::uint32_t kSectionRva = 0x1000, kSectionFile = 0x200;
  std::vector<std::uint8_t> image(kSectionFile, 0);
  PutLe(image, 0, 0x5A4D, 2);         // "MZ"
  PutLe(image, 0x3C, 0x40, 4);        // where the PE header is
  PutLe(image, 0x40, 0x00004550, 4);  // "PE\0\0"
  PutLe(image, 0x44, 0x8664, 2);      // x64
  PutLe(image, 0x46, 1, 2);           // one section
  PutLe(image, 0x54, 240, 2);         // optional header size of PE32+
  PutLe(image, 0x58, 0x20B, 2);       // PE32+
  PutLe(image, 0x58 + 108, 16, 4);    // data directory count
  // The section: the export directory (40 bytes), the name pointers, the names.
  std::vector<std::uint8_t> section(40, 0);
  PutLe(section, 24, static_cast<std::uint32_t>(names.size()), 4);
  const std::uint32_t pointers = 40;
  PutLe(section, 32, kSectionRva + pointers, 4);
  std::uint32_t text = pointers + static_cast<std::uint32_t>(names.size()) * 4;
  for (std::size_t i = 0; i < names.size(); ++i) {
    PutLe(section, pointers + i * 4, kSectionRva + text, 4);
    section.resize(text);
    section.insert(section.end(), names[i].begin(), names[i].end());
    section.push_back(0);
    text = static_cast<std::uint32_t>(section.size());
  }
  const auto size = static_cast<std::uint32_t>(section.size());
  PutLe(image, 0x58 + 112, names.empty() ? 0 : kSectionRva, 4);  // export directory
  PutLe(image, 0x58 + 116, size, 4);
  const std::size_t row = 0x58 + 240;
  PutLe(image, row + 8, size, 4);    // virtual size
  PutLe(image, row + 12, kSectionRva, 4);
  PutLe(image, row + 16, size, 4);   // raw size
  PutLe(image, row + 20, kSectionFile, 4);
  image.resize(kSectionFile);
  image.insert(image.end(), section.begin(), section.end());
  return image;
}

}  // namespace kva::test
