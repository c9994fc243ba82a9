// bench_region: building the skin's window outline, the way the programs do it
// (toolkit::RegionFromPixels: a scan of the picture's own pixels into runs,
// rows with the same runs merged, one ExtCreateRegion) against the reference
// (RegionFromDcLiteral below: GetPixel for every pixel, one CombineRgn per
// run). Both build the region of assets/skin.gif, decoded into a 32-bit DIB
// section selected into a memory DC, in this one process.
//
//   scripts/bench region [rounds]      (default 5; each round times both)
//
// Prints the time per build of each, of the pure scan alone, and of the same
// scan handed to ExtCreateRegion without merging rows, then last
// "region ratio: R", R = reference time / our time per build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "handles.h"
#include "mdlTransparent.h"
#include "picture.h"
#include "region_runs.h"
#include "sequential_file.h"
#include "bench_clock.h"

namespace {

// The outline built the slow, obvious way, as the programs once did: one
// GetPixel for every pixel, one CombineRgn for every run.
rt::UniqueRegion RegionFromDcLiteral(HDC dc, int width, int height) {
    rt::UniqueRegion result;
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

// Milliseconds per call of `build`, called `times` times.
template <class F>
double MsPerCall(int times, F build) {
    const double start = Now();
    for (int i = 0; i < times; ++i) build();
    return (Now() - start) * 1000.0 / times;
}

// The runs as they are, one rectangle each, without merging rows: what the
// merge saves is the difference to RegionFromPixels.
rt::UniqueRegion RegionFromRuns(const std::vector<toolkit::PixelRun>& runs) {
    std::vector<std::byte> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATAHEADER header{sizeof header, RDH_RECTANGLES, static_cast<DWORD>(runs.size()),
                         static_cast<DWORD>(runs.size() * sizeof(RECT)), {0, 0, 0, 0}};
    for (const auto& r : runs) {
        header.rcBound.right = std::max<LONG>(header.rcBound.right, r.right);
        header.rcBound.bottom = std::max<LONG>(header.rcBound.bottom, r.y + 1);
    }
    std::memcpy(data.data(), &header, sizeof header);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const RECT rect{runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
        std::memcpy(data.data() + sizeof header + i * sizeof rect, &rect, sizeof rect);
    }
    return rt::UniqueRegion(
        ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string unix = std::string(VELTRIN_SOURCE_DIR) + "/assets/skin.gif";
    const std::string gif = rt::ReadWholeFile(L"Z:" + std::wstring(unix.begin(), unix.end()), 1 << 20).value_or("");
    const rt::Picture skin = rt::Picture::FromMemory(gif.data(), gif.size());
    const int w = skin.Width(), h = skin.Height();
    rt::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    rt::SelectObjectScope select(dc.get(), skin.Handle());

    const auto fast = toolkit::RegionFromPixels(skin.Bits(), w, h, w);
    const auto literal = RegionFromDcLiteral(dc.get(), w, h);
    if (!fast || !literal || !::EqualRgn(fast.get(), literal.get())) {
        std::printf("error: the two regions of the skin differ\n");
    }
    std::vector<toolkit::PixelRun> runs;
    std::vector<toolkit::PixelRect> rects;
    toolkit::PixelsToRuns(skin.Bits(), w, h, w, skin.Bits()[0], runs);
    toolkit::MergeRows(runs, rects);
    std::printf("skin: %dx%d, %zu runs, %zu rectangles after merging rows\n", w, h, runs.size(), rects.size());

    // Each round: enough builds of each to take a good fraction of a second.
    double bestLiteral = 1e9, bestFast = 1e9, bestScan = 1e9, bestUnmerged = 1e9;
    for (int round = 0; round < rounds; ++round) {
        const double lit = MsPerCall(10, [&] { RegionFromDcLiteral(dc.get(), w, h); });
        const double ours = MsPerCall(1000, [&] { toolkit::RegionFromPixels(skin.Bits(), w, h, w); });
        const double scan = MsPerCall(1000, [&] {
            toolkit::PixelsToRuns(skin.Bits(), w, h, w, skin.Bits()[0], runs);
            toolkit::MergeRows(runs, rects);
        });
        const double unmerged = MsPerCall(200, [&] { RegionFromRuns(runs); });
        std::printf("round %d: literal %.3f ms, fast %.4f ms (scan and merge %.4f ms), runs unmerged %.3f ms\n",
                    round + 1, lit, ours, scan, unmerged);
        bestLiteral = std::min(bestLiteral, lit);
        bestFast = std::min(bestFast, ours);
        bestScan = std::min(bestScan, scan);
        bestUnmerged = std::min(bestUnmerged, unmerged);
    }
    std::printf("literal (GetPixel per pixel, CombineRgn per run): %.3f ms per build (best of %d rounds)\n",
                bestLiteral, rounds);
    std::printf("fast (DIB scan, rows merged, one ExtCreateRegion): %.4f ms per build\n", bestFast);
    std::printf("  of which scan and merge: %.4f ms; one ExtCreateRegion of the unmerged runs: %.3f ms\n", bestScan,
                bestUnmerged);
    std::printf("(figures measured under Wine)\n");
    std::printf("region ratio: %.1f\n", bestLiteral / bestFast);
    return 0;
}
