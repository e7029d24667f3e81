#include "fakes/FakeHiveFormat.h"

#include <cstring>
#include <string_view>

#include "fakes/FakeRegistry.h"

namespace kva {
namespace {

constexpr std::string_view kMagic = "KVAFAKEHIVE1";

class Writer {
 public:
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void Text(std::u16string_view s) {
    U32(static_cast<std::uint32_t>(s.size()));
    for (char16_t c : s) bytes.push_back(c & 0xFF), bytes.push_back(c >> 8);
  }
  void Key(const FakeKey& key) {
    Text(key.name);
    U32(static_cast<std::uint32_t>(key.values.size()));
    for (const auto& v : key.values) {
      Text(v.name);
      U32(v.value.type);
      U32(static_cast<std::uint32_t>(v.value.data.size()));
      bytes.insert(bytes.end(), v.value.data.begin(), v.value.data.end());
    }
    U32(static_cast<std::uint32_t>(key.subkeys.size()));
    for (const auto& sub : key.subkeys) Key(sub);
  }
  std::vector<std::uint8_t> bytes;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool U32(std::uint32_t& v) {
    if (bytes_.size() - at_ < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t(bytes_[at_ + i]) << (8 * i);
    at_ += 4;
    return true;
  }
  bool Text(std::u16string& s) {
    std::uint32_t count;
    if (!U32(count) || (bytes_.size() - at_) / 2 < count) return false;
    s.resize(count);
    for (auto& c : s) c = char16_t(bytes_[at_] | (bytes_[at_ + 1] << 8)), at_ += 2;
    return true;
  }
  bool Key(FakeKey& key, int depth) {
    std::uint32_t count;
    if (depth > 512 || !Text(key.name) || !U32(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      FakeKey::Value v;
      std::uint32_t size;
      if (!Text(v.name) || !U32(v.value.type) || !U32(size) || bytes_.size() - at_ < size) {
        return false;
      }
      v.value.data.assign(bytes_.begin() + at_, bytes_.begin() + at_ + size);
      at_ += size;
      key.values.push_back(std::move(v));
    }
    if (!U32(count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      if (!Key(key.subkeys.emplace_back(), depth + 1)) return false;
    }
    return true;
  }
  [[nodiscard]] bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<std::uint8_t> EncodeFakeHive(const FakeKey& root) {
  Writer body;
  body.Key(root);
  Writer file;
  file.bytes.assign(kMagic.begin(), kMagic.end());
  file.U32(static_cast<std::uint32_t>(body.bytes.size()));
  file.bytes.insert(file.bytes.end(), body.bytes.begin(), body.bytes.end());
  return file.bytes;
}

std::optional<FakeKey> DecodeFakeHive(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kMagic.size() + 4 ||
      std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
    return std::nullopt;
  }
  Reader header(bytes.subspan(kMagic.size(), 4));
  std::uint32_t bodySize = 0;
  header.U32(bodySize);
  const auto body = bytes.subspan(kMagic.size() + 4);
  if (body.size() != bodySize) return std::nullopt;
  Reader reader(body);
  FakeKey root;
  if (!reader.Key(root, 0) || !reader.AtEnd()) return std::nullopt;
  return root;
}

}  // namespace kva
