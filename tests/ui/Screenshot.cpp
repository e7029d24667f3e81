#include "Screenshot.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <string>

namespace kva::ui::test {
namespace {

// The DC of a whole window, given back when done.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  [[nodiscard]] HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

UniqueBitmap CopyOf(HWND window, SIZE size) {
  const WindowDc source(window);
  if (!source.Get()) return {};
  UniqueMemoryDc memory(::CreateCompatibleDC(source.Get()));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(source.Get(), size.cx, size.cy));
  if (!memory.IsValid() || !bitmap.IsValid()) return {};
  const HGDIOBJ previous = ::SelectObject(memory.Get(), bitmap.Get());
  const bool copied =
      ::BitBlt(memory.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
  ::SelectObject(memory.Get(), previous);
  return copied ? std::move(bitmap) : UniqueBitmap();
}

// 32-bit pixels, top row first.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, SIZE size) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) * size.cy);
  const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  const int rows = ::GetDIBits(dc.Get(), bitmap, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS);
  if (rows != size.cy) pixels.clear();
  return pixels;
}

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

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour));
  return text;
}

}  // namespace

WindowPicture::WindowPicture(HWND window) {
  RECT rect;
  if (!::GetWindowRect(window, &rect)) return;
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  size_ = {rect.right - rect.left, rect.bottom - rect.top};
  bitmap_ = CopyOf(window, size_);
  if (bitmap_.IsValid()) pixels_ = PixelsOf(bitmap_.Get(), size_);
}

COLORREF WindowPicture::ColourAt(POINT at) const {
  if (!IsValid() || at.x < 0 || at.y < 0 || at.x >= size_.cx || at.y >= size_.cy) {
    return CLR_INVALID;
  }
  const std::uint32_t pixel = pixels_[static_cast<std::size_t>(at.y) * size_.cx + at.x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool WindowPicture::Save(std::wstring_view name) const {
  CLSID png;
  if (!IsValid() || !PngEncoder(png)) return false;
  Gdiplus::Bitmap picture(bitmap_.Get(), nullptr);
  const std::wstring path = std::wstring(KVA_SCREENSHOTS L"/") + std::wstring(name) + L".png";
  return picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

bool SaveScreenshot(HWND window, std::wstring_view name) { return WindowPicture(window).Save(name); }

POINT PointIn(HWND window, HWND child, POINT inChild) {
  RECT outer{};
  ::GetWindowRect(window, &outer);
  ::ClientToScreen(child, &inChild);
  return {inChild.x - outer.left, inChild.y - outer.top};
}

::testing::AssertionResult HasColourAt(const WindowPicture& picture, POINT at, COLORREF want) {
  const COLORREF found = picture.ColourAt(at);
  if (found == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "at (" << at.x << ", " << at.y << ") the colour is "
                                       << (found == CLR_INVALID ? "none" : Hex(found))
                                       << ", not " << Hex(want) << " (COLORREF)";
}

}  // namespace kva::ui::test
