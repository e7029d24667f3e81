#pragma once
// The program's pictures: PNG data (IMAGE resources or files) turned into
// GDI+ bitmaps, and into 32-bit DIBs for menus and image lists.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <span>

#include "ui/UniqueWindow.h"

namespace kva::ui {

// nullptr when the data is not an image. The bitmap owns its pixels.
std::unique_ptr<Gdiplus::Bitmap> LoadPng(std::span<const std::uint8_t> data);
// nullptr when the module has no such IMAGE resource.
std::unique_ptr<Gdiplus::Bitmap> LoadImageResource(HMODULE module, int id);

// A top-down 32-bit DIB with premultiplied alpha, scaled to width x height,
// as MIIM_BITMAP menu items and ILC_COLOR32 image lists take it.
UniqueBitmap MakeDib(Gdiplus::Bitmap& image, int width, int height);

}  // namespace kva::ui
