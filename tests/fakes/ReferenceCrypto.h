#pragma once
// MD5 and AES-256-CBC in plain C++, for the native tests: the same
// answers the Windows provider gives, checked by known-answer tests.

#include "platform/Crypto.h"

namespace kva {

class ReferenceCrypto final : public Crypto {
 public:
  std::optional<Md5Digest> Md5(std::span<const std::uint8_t> data) override;
  std::optional<std::vector<std::uint8_t>> EncryptAes256Cbc(
      std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
      std::span<const std::uint8_t> plain) override;
  std::optional<std::vector<std::uint8_t>> DecryptAes256Cbc(
      std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
      std::span<const std::uint8_t> cipher) override;
};

}  // namespace kva
