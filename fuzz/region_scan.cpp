// The outline scan against a plain pixel-by-pixel reference on small pictures.
#include <fuzzer/FuzzedDataProvider.h>

#include <cassert>
#include <cstdlib>
#include <vector>

#include "region_runs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange(1, 16), height = in.ConsumeIntegralInRange(1, 16);
    // Rows may be padded and stored bottom row first, as bitmaps are.
    const std::ptrdiff_t stride = (width + in.ConsumeIntegralInRange(0, 3)) * (in.ConsumeBool() ? -1 : 1);
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(std::abs(stride) * height));
    std::uint32_t* top = buffer.data() + (stride < 0 ? buffer.size() + stride : 0);
    // Colours one bit apart, and an alpha byte that must not count.
    constexpr std::uint32_t palette[] = {0x000000, 0x000001, 0x800000, 0xFFFFFF};
    auto at = [&](int x, int y) -> std::uint32_t& { return top[y * stride + x]; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto b = in.ConsumeIntegral<std::uint8_t>();
            at(x, y) = palette[b & 3] | std::uint32_t{b} << 24;
        }

    std::vector<toolkit::PixelRun> runs;
    std::vector<toolkit::PixelRect> rects;
    toolkit::PixelsToRuns(top, width, height, stride, at(0, 0), runs);
    toolkit::MergeRows(runs, rects);

    std::vector<bool> covered(static_cast<std::size_t>(width * height));
    for (const toolkit::PixelRect& r : rects) {
        assert(0 <= r.left && r.left < r.right && r.right <= width);
        assert(0 <= r.top && r.top < r.bottom && r.bottom <= height);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                assert(!covered[y * width + x]);
                covered[y * width + x] = true;
            }
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) assert(covered[y * width + x] == (((at(x, y) ^ at(0, 0)) & 0xFFFFFF) != 0));
    return 0;
}
