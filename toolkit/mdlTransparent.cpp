#include "mdlTransparent.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "region_runs.h"

namespace toolkit {
namespace {

rt::UniqueRegion RegionFromRects(const std::vector<PixelRect>& rects) {
    if (rects.empty()) return {};
    // RGNDATA is a header followed by the rectangles in one block.
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header.rcBound = {rects.front().left, rects.front().top, rects.front().right, rects.front().bottom};
    std::vector<std::byte> data(sizeof header + header.nRgnSize);
    auto* list = reinterpret_cast<RECT*>(data.data() + sizeof header);
    for (const PixelRect& r : rects) {
        *list++ = {r.left, r.top, r.right, r.bottom};
        header.rcBound.left = std::min(header.rcBound.left, static_cast<LONG>(r.left));
        header.rcBound.right = std::max(header.rcBound.right, static_cast<LONG>(r.right));
        header.rcBound.bottom = std::max(header.rcBound.bottom, static_cast<LONG>(r.bottom));
    }
    std::memcpy(data.data(), &header, sizeof header);
    return rt::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                              reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

rt::UniqueRegion RegionFromPixels(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride) {
    if (!pixels || width <= 0 || height <= 0) return {};
    std::vector<PixelRun> runs;
    PixelsToRuns(pixels, width, height, stride, pixels[0], runs);
    std::vector<PixelRect> rects;
    MergeRows(runs, rects);
    return RegionFromRects(rects);
}

rt::UniqueRegion CreateRegionFromPicture(const rt::PictureBox& picture) {
    const rt::MemorySurface& surface = picture.Surface();
    // Scale sizes are whole pixels here; halves would go to the even neighbour.
    const int width = std::min(static_cast<int>(std::nearbyint(picture.ScaleWidth())), surface.Width());
    const int height = std::min(static_cast<int>(std::nearbyint(picture.ScaleHeight())), surface.Height());
    ::GdiFlush();  // drawing into the surface may still be queued
    return RegionFromPixels(surface.Bits(), width, height, surface.Width());
}

}  // namespace toolkit
