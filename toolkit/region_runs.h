#pragma once
// The platform-free half of cutting a window's outline from a picture: a scan
// of the pixels into horizontal runs of the colours that are not the key
// colour, and the merge of rows that have the same runs into taller
// rectangles. mdlTransparent hands the result to the system in one call.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace toolkit {

// Pixels [left, right) of row y.
struct PixelRun {
    int y = 0;
    int left = 0;
    int right = 0;
    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// Rows [top, bottom) of columns [left, right), as a region rectangle.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A pixel is 0x??RRGGBB; the top byte is alpha or unused, never part of the
// colour (GetPixel does not see it either), so it is ignored when comparing.
inline constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

// Replaces `runs` by the runs of pixels whose colour differs from `key`, row
// by row from the top, left to right within a row. A run that reaches the
// right edge ends at `width`; no run continues into the next row. `stride` is
// the distance from one row to the next in pixels (negative for a picture
// stored bottom row first, with `pixels` pointing at the top row). Nothing
// for a width or height of zero or less. Keeping the caller's vector lets a
// repeated scan reuse its memory.
void PixelsToRuns(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, std::uint32_t key,
                  std::vector<PixelRun>& runs);

// Replaces `rects` by rectangles covering exactly the pixels of `runs` (as
// PixelsToRuns makes them: by row, then by column). Consecutive rows with the
// same runs share one rectangle per run spanning all of them, which makes the
// region far cheaper to build: a device outline has long stretches of rows
// that are cut alike.
void MergeRows(const std::vector<PixelRun>& runs, std::vector<PixelRect>& rects);

}  // namespace toolkit
