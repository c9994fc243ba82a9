#include "region_runs.h"

#include <algorithm>

namespace toolkit {
namespace {

bool IsKey(std::uint32_t pixel, std::uint32_t key) { return ((pixel ^ key) & kColourBits) == 0; }

void ScanRow(const std::uint32_t* row, int width, int y, std::uint32_t key, std::vector<PixelRun>& runs) {
    int x = 0;
    while (x < width) {
        while (x < width && IsKey(row[x], key)) ++x;
        if (x == width) return;
        const int left = x;
        while (x < width && !IsKey(row[x], key)) ++x;
        runs.push_back({y, left, x});
    }
}

// Whether the runs [first, last) of one row cover the same columns as the
// rectangles [top, rects.end()) made from the row before.
bool SameColumns(std::vector<PixelRun>::const_iterator first, std::vector<PixelRun>::const_iterator last,
                 const std::vector<PixelRect>& rects, std::size_t top) {
    if (static_cast<std::size_t>(last - first) != rects.size() - top) return false;
    return std::equal(first, last, rects.begin() + static_cast<std::ptrdiff_t>(top),
                      [](const PixelRun& run, const PixelRect& rect) {
                          return run.left == rect.left && run.right == rect.right;
                      });
}

}  // namespace

void PixelsToRuns(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, std::uint32_t key,
                  std::vector<PixelRun>& runs) {
    runs.clear();
    if (width <= 0 || height <= 0) return;
    for (int y = 0; y < height; ++y) ScanRow(pixels + y * stride, width, y, key, runs);
}

void MergeRows(const std::vector<PixelRun>& runs, std::vector<PixelRect>& rects) {
    rects.clear();
    std::size_t lastRow = 0;  // the rectangles of the row before start here
    int lastBottom = -1;      // and end above this row; -1: there is no row before
    auto first = runs.begin();
    while (first != runs.end()) {
        const int y = first->y;
        auto last = std::find_if(first, runs.end(), [y](const PixelRun& r) { return r.y != y; });
        if (y == lastBottom && SameColumns(first, last, rects, lastRow)) {
            for (std::size_t i = lastRow; i < rects.size(); ++i) rects[i].bottom = y + 1;
        } else {
            lastRow = rects.size();
            for (auto run = first; run != last; ++run) rects.push_back({run->left, y, run->right, y + 1});
        }
        lastBottom = y + 1;
        first = last;
    }
}

}  // namespace toolkit
