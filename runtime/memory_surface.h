#pragma once
// An off-screen drawing surface: a memory DC with a 32-bit top-down DIB
// section selected into it. Torn down in the only safe order: the old bitmap
// selected back, then the bitmap deleted, then the DC.
#include <windows.h>

#include <cstdint>

#include "handles.h"

namespace rt {

// A 32-bit top-down DIB section; `bits` receives its pixels (0x00RRGGBB).
UniqueBitmap CreateTopDownDib(int width, int height, std::uint32_t** bits);

class MemorySurface {
public:
    MemorySurface() = default;
    MemorySurface(int width, int height);
    ~MemorySurface() { Release(); }
    MemorySurface(MemorySurface&& other) noexcept;
    MemorySurface& operator=(MemorySurface&& other) noexcept;
    MemorySurface(const MemorySurface&) = delete;
    MemorySurface& operator=(const MemorySurface&) = delete;

    HDC Dc() const noexcept { return dc_.get(); }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    std::uint32_t* Bits() const noexcept { return bits_; }

private:
    void Release() noexcept;

    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace rt
