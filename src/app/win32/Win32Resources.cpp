#include "app/win32/Win32Resources.h"

#include "ResourceIds.h"

namespace kva::win32 {

std::span<const std::uint8_t> Win32Resources::Find(int id, const wchar_t* type) {
  HRSRC found = ::FindResourceW(module_, MAKEINTRESOURCEW(id), type);
  if (!found) return {};
  HGLOBAL loaded = ::LoadResource(module_, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const std::uint8_t*>(data), ::SizeofResource(module_, found)};
}

std::span<const std::uint8_t> Win32Resources::Rcdata(int id) { return Find(id, RT_RCDATA); }

std::span<const std::uint8_t> Win32Resources::Image(int id) { return Find(id, KVA_RT_IMAGE); }

}  // namespace kva::win32
