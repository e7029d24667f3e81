#pragma once
// One move-only owner for every kind of OS handle. Traits say which value
// means "no handle" and how to close one; there is no implicit conversion.

#include <windows.h>
// After windows.h: the NetApi and session buffers have their own release calls.
#include <lmcons.h>
#include <lmapibuf.h>
#include <wtsapi32.h>
#include <shlobj.h>

#include <utility>

namespace kva::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Reset(); }

  [[nodiscard]] bool IsValid() const { return Traits::IsValid(handle_); }
  [[nodiscard]] Handle Get() const { return handle_; }
  // For out-parameters of Win32 calls: closes what is held first.
  [[nodiscard]] Handle* Receive() {
    Reset();
    return &handle_;
  }
  [[nodiscard]] Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (Traits::IsValid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

// Kernel handles: both NULL and INVALID_HANDLE_VALUE mean none.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};

// The predefined roots (HKEY_LOCAL_MACHINE and friends) are never closed.
// On Win64 their values are sign-extended, so compare with the constants.
struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) {
    const auto value = reinterpret_cast<ULONG_PTR>(h);
    const auto first = reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT);
    const auto last = reinterpret_cast<ULONG_PTR>(HKEY_CURRENT_USER_LOCAL_SETTINGS);
    return h != nullptr && !(value >= first && value <= last);
  }
  static void Close(Handle h) { ::RegCloseKey(h); }
};

template <typename GdiObject>
struct GdiObjectTraits {
  using Handle = GdiObject;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};

// LocalAlloc'd memory, also when Win32 hands it out typed (a SID, a SID's text).
template <typename Pointer>
struct LocalPointerTraits {
  using Handle = Pointer;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::LocalFree(h); }
};

// Buffers that NetUserEnum and the other NetApi calls allocate.
struct NetApiBufferTraits {
  using Handle = LPBYTE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::NetApiBufferFree(h); }
};

// Text that WTSQuerySessionInformationW allocates.
struct WtsTextTraits {
  using Handle = LPWSTR;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::WTSFreeMemory(h); }
};

// Shell item id lists (ILCreateFromPathW).
struct ItemIdListTraits {
  using Handle = PIDLIST_ABSOLUTE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::ILFree(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
template <typename Pointer>
using UniqueLocalPointer = UniqueHandle<LocalPointerTraits<Pointer>>;
using UniqueLocalMemory = UniqueLocalPointer<HLOCAL>;
using UniqueNetApiBuffer = UniqueHandle<NetApiBufferTraits>;
using UniqueWtsText = UniqueHandle<WtsTextTraits>;
using UniqueItemIdList = UniqueHandle<ItemIdListTraits>;
template <typename GdiObject>
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<GdiObject>>;

}  // namespace kva::win32
