#include "operations/ZipCrypto.h"

#include <zlib.h>

namespace kva {
namespace {

// zlib's table-driven CRC-32 step on one byte, without its pre- and
// post-inversion.
std::uint32_t CrcStep(std::uint32_t crc, std::uint8_t byte) {
  return static_cast<std::uint32_t>(~crc32(~crc & 0xFFFFFFFFu, &byte, 1));
}

}  // namespace

ZipCryptoKeys::ZipCryptoKeys(std::string_view password) {
  for (char c : password) Update(static_cast<std::uint8_t>(c));
}

std::uint8_t ZipCryptoKeys::KeyStream() const {
  const std::uint32_t temp = (key2_ | 2) & 0xFFFF;
  return static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
}

void ZipCryptoKeys::Update(std::uint8_t plain) {
  key0_ = CrcStep(key0_, plain);
  key1_ = (key1_ + (key0_ & 0xFF)) * 134775813u + 1;
  key2_ = CrcStep(key2_, static_cast<std::uint8_t>(key1_ >> 24));
}

std::uint8_t ZipCryptoKeys::Decrypt(std::uint8_t cipher) {
  const auto plain = static_cast<std::uint8_t>(cipher ^ KeyStream());
  Update(plain);
  return plain;
}

std::uint8_t ZipCryptoKeys::Encrypt(std::uint8_t plain) {
  const auto cipher = static_cast<std::uint8_t>(plain ^ KeyStream());
  Update(plain);
  return cipher;
}

bool DecryptZipCrypto(std::span<std::uint8_t> data, std::string_view password,
                      std::uint8_t checkByte) {
  if (data.size() < kZipCryptoHeaderBytes) return false;
  ZipCryptoKeys keys(password);
  for (auto& byte : data) byte = keys.Decrypt(byte);
  return data[kZipCryptoHeaderBytes - 1] == checkByte;
}

}  // namespace kva
