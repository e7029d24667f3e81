#pragma once
// ZIP's traditional encryption ("ZipCrypto"). The minizip both builds link
// is compiled without decryption, and its encryption reads zlib's CRC table
// with the wrong width where a long has 64 bits, so the program has its own.

#include <cstdint>
#include <span>
#include <string_view>

namespace kva {

inline constexpr std::size_t kZipCryptoHeaderBytes = 12;

// The three keys, started from a password and moved on by every plain byte.
class ZipCryptoKeys {
 public:
  explicit ZipCryptoKeys(std::string_view password);
  std::uint8_t Decrypt(std::uint8_t cipher);
  std::uint8_t Encrypt(std::uint8_t plain);  // for test archives

 private:
  std::uint8_t KeyStream() const;
  void Update(std::uint8_t plain);

  std::uint32_t key0_ = 0x12345678;
  std::uint32_t key1_ = 0x23456789;
  std::uint32_t key2_ = 0x34567890;
};

// Decrypts data in place: the 12-byte encryption header followed by the
// entry's stored bytes. False, with data left partly decrypted, when data
// is shorter than the header or the header's last byte is not checkByte
// (the high byte of the entry's CRC, or of its DOS time when the entry has
// a data descriptor): then the password is wrong. A wrong password passes
// this test once in 256; the caller's CRC check catches the rest.
[[nodiscard]] bool DecryptZipCrypto(std::span<std::uint8_t> data, std::string_view password,
                                    std::uint8_t checkByte);

}  // namespace kva
