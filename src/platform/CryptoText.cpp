#include "platform/CryptoText.h"

#include <optional>
#include <vector>

#include "platform/Text.h"
#include "platform/TextEncoding.h"

namespace kva {
namespace {

std::span<const std::uint8_t> BytesOf(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

std::optional<std::vector<std::uint8_t>> FromHex(std::u16string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = DigitValue(hex[i]), low = DigitValue(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

std::vector<std::uint8_t> PlainBytes(std::u16string_view text, CipherText form) {
  if (form == CipherText::kUtf16Le) return EncodeUtf16Le(text, false);
  const std::string utf8 = Utf16ToUtf8(text);
  return {utf8.begin(), utf8.end()};
}

std::u16string PlainText(std::span<const std::uint8_t> bytes, CipherText form) {
  if (form == CipherText::kUtf8) {
    return Utf8ToUtf16({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  }
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return text;
}

}  // namespace

std::u16string ToHex(std::span<const std::uint8_t> bytes) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string hex;
  hex.reserve(bytes.size() * 2);
  for (const std::uint8_t b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

std::u16string HashHex(Crypto& crypto, std::span<const std::uint8_t> data) {
  const auto digest = crypto.Md5(data);
  return digest ? ToHex(*digest) : std::u16string();
}

std::u16string HashHex(Crypto& crypto, std::u16string_view text) {
  return HashHex(crypto, EncodeUtf16Le(text, false));
}

bool EncryptText(Crypto& crypto, std::u16string_view text, std::u16string& out,
                 std::string_view key, CipherText form) {
  if (text.empty()) return false;
  const auto cipher = crypto.EncryptAes256Cbc(BytesOf(key), BytesOf(kCipherIv), PlainBytes(text, form));
  if (!cipher) return false;
  out = ToHex(*cipher);
  return true;
}

bool DecryptText(Crypto& crypto, std::u16string_view hex, std::u16string& out,
                 std::string_view key, CipherText form) {
  if (hex.size() < 16) return false;
  if (hex.starts_with(u"0x") || hex.starts_with(u"0X")) hex.remove_prefix(2);
  const auto cipher = FromHex(hex);
  if (!cipher) return false;
  const auto plain = crypto.DecryptAes256Cbc(BytesOf(key), BytesOf(kCipherIv), *cipher);
  if (!plain) return false;
  out = PlainText(*plain, form);
  return true;
}

}  // namespace kva
