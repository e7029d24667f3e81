#include "Screenshot.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

#include "ui/UniqueWindow.h"

namespace kva::ui::test {
namespace {

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<std::byte> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring_view(codecs[i].MimeType) == L"image/png") {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool SaveScreenshot(HWND window, std::wstring_view name) {
  RECT rect;
  if (!::GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC source = ::GetWindowDC(window);
  UniqueMemoryDc memory(::CreateCompatibleDC(source));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(source, width, height));
  const HGDIOBJ previous = ::SelectObject(memory.Get(), bitmap.Get());
  const bool copied = ::BitBlt(memory.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  ::SelectObject(memory.Get(), previous);
  ::ReleaseDC(window, source);
  CLSID png;
  if (!copied || !PngEncoder(png)) return false;
  Gdiplus::Bitmap picture(bitmap.Get(), nullptr);
  const std::wstring path = std::wstring(KVA_SCREENSHOTS L"/") + std::wstring(name) + L".png";
  return picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace kva::ui::test
