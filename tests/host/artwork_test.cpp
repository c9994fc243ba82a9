// The committed pictures (drawn by assets/draw.py) hold what the window code
// relies on: plain one-image GIF89a files of their sizes, a skin whose only
// enclosed cut-away part is the screen opening, button faces whose edges
// continue the skin under them, and a 96-pixel 24-bit icon.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;

struct Gif {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The picture, when it is a plain GIF89a of one full-frame image without a
// transparency entry; empty otherwise.
Gif Load(const std::string& name) {
    const std::string path = VELTRIN_SOURCE_DIR "/assets/" + name + ".gif";
    std::ifstream in(path, std::ios::binary);
    const std::string head((std::istreambuf_iterator<char>(in)), {});
    Gif gif;
    int error = 0;
    GifFileType* file = DGifOpenFileName(path.c_str(), &error);
    if (!file) return gif;
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    const bool read = DGifSlurp(file) == GIF_OK;
    if (read) DGifSavedExtensionToGCB(file, 0, &control);  // leaves it as it is when there is none
    if (read && file->ImageCount == 1 && head.rfind("GIF89a", 0) == 0 && control.TransparentColor == NO_TRANSPARENT_COLOR) {
        const ColorMapObject* map = file->SavedImages[0].ImageDesc.ColorMap ? file->SavedImages[0].ImageDesc.ColorMap : file->SColorMap;
        gif.width = file->SWidth, gif.height = file->SHeight;
        for (int i = 0; i < gif.width * gif.height && map; ++i) {
            const GifColorType c = map->Colors[file->SavedImages[0].RasterBits[i] % map->ColorCount];
            gif.pixels.push_back(std::uint32_t(c.Red) << 16 | c.Green << 8 | c.Blue);
        }
    }
    DGifCloseFile(file, &error);
    return gif;
}

TEST(Artwork, PicturesAreOfTheirSizesAndOnlyTheSkinHoldsTheKeyColour) {
    for (const auto& [name, w, h] : {std::tuple{"skin", 247, 386}, {"panel", 155, 270}, {"close_normal", 44, 26},
                                     {"close_hover", 44, 26}, {"close_pressed", 44, 26}, {"next_normal", 46, 28},
                                     {"next_hover", 46, 28}, {"next_pressed", 46, 28}}) {
        const Gif gif = Load(name);
        EXPECT_TRUE(gif.width == w && gif.height == h && gif.pixels.size() == std::size_t(w * h)) << name;
        EXPECT_EQ(std::count(gif.pixels.begin(), gif.pixels.end(), kKey) > 0, std::string(name) == "skin") << name;
    }
}

TEST(Artwork, TheSkinsOnlyEnclosedCutAwayIsTheScreenOpeningAndTheFacesContinueIt) {
    const Gif skin = Load("skin");
    ASSERT_EQ(skin.pixels.size(), 247u * 386u);
    EXPECT_EQ(skin.At(0, 0), kKey) << "the outline takes its key colour from (0, 0)";
    std::vector<bool> outside(skin.pixels.size());  // key colour reached from the edge
    std::vector<int> todo;
    const auto reach = [&](int x, int y) {
        const int i = y * 247 + x;
        if (x >= 0 && y >= 0 && x < 247 && y < 386 && !outside[i] && skin.pixels[i] == kKey) outside[i] = true, todo.push_back(i);
    };
    for (int x = 0; x < 247; ++x) reach(x, 0), reach(x, 385);
    for (int y = 0; y < 386; ++y) reach(0, y), reach(246, y);
    while (!todo.empty()) {
        const int i = todo.back();
        todo.pop_back();
        reach(i % 247 + 1, i / 247), reach(i % 247 - 1, i / 247), reach(i % 247, i / 247 + 1), reach(i % 247, i / 247 - 1);
    }
    int misplaced = 0, deviceLeft = 247, deviceRight = 0;
    for (int i = 0; i < 247 * 386; ++i) {
        const int x = i % 247, y = i / 247;
        misplaced += (skin.pixels[i] == kKey && !outside[i]) != (x >= 50 && x <= 196 && y >= 48 && y <= 310);
        if (skin.pixels[i] != kKey) deviceLeft = std::min(deviceLeft, x), deviceRight = std::max(deviceRight, x);
    }
    EXPECT_EQ(misplaced, 0);
    EXPECT_TRUE(deviceLeft == 1 && deviceRight == 244);
    for (const auto& [face, x0, y0] : {std::tuple{"close_normal", 63, 340}, {"close_hover", 63, 340}, {"close_pressed", 63, 340},
                                       {"next_normal", 138, 339}, {"next_hover", 138, 339}, {"next_pressed", 138, 339}}) {
        const Gif g = Load(face);
        int seams = 0;
        for (int y = 0; y < g.height; ++y) {
            for (int x = 0; x < g.width; ++x) {
                seams += (x == 0 || y == 0 || x == g.width - 1 || y == g.height - 1) && g.At(x, y) != skin.At(x0 + x, y0 + y);
            }
        }
        EXPECT_EQ(seams, 0) << face;
    }
}

TEST(Artwork, TheIconIsOne96PixelImageOf24Bits) {
    std::ifstream in(VELTRIN_SOURCE_DIR "/assets/veltrin.ico", std::ios::binary);
    const std::vector<unsigned char> ico((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(ico.size(), 28862u);
    EXPECT_TRUE(ico[2] == 1 && ico[4] == 1 && ico[6] == 96 && ico[7] == 96 && ico[12] == 24);  // an icon of one image
    EXPECT_TRUE(ico[22] == 40 && ico[26] == 96 && ico[30] == 192 && ico[36] == 24);  // its bitmap and mask
}

}  // namespace
