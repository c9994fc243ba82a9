// Window outlines cut from the real skin: the fast scan against the reference
// built pixel by pixel, the shape itself, and handles that are never leaked.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "handles.h"
#include "mdlTransparent.h"
#include "picture.h"

namespace {

constexpr int kSkinWidth = 247, kSkinHeight = 386;
constexpr RECT kOpening{50, 48, 197, 311};  // the screen hole of the device

std::wstring SourcePath(const char* relative) {
    const std::string unix = std::string(VELTRIN_SOURCE_DIR) + "/" + relative;
    return L"Z:" + std::wstring(unix.begin(), unix.end());
}

// A memory DC with `bitmap` selected, torn down in the right order.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap) : dc_(::CreateCompatibleDC(nullptr)), select_(dc_.get(), bitmap) {}
    HDC get() const { return dc_.get(); }

private:
    rt::UniqueMemoryDc dc_;
    rt::SelectObjectScope select_;
};

// The skin decoded into a 32-bit top-down DIB section of its own.
struct Skin {
    rt::Picture picture = rt::Picture::FromFile(SourcePath("assets/skin.gif"));
    BitmapDc dc{picture.Handle()};
};

bool Equal(const rt::UniqueRegion& a, const rt::UniqueRegion& b) {
    return a && b && ::EqualRgn(a.get(), b.get());
}

bool Inside(const rt::UniqueRegion& region, int x, int y) { return ::PtInRegion(region.get(), x, y) != FALSE; }

TEST(Region, FastScanEqualsThePixelByPixelReference) {
    Skin skin;
    ASSERT_EQ(skin.picture.Width(), kSkinWidth);
    const auto fast = toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, kSkinHeight);
    const auto literal = toolkit::RegionFromDcLiteral(skin.dc.get(), kSkinWidth, kSkinHeight);
    ASSERT_TRUE(fast);
    EXPECT_TRUE(Equal(fast, literal));
}

TEST(Region, IsTheDeviceWithoutItsScreenOpening) {
    Skin skin;
    const auto region = toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, kSkinHeight);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.get(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 245);
    EXPECT_EQ(box.bottom, 385);
    EXPECT_FALSE(Inside(region, 0, 0));
    EXPECT_FALSE(Inside(region, 100, 100));  // the opening
    EXPECT_FALSE(Inside(region, kOpening.left, kOpening.top));
    EXPECT_FALSE(Inside(region, kOpening.right - 1, kOpening.bottom - 1));
    EXPECT_TRUE(Inside(region, 45, 100));  // the bezel round the opening
    EXPECT_TRUE(Inside(region, 100, 45));
    EXPECT_TRUE(Inside(region, kOpening.right, 200));
}

bool AnyInside(const rt::UniqueRegion& region, const RECT& rect) {
    rt::UniqueRegion area(::CreateRectRgnIndirect(&rect));
    return ::CombineRgn(area.get(), area.get(), region.get(), RGN_AND) != NULLREGION;
}

TEST(Region, TextDrawnOnThePictureBecomesPartOfTheShape) {
    Skin skin;
    ASSERT_FALSE(AnyInside(toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, kSkinHeight), kOpening));

    rt::UniqueFont bold(::CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                                      NONANTIALIASED_QUALITY, 0, L"Arial"));
    rt::SelectObjectScope font(skin.dc.get(), bold.get());
    ::SetBkMode(skin.dc.get(), TRANSPARENT);
    ::SetTextColor(skin.dc.get(), RGB(255, 255, 255));
    ::TextOutW(skin.dc.get(), 60, 150, L"VELTRIN", 7);

    const auto fast = toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, kSkinHeight);
    EXPECT_TRUE(AnyInside(fast, kOpening));
    EXPECT_TRUE(Equal(fast, toolkit::RegionFromDcLiteral(skin.dc.get(), kSkinWidth, kSkinHeight)));
}

rt::UniqueBitmap DibSection(int height, int bits, void** pixels = nullptr) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSkinWidth;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* unused = nullptr;
    return rt::UniqueBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels ? pixels : &unused, nullptr, 0));
}

TEST(Region, SameShapeFromEveryKindOfBitmap) {
    Skin skin;
    const auto expected = toolkit::RegionFromDcLiteral(skin.dc.get(), kSkinWidth, kSkinHeight);
    rt::WindowDc screen(nullptr);
    struct Kind {
        const char* name;
        rt::UniqueBitmap bitmap;
    } kinds[] = {
        {"32-bit bottom-up DIB section", DibSection(kSkinHeight, 32)},
        {"24-bit DIB section", DibSection(-kSkinHeight, 24)},
        {"device-dependent bitmap", rt::UniqueBitmap(::CreateCompatibleBitmap(screen.get(), kSkinWidth, kSkinHeight))},
    };
    for (auto& kind : kinds) {
        ASSERT_TRUE(kind.bitmap) << kind.name;
        BitmapDc copy(kind.bitmap.get());
        ::BitBlt(copy.get(), 0, 0, kSkinWidth, kSkinHeight, skin.dc.get(), 0, 0, SRCCOPY);
        EXPECT_TRUE(Equal(toolkit::RegionFromDc(copy.get(), kSkinWidth, kSkinHeight), expected)) << kind.name;
    }
}

TEST(Region, NullWhenNothingIsLeft) {
    void* bits = nullptr;
    const auto bitmap = DibSection(-kSkinHeight, 32, &bits);
    std::fill_n(static_cast<std::uint32_t*>(bits), kSkinWidth * kSkinHeight, 0x00FF00FFu);
    BitmapDc dc(bitmap.get());
    EXPECT_FALSE(toolkit::RegionFromDc(dc.get(), kSkinWidth, kSkinHeight));
    EXPECT_FALSE(toolkit::RegionFromDcLiteral(dc.get(), kSkinWidth, kSkinHeight));

    Skin skin;
    EXPECT_FALSE(toolkit::RegionFromDc(skin.dc.get(), 0, kSkinHeight));
    EXPECT_FALSE(toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, -1));
    EXPECT_FALSE(toolkit::RegionFromDcLiteral(skin.dc.get(), 0, kSkinHeight));
    EXPECT_FALSE(toolkit::RegionFromDcLiteral(skin.dc.get(), kSkinWidth, -1));
}

TEST(Region, ASizeBeyondThePictureStopsAtItsEdge) {
    Skin skin;
    const auto whole = toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, kSkinHeight);
    EXPECT_TRUE(Equal(toolkit::RegionFromDc(skin.dc.get(), kSkinWidth + 50, kSkinHeight + 50), whole));
}

// Live GDI objects of this process. Wine answers GetGuiResources with 0; there
// the handle table is counted instead (Wine takes a handle's table index alone
// as the handle of whatever lives in that slot).
int LiveGdiObjects() {
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported) return static_cast<int>(reported);
    int live = 0;
    for (std::uintptr_t slot = 1; slot < 0x10000; ++slot) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++live;
    }
    return live;
}

TEST(Region, BuildingAndFreeingLeavesNoHandleBehind) {
    Skin skin;
    {
        rt::UniqueRegion probe(::CreateRectRgn(0, 0, 1, 1));  // the count must see a region
        const int before = LiveGdiObjects();
        probe.reset();
        ASSERT_EQ(LiveGdiObjects(), before - 1);
    }
    const int before = LiveGdiObjects();
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(toolkit::RegionFromDc(skin.dc.get(), kSkinWidth, kSkinHeight));
        EXPECT_TRUE(toolkit::RegionFromDcLiteral(skin.dc.get(), kSkinWidth, kSkinHeight));
    }
    rt::UniqueBitmap ddb(::CreateCompatibleBitmap(skin.dc.get(), kSkinWidth, kSkinHeight));
    const int withBitmap = LiveGdiObjects();
    {
        BitmapDc copy(ddb.get());  // a bitmap of another kind takes the copying path
        ::BitBlt(copy.get(), 0, 0, kSkinWidth, kSkinHeight, skin.dc.get(), 0, 0, SRCCOPY);
        for (int i = 0; i < 100; ++i) EXPECT_TRUE(toolkit::RegionFromDc(copy.get(), kSkinWidth, kSkinHeight));
    }
    EXPECT_EQ(LiveGdiObjects(), withBitmap);
    ddb.reset();
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
