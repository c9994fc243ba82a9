#include "mdlTransparent.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <vector>

#include "memory_surface.h"
#include "region_runs.h"

namespace toolkit {
namespace {

// Pixels of a picture as 32-bit values, row 0 at `top`.
struct PixelView {
    const std::uint32_t* top = nullptr;
    std::ptrdiff_t stride = 0;  // in pixels; negative when stored bottom row first
    int width = 0;
    int height = 0;
};

// Whether row 0 in memory is the top row. GetObject reports a DIB section's
// height as positive whichever way up its rows are stored (Windows does, and
// Wine does the same), so the pixels decide: the first pixel that differs from
// its vertical mirror image is asked of the DC. A picture that is its own
// mirror image reads the same either way up.
bool StoredTopDown(HDC dc, const std::uint32_t* bits, std::ptrdiff_t stride, int width, int height) {
    for (int y = 0; y < height / 2; ++y) {
        const std::uint32_t* row = bits + y * stride;
        const std::uint32_t* mirror = bits + (height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (((row[x] ^ mirror[x]) & kColourBits) == 0) continue;
            const std::uint32_t p = row[x];
            return ::GetPixel(dc, x, y) == RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
    }
    return true;
}

// The selected bitmap's own pixels when it is a 32-bit DIB section: no copy.
bool ViewDibSection(HDC dc, HBITMAP bitmap, PixelView& view) {
    DIBSECTION dib{};
    if (::GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return false;
    if (dib.dsBmih.biBitCount != 32 || dib.dsBmih.biCompression != BI_RGB) return false;
    // Drawing into the bitmap may still be queued; the pixels must be there before the scan.
    ::GdiFlush();
    const auto* bits = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
    view.width = dib.dsBm.bmWidth;
    view.height = std::abs(dib.dsBm.bmHeight);
    view.stride = dib.dsBm.bmWidthBytes / 4;
    view.top = bits;
    if (!StoredTopDown(dc, bits, view.stride, view.width, view.height)) {
        view.top = bits + (view.height - 1) * view.stride;
        view.stride = -view.stride;
    }
    return true;
}

// Any other DC: its pixels copied into a 32-bit top-down DIB section of our
// own. BitBlt rather than GetDIBits, which must not be given a bitmap that is
// selected into a DC, and which cannot read a DC that has no bitmap of its own.
class PixelCopy {
public:
    bool Take(HDC dc, int width, int height, PixelView& view) {
        copy_ = rt::MemorySurface(width, height);
        if (!::BitBlt(copy_.Dc(), 0, 0, width, height, dc, 0, 0, SRCCOPY)) return false;
        ::GdiFlush();
        view = {copy_.Bits(), width, width, height};
        return true;
    }

private:
    rt::MemorySurface copy_;
};

// The size of the bitmap selected into `dc`; the requested size when the DC
// does not tell (a window's DC).
void ClampToBitmap(HDC dc, int& width, int& height) {
    BITMAP bm{};
    const auto bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    if (!bitmap || ::GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return;
    width = std::min(width, static_cast<int>(bm.bmWidth));
    height = std::min(height, static_cast<int>(bm.bmHeight));
}

rt::UniqueRegion RegionFromRects(const std::vector<PixelRect>& rects) {
    if (rects.empty()) return {};
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header.rcBound = {rects.front().left, rects.front().top, rects.front().right, rects.front().bottom};
    std::vector<RECT> list(rects.size());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const PixelRect& r = rects[i];
        list[i] = {r.left, r.top, r.right, r.bottom};
        header.rcBound.left = std::min(header.rcBound.left, static_cast<LONG>(r.left));
        header.rcBound.right = std::max(header.rcBound.right, static_cast<LONG>(r.right));
        header.rcBound.bottom = std::max(header.rcBound.bottom, static_cast<LONG>(r.bottom));
    }
    // RGNDATA is a header followed by the rectangles in one block.
    std::vector<std::byte> data(sizeof header + header.nRgnSize);
    std::memcpy(data.data(), &header, sizeof header);
    std::memcpy(data.data() + sizeof header, list.data(), header.nRgnSize);
    return rt::UniqueRegion(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                              reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

rt::UniqueRegion RegionFromDc(HDC dc, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    ClampToBitmap(dc, width, height);
    if (width <= 0 || height <= 0) return {};

    PixelView view;
    PixelCopy copy;
    const auto bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
    if (!(bitmap && ViewDibSection(dc, bitmap, view)) && !copy.Take(dc, width, height, view)) return {};
    view.width = std::min(view.width, width);
    view.height = std::min(view.height, height);

    std::vector<PixelRun> runs;
    PixelsToRuns(view.top, view.width, view.height, view.stride, view.top[0], runs);
    std::vector<PixelRect> rects;
    MergeRows(runs, rects);
    return RegionFromRects(rects);
}

rt::UniqueRegion RegionFromDcLiteral(HDC dc, int width, int height) {
    rt::UniqueRegion result;
    if (width <= 0 || height <= 0) return result;
    const COLORREF key = ::GetPixel(dc, 0, 0);
    const auto add = [&](int left, int right, int y) {
        rt::UniqueRegion rect(::CreateRectRgn(left, y, right, y + 1));
        if (!result) {
            result = std::move(rect);
        } else {
            ::CombineRgn(result.get(), result.get(), rect.get(), RGN_OR);
        }
    };
    for (int y = 0; y < height; ++y) {
        int start = -1;  // the open run's first column; -1 while no run is open
        for (int x = 0; x < width; ++x) {
            const bool in = ::GetPixel(dc, x, y) != key;
            if (in && start < 0) {
                start = x;
            } else if (!in && start >= 0) {
                add(start, x, y);
                start = -1;
            }
        }
        if (start >= 0) add(start, width, y);
    }
    return result;
}

rt::UniqueRegion CreateRegionFromPicture(const rt::PictureBox& picture) {
    // Scale sizes are whole pixels here; halves would go to the even neighbour.
    const int width = static_cast<int>(std::nearbyint(picture.ScaleWidth()));
    const int height = static_cast<int>(std::nearbyint(picture.ScaleHeight()));
    return RegionFromDc(picture.hDC(), width, height);
}

}  // namespace toolkit
