#include "ui/Images.h"

#include <shlwapi.h>

#include "ResourceIds.h"

namespace kva::ui {
namespace {

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};

// Draws source into target pixel for pixel: the PNG's own dots-per-inch
// must not scale it.
void DrawInto(Gdiplus::Bitmap& target, Gdiplus::Bitmap& source) {
  Gdiplus::Graphics g(&target);
  g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  const bool scaled =
      target.GetWidth() != source.GetWidth() || target.GetHeight() != source.GetHeight();
  g.SetInterpolationMode(scaled ? Gdiplus::InterpolationModeHighQualityBicubic
                                : Gdiplus::InterpolationModeNearestNeighbor);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const Gdiplus::Rect rect(0, 0, static_cast<INT>(target.GetWidth()),
                           static_cast<INT>(target.GetHeight()));
  g.DrawImage(&source, rect, 0, 0, source.GetWidth(), source.GetHeight(), Gdiplus::UnitPixel);
}

}  // namespace

std::unique_ptr<Gdiplus::Bitmap> LoadPng(std::span<const std::uint8_t> data) {
  if (data.empty()) return nullptr;
  std::unique_ptr<IStream, ComRelease> stream(
      ::SHCreateMemStream(data.data(), static_cast<UINT>(data.size())));
  if (!stream) return nullptr;
  // GDI+ reads a stream-backed bitmap lazily; copy it so that the stream
  // can go now.
  Gdiplus::Bitmap decoded(stream.get());
  if (decoded.GetLastStatus() != Gdiplus::Ok || decoded.GetWidth() == 0) return nullptr;
  auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(decoded.GetWidth()),
                                                static_cast<INT>(decoded.GetHeight()),
                                                PixelFormat32bppARGB);
  if (copy->GetLastStatus() != Gdiplus::Ok) return nullptr;
  DrawInto(*copy, decoded);
  return copy;
}

std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HMODULE module, int id) {
  HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), KVA_RT_IMAGE);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) return nullptr;
  return LoadPng({static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found)});
}

UniqueBitmap MakeDib(Gdiplus::Bitmap& image, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib.IsValid()) return dib;
  Gdiplus::Bitmap target(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
  DrawInto(target, image);
  return dib;
}

}  // namespace kva::ui
