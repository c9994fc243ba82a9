#pragma once
// Shaped windows: the outline of a window cut from a picture. Every pixel
// whose colour differs from the key colour (the colour of the top-left pixel)
// belongs to the outline; the key colour is cut away. The caller hands the
// region to SetWindowRgn, and releases it only when that succeeds.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "handles.h"
#include "picturebox.h"

namespace toolkit {

// The outline of `width` x `height` pixels (0x00RRGGBB, rows `stride` pixels
// apart, the top row first), handed to the system in one call. Null when no
// pixel differs from the key colour, or when width or height is zero or less.
rt::UniqueRegion RegionFromPixels(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride);

// The outline of what is drawn in a picture box: its persistent drawing,
// scanned over its scale size (its scale must be pixels and it must sit at
// the window's top-left corner, so picture pixels are window pixels).
rt::UniqueRegion CreateRegionFromPicture(const rt::PictureBox& picture);

}  // namespace toolkit
