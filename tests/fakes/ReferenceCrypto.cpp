#include "ReferenceCrypto.h"

#include <algorithm>
#include <cstring>

namespace kva {
namespace {

// --- MD5 (RFC 1321) ---

constexpr std::uint32_t kMd5Sines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
constexpr int kMd5Shifts[16] = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

void Md5Block(std::uint32_t state[4], const std::uint8_t* block) {
  std::uint32_t m[16];
  for (int i = 0; i < 16; ++i) {
    m[i] = block[i * 4] | (block[i * 4 + 1] << 8) | (block[i * 4 + 2] << 16) |
           (std::uint32_t(block[i * 4 + 3]) << 24);
  }
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (int i = 0; i < 64; ++i) {
    const int round = i / 16;
    std::uint32_t f;
    int g;
    switch (round) {
      case 0: f = (b & c) | (~b & d); g = i; break;
      case 1: f = (d & b) | (~d & c); g = (5 * i + 1) % 16; break;
      case 2: f = b ^ c ^ d; g = (3 * i + 5) % 16; break;
      default: f = c ^ (b | ~d); g = (7 * i) % 16; break;
    }
    const std::uint32_t next = d;
    d = c;
    c = b;
    b = b + RotateLeft(a + f + kMd5Sines[i] + m[g], kMd5Shifts[round * 4 + i % 4]);
    a = next;
  }
  state[0] += a; state[1] += b; state[2] += c; state[3] += d;
}

// --- AES-256 (FIPS-197) ---

constexpr int kRounds = 14;
using RoundKeys = std::array<std::uint8_t, 16 * (kRounds + 1)>;
using Block = std::array<std::uint8_t, 16>;

std::uint8_t Times2(std::uint8_t x) { return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0)); }

std::uint8_t Multiply(std::uint8_t x, std::uint8_t y) {
  std::uint8_t product = 0;
  for (; y; y >>= 1, x = Times2(x)) {
    if (y & 1) product ^= x;
  }
  return product;
}

// The S-box from the field inverse and the affine map, built once.
struct SBoxes {
  std::uint8_t forward[256];
  std::uint8_t inverse[256];
  SBoxes() {
    for (int x = 0; x < 256; ++x) {
      std::uint8_t inv = 0;
      for (int y = 1; y < 256 && x; ++y) {
        if (Multiply(std::uint8_t(x), std::uint8_t(y)) == 1) { inv = std::uint8_t(y); break; }
      }
      std::uint8_t s = inv;
      for (int r = 1; r < 5; ++r) s ^= std::uint8_t((inv << r) | (inv >> (8 - r)));
      s ^= 0x63;
      forward[x] = s;
      inverse[s] = std::uint8_t(x);
    }
  }
};

const SBoxes& Boxes() {
  static const SBoxes boxes;
  return boxes;
}

RoundKeys ExpandKey(std::span<const std::uint8_t> key) {
  RoundKeys w{};
  std::copy(key.begin(), key.end(), w.begin());
  std::uint8_t rcon = 1;
  for (std::size_t i = 32; i < w.size(); i += 4) {
    std::uint8_t t[4] = {w[i - 4], w[i - 3], w[i - 2], w[i - 1]};
    if (i % 32 == 0) {
      const std::uint8_t first = t[0];
      t[0] = Boxes().forward[t[1]] ^ rcon;
      t[1] = Boxes().forward[t[2]];
      t[2] = Boxes().forward[t[3]];
      t[3] = Boxes().forward[first];
      rcon = Times2(rcon);
    } else if (i % 32 == 16) {
      for (auto& b : t) b = Boxes().forward[b];
    }
    for (int j = 0; j < 4; ++j) w[i + j] = w[i - 32 + j] ^ t[j];
  }
  return w;
}

void AddRoundKey(Block& s, const RoundKeys& w, int round) {
  for (int i = 0; i < 16; ++i) s[i] ^= w[round * 16 + i];
}

// The state is column-major: byte r + 4c is row r of column c.
void ShiftRows(Block& s, bool inverse) {
  const Block copy = s;
  for (int r = 1; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const int from = inverse ? (c + 4 - r) % 4 : (c + r) % 4;
      s[r + 4 * c] = copy[r + 4 * from];
    }
  }
}

void MixColumns(Block& s, bool inverse) {
  static constexpr std::uint8_t kForward[4] = {2, 3, 1, 1};
  static constexpr std::uint8_t kInverse[4] = {14, 11, 13, 9};
  const auto& m = inverse ? kInverse : kForward;
  for (int c = 0; c < 4; ++c) {
    std::uint8_t col[4];
    for (int r = 0; r < 4; ++r) col[r] = s[r + 4 * c];
    for (int r = 0; r < 4; ++r) {
      std::uint8_t v = 0;
      for (int k = 0; k < 4; ++k) v ^= Multiply(col[k], m[(k - r + 4) % 4]);
      s[r + 4 * c] = v;
    }
  }
}

void EncryptBlock(Block& s, const RoundKeys& w) {
  AddRoundKey(s, w, 0);
  for (int round = 1; round <= kRounds; ++round) {
    for (auto& b : s) b = Boxes().forward[b];
    ShiftRows(s, false);
    if (round != kRounds) MixColumns(s, false);
    AddRoundKey(s, w, round);
  }
}

void DecryptBlock(Block& s, const RoundKeys& w) {
  AddRoundKey(s, w, kRounds);
  for (int round = kRounds - 1; round >= 0; --round) {
    ShiftRows(s, true);
    for (auto& b : s) b = Boxes().inverse[b];
    AddRoundKey(s, w, round);
    if (round != 0) MixColumns(s, true);
  }
}

bool ValidKeyAndIv(std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv) {
  return key.size() == kAes256KeyBytes && iv.size() == kAesBlockBytes;
}

}  // namespace

std::optional<Md5Digest> ReferenceCrypto::Md5(std::span<const std::uint8_t> data) {
  std::uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  std::vector<std::uint8_t> padded(data.begin(), data.end());
  padded.push_back(0x80);
  while (padded.size() % 64 != 56) padded.push_back(0);
  const std::uint64_t bits = std::uint64_t(data.size()) * 8;
  for (int i = 0; i < 8; ++i) padded.push_back(std::uint8_t(bits >> (8 * i)));
  for (std::size_t i = 0; i < padded.size(); i += 64) Md5Block(state, padded.data() + i);
  Md5Digest digest;
  for (int i = 0; i < 16; ++i) digest[i] = std::uint8_t(state[i / 4] >> (8 * (i % 4)));
  return digest;
}

std::optional<std::vector<std::uint8_t>> ReferenceCrypto::EncryptAes256Cbc(
    std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
    std::span<const std::uint8_t> plain) {
  if (!ValidKeyAndIv(key, iv)) return std::nullopt;
  const RoundKeys w = ExpandKey(key);
  std::vector<std::uint8_t> data(plain.begin(), plain.end());
  const std::size_t pad = kAesBlockBytes - data.size() % kAesBlockBytes;
  data.insert(data.end(), pad, std::uint8_t(pad));
  Block chain;
  std::copy(iv.begin(), iv.end(), chain.begin());
  for (std::size_t i = 0; i < data.size(); i += kAesBlockBytes) {
    for (std::size_t j = 0; j < kAesBlockBytes; ++j) chain[j] ^= data[i + j];
    EncryptBlock(chain, w);
    std::copy(chain.begin(), chain.end(), data.begin() + std::ptrdiff_t(i));
  }
  return data;
}

std::optional<std::vector<std::uint8_t>> ReferenceCrypto::DecryptAes256Cbc(
    std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
    std::span<const std::uint8_t> cipher) {
  if (!ValidKeyAndIv(key, iv) || cipher.empty() || cipher.size() % kAesBlockBytes) return std::nullopt;
  const RoundKeys w = ExpandKey(key);
  std::vector<std::uint8_t> data(cipher.size());
  Block previous;
  std::copy(iv.begin(), iv.end(), previous.begin());
  for (std::size_t i = 0; i < cipher.size(); i += kAesBlockBytes) {
    Block block;
    std::copy_n(cipher.begin() + std::ptrdiff_t(i), kAesBlockBytes, block.begin());
    const Block saved = block;
    DecryptBlock(block, w);
    for (std::size_t j = 0; j < kAesBlockBytes; ++j) data[i + j] = block[j] ^ previous[j];
    previous = saved;
  }
  const std::uint8_t pad = data.back();
  if (pad == 0 || pad > kAesBlockBytes ||
      !std::all_of(data.end() - pad, data.end(), [&](std::uint8_t b) { return b == pad; })) {
    return std::nullopt;
  }
  data.resize(data.size() - pad);
  return data;
}

}  // namespace kva
