#include "memory_surface.h"

#include <utility>

#include "failure.h"

namespace rt {

UniqueBitmap CreateTopDownDib(int width, int height, std::uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    *bits = static_cast<std::uint32_t*>(pixels);
    return bitmap;
}

MemorySurface::MemorySurface(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    bitmap_ = CreateTopDownDib(width, height, &bits_);
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!bitmap_ || !dc_) throw Failure("no memory for a drawing surface");
    oldBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
}

MemorySurface::MemorySurface(MemorySurface&& other) noexcept { *this = std::move(other); }

MemorySurface& MemorySurface::operator=(MemorySurface&& other) noexcept {
    if (this != &other) {
        Release();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        oldBitmap_ = std::exchange(other.oldBitmap_, nullptr);
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void MemorySurface::Release() noexcept {
    if (dc_ && oldBitmap_) ::SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    bitmap_.reset();
    dc_.reset();
    bits_ = nullptr;
}

}  // namespace rt
