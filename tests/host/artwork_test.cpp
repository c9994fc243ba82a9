// The committed pictures (drawn by assets/draw.py) hold what the window code
// relies on: one-image GIF files of their sizes, and a skin whose only
// enclosed cut-away part is the screen opening.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr std::uint32_t kKey = 0xFF00FF;

// The picture's pixels as 0xRRGGBB when it is one full-frame image; empty otherwise.
std::vector<std::uint32_t> Load(const std::string& name, int width, int height) {
    int error = 0;
    GifFileType* file = DGifOpenFileName((VELTRIN_SOURCE_DIR "/assets/" + name + ".gif").c_str(), &error);
    std::vector<std::uint32_t> pixels;
    if (file && DGifSlurp(file) == GIF_OK && file->ImageCount == 1 && file->SWidth == width && file->SHeight == height) {
        const SavedImage& image = file->SavedImages[0];
        const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : file->SColorMap;
        for (int i = 0; i < width * height && map; ++i) {
            const GifColorType c = map->Colors[image.RasterBits[i] % map->ColorCount];
            pixels.push_back(std::uint32_t(c.Red) << 16 | c.Green << 8 | c.Blue);
        }
    }
    if (file) DGifCloseFile(file, &error);
    return pixels;
}

TEST(Artwork, PicturesOfTheirSizesWithTheKeyColourInTheSkinAlone) {
    for (const auto& [name, w, h] : {std::tuple{"skin", 247, 386}, {"panel", 155, 270}, {"close_normal", 44, 26},
                                     {"close_hover", 44, 26}, {"close_pressed", 44, 26}, {"next_normal", 46, 28},
                                     {"next_hover", 46, 28}, {"next_pressed", 46, 28}}) {
        const std::vector<std::uint32_t> pixels = Load(name, w, h);
        EXPECT_EQ(pixels.size(), std::size_t(w * h)) << name;
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kKey) > 0, std::string(name) == "skin") << name;
    }
}

TEST(Artwork, TheSkinsOnlyEnclosedCutAwayIsTheScreenOpening) {
    const std::vector<std::uint32_t> skin = Load("skin", 247, 386);
    ASSERT_EQ(skin.size(), 247u * 386u);
    EXPECT_EQ(skin[0], kKey) << "the outline takes its key colour from (0, 0)";
    std::vector<bool> outside(skin.size());  // key colour reached from the edge
    std::vector<int> todo;
    const auto reach = [&](int x, int y) {
        const int i = y * 247 + x;
        if (x >= 0 && y >= 0 && x < 247 && y < 386 && !outside[i] && skin[i] == kKey) outside[i] = true, todo.push_back(i);
    };
    for (int x = 0; x < 247; ++x) reach(x, 0), reach(x, 385);
    while (!todo.empty()) {
        const int i = todo.back();
        todo.pop_back();
        reach(i % 247 + 1, i / 247), reach(i % 247 - 1, i / 247), reach(i % 247, i / 247 + 1), reach(i % 247, i / 247 - 1);
    }
    int misplaced = 0;
    for (int i = 0; i < 247 * 386; ++i) {
        const int x = i % 247, y = i / 247;
        misplaced += (skin[i] == kKey && !outside[i]) != (x >= 50 && x <= 196 && y >= 48 && y <= 310);
    }
    EXPECT_EQ(misplaced, 0);
}

}  // namespace
