#pragma once
// Shaped windows: the outline of a window cut from a picture. Every pixel
// whose colour differs from the key colour (the colour of the top-left pixel)
// belongs to the outline; the key colour is cut away. The caller hands the
// region to SetWindowRgn, and releases it only when that succeeds.
#include <windows.h>

#include "handles.h"
#include "picturebox.h"

namespace toolkit {

// The outline of the top-left `width` x `height` pixels of the bitmap selected
// into `dc`, read straight from the bitmap's memory and handed to the system
// in one call. Null when no pixel differs from the key colour, or when width
// or height is zero or less. Pixels beyond the bitmap's own size are not part
// of the picture and never part of the outline.
rt::UniqueRegion RegionFromDc(HDC dc, int width, int height);

// The same outline built the slow, obvious way: GetPixel for every pixel and
// one CombineRgn for every run. Kept as the reference that RegionFromDc is
// tested and measured against; programs use RegionFromDc. Unlike it, this one
// counts pixels beyond the bitmap as part of the outline, since GetPixel
// answers CLR_INVALID for them, which is never the key colour.
rt::UniqueRegion RegionFromDcLiteral(HDC dc, int width, int height);

// The outline of what is drawn in a picture box: its persistent drawing,
// scanned over its scale size (its scale must be pixels and it must sit at
// the window's top-left corner, so picture pixels are window pixels).
rt::UniqueRegion CreateRegionFromPicture(const rt::PictureBox& picture);

}  // namespace toolkit
