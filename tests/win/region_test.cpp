// Window outlines cut from the real skin: the fast scan against the reference
// built pixel by pixel, the shape itself, and no handle left behind.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "handles.h"
#include "mdlTransparent.h"
#include "picture.h"

namespace {

constexpr int W = 247, H = 386;             // the skin's size
constexpr RECT kOpening{50, 48, 197, 311};  // the device's screen opening

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
    static std::wstring Path() {
        const std::string unix = std::string(VELTRIN_SOURCE_DIR) + "/assets/skin.gif";
        return L"Z:" + std::wstring(unix.begin(), unix.end());
    }
    rt::Picture picture = rt::Picture::FromFile(Path());
    BitmapDc dc{picture.Handle()};
    rt::UniqueRegion Fast(int w = W, int h = H) const { return toolkit::RegionFromDc(dc.get(), w, h); }
    rt::UniqueRegion Literal() const { return toolkit::RegionFromDcLiteral(dc.get(), W, H); }
};

bool Equal(const rt::UniqueRegion& a, const rt::UniqueRegion& b) { return a && b && ::EqualRgn(a.get(), b.get()); }

bool AnyInside(const rt::UniqueRegion& region, const RECT& rect) {
    rt::UniqueRegion area(::CreateRectRgnIndirect(&rect));
    return ::CombineRgn(area.get(), area.get(), region.get(), RGN_AND) != NULLREGION;
}

TEST(Region, SkinIsTheDeviceWithoutItsScreenOpening) {
    Skin skin;
    const auto region = skin.Fast();
    EXPECT_TRUE(Equal(region, skin.Literal()));
    RECT box{};
    EXPECT_EQ(::GetRgnBox(region.get(), &box), COMPLEXREGION);
    EXPECT_EQ((std::array{box.left, box.top, box.right, box.bottom}), (std::array<LONG, 4>{1, 1, 245, 385}));
    EXPECT_FALSE(AnyInside(region, kOpening));
    EXPECT_FALSE(::PtInRegion(region.get(), 100, 100));
    EXPECT_TRUE(::PtInRegion(region.get(), 45, 100));  // the bezel round the opening
    EXPECT_TRUE(::PtInRegion(region.get(), 100, 45));
    EXPECT_TRUE(Equal(skin.Fast(W + 50, H + 50), region));  // beyond the picture is nothing
}

TEST(Region, TextDrawnOnThePictureBecomesShape) {
    Skin skin;
    rt::UniqueFont bold(::CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                                      NONANTIALIASED_QUALITY, 0, L"Arial"));
    rt::SelectObjectScope font(skin.dc.get(), bold.get());
    ::SetBkMode(skin.dc.get(), TRANSPARENT);
    ::SetTextColor(skin.dc.get(), RGB(255, 255, 255));
    ::TextOutW(skin.dc.get(), 60, 150, L"VELTRIN", 7);
    const auto region = skin.Fast();
    EXPECT_TRUE(AnyInside(region, kOpening));
    EXPECT_TRUE(Equal(region, skin.Literal()));
}

rt::UniqueBitmap DibSection(int height, WORD bits, void** pixels) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, W, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    return rt::UniqueBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, pixels, nullptr, 0));
}

// Only the skin's own bitmap is a top-down 32-bit DIB section; the others are
// read the other way up, or copied first.
TEST(Region, SameShapeFromEveryKindOfBitmap) {
    Skin skin;
    const auto expected = skin.Literal();
    void* bits = nullptr;
    rt::WindowDc screen(nullptr);
    struct {
        const char* name;
        rt::UniqueBitmap bitmap;
    } kinds[] = {
        {"32-bit bottom-up DIB section", DibSection(H, 32, &bits)},
        {"24-bit DIB section", DibSection(-H, 24, &bits)},
        {"device-dependent bitmap", rt::UniqueBitmap(::CreateCompatibleBitmap(screen.get(), W, H))},
    };
    for (auto& kind : kinds) {
        BitmapDc copy(kind.bitmap.get());
        ::BitBlt(copy.get(), 0, 0, W, H, skin.dc.get(), 0, 0, SRCCOPY);
        EXPECT_TRUE(Equal(toolkit::RegionFromDc(copy.get(), W, H), expected)) << kind.name;
    }
}

TEST(Region, NullWhenNothingIsLeft) {
    void* bits = nullptr;
    const auto magenta = DibSection(-H, 32, &bits);
    std::fill_n(static_cast<std::uint32_t*>(bits), W * H, 0x00FF00FFu);
    BitmapDc dc(magenta.get());
    EXPECT_FALSE(toolkit::RegionFromDc(dc.get(), W, H));
    EXPECT_FALSE(toolkit::RegionFromDcLiteral(dc.get(), W, H));
    for (auto [w, h] : {std::pair{0, H}, std::pair{W, -1}}) {
        EXPECT_FALSE(toolkit::RegionFromDc(dc.get(), w, h));
        EXPECT_FALSE(toolkit::RegionFromDcLiteral(dc.get(), w, h));
    }
}

// Live GDI objects of this process. Wine answers GetGuiResources with 0; there
// the handle table is counted instead (Wine takes a handle's table index alone
// as the handle of whatever lives in that slot).
int LiveGdiObjects() {
    if (const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return int(reported);
    int live = 0;
    for (std::uintptr_t slot = 1; slot < 0x10000; ++slot) live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

TEST(Region, BuildingAndFreeingLeavesNoHandleBehind) {
    Skin skin;
    rt::UniqueBitmap ddb(::CreateCompatibleBitmap(skin.dc.get(), W, H));
    BitmapDc copy(ddb.get());  // a bitmap of another kind takes the copying path
    ::BitBlt(copy.get(), 0, 0, W, H, skin.dc.get(), 0, 0, SRCCOPY);
    const int before = LiveGdiObjects();
    {
        rt::UniqueRegion probe(::CreateRectRgn(0, 0, 1, 1));
        ASSERT_EQ(LiveGdiObjects(), before + 1);  // the count sees a region
    }
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(skin.Fast());
        EXPECT_TRUE(skin.Literal());
        EXPECT_TRUE(toolkit::RegionFromDc(copy.get(), W, H));
    }
    EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
