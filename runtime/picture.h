#pragma once
// A decoded picture: a 32-bit top-down DIB section, shared by every control
// that shows it (copies of a Picture share one bitmap, as two image controls
// given the same picture do). Decoding is done by the Windows Imaging
// Component, so colours come back exact: the key colour 0xFF00FF stays
// 0x00FF00FF when read back with GetPixel.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "handles.h"

namespace rt {

class Picture {
public:
    Picture() = default;  // no picture

    // A picture stored in the program as an RCDATA resource.
    static Picture FromResource(int id);
    static Picture FromMemory(const void* bytes, std::size_t size);

    bool Empty() const noexcept { return !data_; }
    int Width() const noexcept { return data_ ? data_->width : 0; }
    int Height() const noexcept { return data_ ? data_->height : 0; }
    HBITMAP Handle() const noexcept { return data_ ? data_->bitmap.get() : nullptr; }
    // Pixel (x, y) is Bits()[y * Width() + x], as 0x00RRGGBB.
    const std::uint32_t* Bits() const noexcept { return data_ ? data_->bits : nullptr; }

    // Draws the picture at its own size with its top-left corner at (x, y) pixels.
    void Draw(HDC dc, int x, int y) const;

    friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

private:
    struct Data {
        UniqueBitmap bitmap;
        std::uint32_t* bits = nullptr;
        int width = 0, height = 0;
    };
    std::shared_ptr<const Data> data_;
};

}  // namespace rt
