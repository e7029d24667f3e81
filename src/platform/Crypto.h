#pragma once
// The cryptographic provider: MD5 and AES-256 in CBC mode. Hashes name
// PCs; the cipher protects saved credentials. The text forms (hexadecimal,
// UTF-8 or raw UTF-16) are in CryptoText.h.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kva {

using Md5Digest = std::array<std::uint8_t, 16>;

inline constexpr std::size_t kAes256KeyBytes = 32;
inline constexpr std::size_t kAesBlockBytes = 16;

class Crypto {
 public:
  virtual ~Crypto() = default;

  // Empty when the provider is not available.
  virtual std::optional<Md5Digest> Md5(std::span<const std::uint8_t> data) = 0;

  // PKCS #7 padding: the result is one to sixteen bytes longer than plain.
  // Empty when the key is not 32 bytes, the IV not 16, or the provider fails.
  virtual std::optional<std::vector<std::uint8_t>> EncryptAes256Cbc(
      std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
      std::span<const std::uint8_t> plain) = 0;
  // Empty also when the cipher text is not whole blocks or its padding is wrong.
  virtual std::optional<std::vector<std::uint8_t>> DecryptAes256Cbc(
      std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
      std::span<const std::uint8_t> cipher) = 0;
};

}  // namespace kva
