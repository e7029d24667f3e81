#pragma once
#include "platform/Crypto.h"

namespace kva::win32 {

// CryptoAPI's AES provider, acquired per call without a key container.
class Win32Crypto final : public Crypto {
 public:
  std::optional<Md5Digest> Md5(std::span<const std::uint8_t> data) override;
  std::optional<std::vector<std::uint8_t>> EncryptAes256Cbc(
      std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
      std::span<const std::uint8_t> plain) override;
  std::optional<std::vector<std::uint8_t>> DecryptAes256Cbc(
      std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
      std::span<const std::uint8_t> cipher) override;
};

}  // namespace kva::win32
