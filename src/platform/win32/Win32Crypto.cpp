#include "platform/win32/Win32Crypto.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstring>

#include "platform/win32/UniqueHandle.h"

namespace kva::win32 {
namespace {

struct ProviderTraits {
  using Handle = HCRYPTPROV;
  static Handle Invalid() { return 0; }
  static bool IsValid(Handle h) { return h != 0; }
  static void Close(Handle h) { ::CryptReleaseContext(h, 0); }
};
struct KeyTraits {
  using Handle = HCRYPTKEY;
  static Handle Invalid() { return 0; }
  static bool IsValid(Handle h) { return h != 0; }
  static void Close(Handle h) { ::CryptDestroyKey(h); }
};
struct HashTraits {
  using Handle = HCRYPTHASH;
  static Handle Invalid() { return 0; }
  static bool IsValid(Handle h) { return h != 0; }
  static void Close(Handle h) { ::CryptDestroyHash(h); }
};
using UniqueProvider = UniqueHandle<ProviderTraits>;
using UniqueCryptKey = UniqueHandle<KeyTraits>;
using UniqueHash = UniqueHandle<HashTraits>;

// Without a key container: a fresh Wine prefix (or a profile without one)
// has none, and nothing here needs one.
UniqueProvider AcquireAesProvider() {
  UniqueProvider provider;
  if (::CryptAcquireContextW(provider.Receive(), nullptr, MS_ENH_RSA_AES_PROV_W, PROV_RSA_AES,
                             CRYPT_VERIFYCONTEXT)) {
    return provider;
  }
  (void)::CryptAcquireContextW(provider.Receive(), nullptr, MS_ENH_RSA_AES_PROV_XP_W, PROV_RSA_AES,
                               CRYPT_VERIFYCONTEXT);
  return provider;
}

struct AesKeyBlob {
  BLOBHEADER header;
  DWORD keyBytes;
  BYTE key[kAes256KeyBytes];
};

UniqueCryptKey ImportAesKey(HCRYPTPROV provider, std::span<const std::uint8_t> key,
                            std::span<const std::uint8_t> iv) {
  UniqueCryptKey handle;
  if (key.size() != kAes256KeyBytes || iv.size() != kAesBlockBytes) return handle;
  AesKeyBlob blob{{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, CALG_AES_256}, kAes256KeyBytes, {}};
  std::memcpy(blob.key, key.data(), key.size());
  if (!::CryptImportKey(provider, reinterpret_cast<const BYTE*>(&blob), sizeof blob, 0, 0,
                        handle.Receive())) {
    return handle;
  }
  const DWORD mode = CRYPT_MODE_CBC;
  if (!::CryptSetKeyParam(handle.Get(), KP_IV, iv.data(), 0) ||
      !::CryptSetKeyParam(handle.Get(), KP_MODE, reinterpret_cast<const BYTE*>(&mode), 0)) {
    handle.Reset();
  }
  ::SecureZeroMemory(&blob, sizeof blob);
  return handle;
}

}  // namespace

std::optional<Md5Digest> Win32Crypto::Md5(std::span<const std::uint8_t> data) {
  const UniqueProvider provider = AcquireAesProvider();
  UniqueHash hash;
  if (!provider.IsValid() || !::CryptCreateHash(provider.Get(), CALG_MD5, 0, 0, hash.Receive()) ||
      !::CryptHashData(hash.Get(), data.data(), static_cast<DWORD>(data.size()), 0)) {
    return std::nullopt;
  }
  Md5Digest digest;
  DWORD size = digest.size();
  if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest.data(), &size, 0) || size != digest.size()) {
    return std::nullopt;
  }
  return digest;
}

std::optional<std::vector<std::uint8_t>> Win32Crypto::EncryptAes256Cbc(
    std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
    std::span<const std::uint8_t> plain) {
  const UniqueProvider provider = AcquireAesProvider();
  const UniqueCryptKey aes = provider.IsValid() ? ImportAesKey(provider.Get(), key, iv) : UniqueCryptKey();
  if (!aes.IsValid()) return std::nullopt;
  // Asked first for the size, then encrypted in place.
  DWORD length = static_cast<DWORD>(plain.size());
  if (!::CryptEncrypt(aes.Get(), 0, TRUE, 0, nullptr, &length, 0)) return std::nullopt;
  std::vector<std::uint8_t> data(length);
  std::memcpy(data.data(), plain.data(), plain.size());
  DWORD used = static_cast<DWORD>(plain.size());
  if (!::CryptEncrypt(aes.Get(), 0, TRUE, 0, data.data(), &used, length)) return std::nullopt;
  data.resize(used);
  return data;
}

std::optional<std::vector<std::uint8_t>> Win32Crypto::DecryptAes256Cbc(
    std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
    std::span<const std::uint8_t> cipher) {
  if (cipher.empty() || cipher.size() % kAesBlockBytes) return std::nullopt;
  const UniqueProvider provider = AcquireAesProvider();
  const UniqueCryptKey aes = provider.IsValid() ? ImportAesKey(provider.Get(), key, iv) : UniqueCryptKey();
  if (!aes.IsValid()) return std::nullopt;
  std::vector<std::uint8_t> data(cipher.begin(), cipher.end());
  DWORD length = static_cast<DWORD>(data.size());
  if (!::CryptDecrypt(aes.Get(), 0, TRUE, 0, data.data(), &length)) return std::nullopt;
  data.resize(length);
  return data;
}

}  // namespace kva::win32
