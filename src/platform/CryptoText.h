#pragma once
// Hashes and encrypted values as the program stores them: upper-case
// hexadecimal text, two digits per byte, no prefix.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/Crypto.h"

namespace kva {

// How a text becomes the bytes that are encrypted, and back.
enum class CipherText {
  kUtf8,     // sending settings and query values
  kUtf16Le,  // raw UTF-16 little-endian, no terminator (the start-up password)
};

// The IV of every encrypted value.
inline constexpr std::string_view kCipherIv = "6482059317740263";

// MD5 as 32 upper-case hexadecimal digits; empty when the provider fails.
std::u16string HashHex(Crypto& crypto, std::span<const std::uint8_t> data);
// The text's UTF-16 little-endian code units, two bytes each, no terminator.
std::u16string HashHex(Crypto& crypto, std::u16string_view text);

// key: 32 ASCII characters used directly as the 256-bit key. False, and
// out untouched, for an empty text, a wrong key or a provider failure.
bool EncryptText(Crypto& crypto, std::u16string_view text, std::u16string& out,
                 std::string_view key, CipherText form);
// Accepts a leading "0x" or "0X"; an input shorter than 16 characters
// (prefix included), odd or non-hexadecimal digits, or a wrong key fail.
bool DecryptText(Crypto& crypto, std::u16string_view hex, std::u16string& out,
                 std::string_view key, CipherText form);

std::u16string ToHex(std::span<const std::uint8_t> bytes);

}  // namespace kva
