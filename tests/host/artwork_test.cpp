// Checks the committed artwork in assets/ (drawn by assets/draw.py) against
// what the skinned window code assumes about it: sizes, single-image GIF89a
// files without transparency, the magenta cut-away regions of the skin, faces
// that blend into the keys painted under them, and the icon's exact layout.

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb kKey{255, 0, 255};

std::string AssetPath(const std::string& name) {
  return std::string(VELTRIN_SOURCE_DIR) + "/assets/" + name;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Gif {
  bool decoded = false;
  std::string signature;
  int width = 0, height = 0, images = 0, palette_size = 0;
  bool transparent = false;
  std::vector<Rgb> pixels;

  bool IsKey(int x, int y) const { return At(x, y) == kKey; }
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Gif LoadGif(const std::string& name) {
  Gif gif;
  const std::string path = AssetPath(name);
  const auto bytes = ReadFile(path);
  if (bytes.size() >= 6) gif.signature.assign(bytes.begin(), bytes.begin() + 6);

  int error = 0;
  GifFileType* file = DGifOpenFileName(path.c_str(), &error);
  if (file == nullptr) return gif;
  if (DGifSlurp(file) == GIF_OK && file->ImageCount >= 1) {
    gif.width = file->SWidth;
    gif.height = file->SHeight;
    gif.images = file->ImageCount;
    if (file->SColorMap != nullptr) gif.palette_size = file->SColorMap->ColorCount;

    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(file, 0, &gcb);  // leaves the default when there is none
    gif.transparent = gcb.TransparentColor != NO_TRANSPARENT_COLOR;

    const SavedImage& image = file->SavedImages[0];
    const GifImageDesc& desc = image.ImageDesc;
    const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : file->SColorMap;
    if (map != nullptr && desc.Left == 0 && desc.Top == 0 && desc.Width == gif.width &&
        desc.Height == gif.height) {
      gif.decoded = true;
      for (int i = 0; i < gif.width * gif.height; ++i) {
        const int index = image.RasterBits[i];
        gif.decoded &= index < map->ColorCount;
        const GifColorType c = map->Colors[index % map->ColorCount];
        gif.pixels.push_back({c.Red, c.Green, c.Blue});
      }
    }
  }
  DGifCloseFile(file, &error);
  return gif;
}

// A picture the window code can use as is: one full-frame image, no
// transparency entry (the cut-away colour does that job), GIF89a, no magenta
// unless it is the skin.
void ExpectPlainGif(const Gif& gif, int width, int height, bool may_hold_key = false) {
  ASSERT_TRUE(gif.decoded);
  EXPECT_EQ(gif.signature, "GIF89a");
  EXPECT_EQ(gif.images, 1);
  EXPECT_EQ(gif.width, width);
  EXPECT_EQ(gif.height, height);
  EXPECT_FALSE(gif.transparent);
  if (!may_hold_key) {
    EXPECT_EQ(std::count(gif.pixels.begin(), gif.pixels.end(), kKey), 0);
  }
}

const Gif& Skin() {
  static const Gif skin = LoadGif("skin.gif");
  return skin;
}

// ---------------------------------------------------------------- skin --

TEST(SkinArtwork, IsOneGif89aImageWithFullPalette) {
  ExpectPlainGif(Skin(), 247, 386, true);
  EXPECT_EQ(Skin().palette_size, 256);
  EXPECT_EQ(Skin().At(0, 0), kKey) << "the window code takes the key colour from (0,0)";
}

TEST(SkinArtwork, OnlyEnclosedCutAwayIsTheScreenOpening) {
  const Gif& g = Skin();
  ASSERT_TRUE(g.decoded);
  // flood the magenta reachable from the picture's edge (4-connected)
  std::vector<bool> surround(g.pixels.size(), false);
  std::vector<int> todo;
  auto push = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= g.width || y >= g.height) return;
    const int i = y * g.width + x;
    if (!surround[i] && g.IsKey(x, y)) surround[i] = true, todo.push_back(i);
  };
  for (int x = 0; x < g.width; ++x) push(x, 0), push(x, g.height - 1);
  for (int y = 0; y < g.height; ++y) push(0, y), push(g.width - 1, y);
  while (!todo.empty()) {
    const int x = todo.back() % g.width, y = todo.back() / g.width;
    todo.pop_back();
    push(x + 1, y), push(x - 1, y), push(x, y + 1), push(x, y - 1);
  }

  int enclosed = 0, misplaced = 0;
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const bool hole = g.IsKey(x, y) && !surround[y * g.width + x];
      const bool opening = x >= 50 && x <= 196 && y >= 48 && y <= 310;
      enclosed += hole;
      misplaced += hole != opening;
    }
  }
  EXPECT_EQ(enclosed, 147 * 263);
  EXPECT_EQ(misplaced, 0) << "stray cut-away pixels inside the device, or a screen "
                             "opening of the wrong shape";
}

TEST(SkinArtwork, DeviceFillsItsBoxWithAShapedOutline) {
  const Gif& g = Skin();
  ASSERT_TRUE(g.decoded);
  int x0 = g.width, y0 = g.height, x1 = -1, y1 = -1;
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      if (g.IsKey(x, y)) continue;
      x0 = std::min(x0, x), x1 = std::max(x1, x);
      y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
  }
  EXPECT_EQ(x0, 1);
  EXPECT_EQ(x1, 244);
  EXPECT_EQ(y0, 1);
  EXPECT_EQ(y1, 384);
  // rounded corners: a plain rectangle would not need a shaped window
  EXPECT_TRUE(g.IsKey(1, 1) && g.IsKey(244, 1) && g.IsKey(1, 384) && g.IsKey(244, 384));
}

TEST(SkinArtwork, NoDevicePixelIsNearlyTheKeyColour) {
  // Anti-aliasing against the key colour leaves pinkish fringes round the
  // window; every device pixel must be clearly something else.
  int fringe = 0;
  for (const Rgb& p : Skin().pixels) {
    const int distance = std::abs(255 - p.r) + p.g + std::abs(255 - p.b);
    fringe += p != kKey && distance < 60;
  }
  EXPECT_EQ(fringe, 0);
}

// --------------------------------------------------------- button faces --

struct FaceCase {
  const char* name;
  int width, height, x, y;  // size and top-left position on the skin
};
void PrintTo(const FaceCase& c, std::ostream* os) { *os << c.name; }

class FaceTest : public ::testing::TestWithParam<FaceCase> {
 protected:
  static Gif Face(const char* state) {
    return LoadGif(std::string(GetParam().name) + "_" + state + ".gif");
  }
};

TEST_P(FaceTest, StatesArePlainGifsThatLookDifferent) {
  const FaceCase& c = GetParam();
  const Gif normal = Face("normal"), hover = Face("hover"), pressed = Face("pressed");
  for (const Gif* face : {&normal, &hover, &pressed}) ExpectPlainGif(*face, c.width, c.height);
  EXPECT_TRUE(normal.pixels != hover.pixels);
  EXPECT_TRUE(normal.pixels != pressed.pixels);
  EXPECT_TRUE(hover.pixels != pressed.pixels);
}

TEST_P(FaceTest, EdgesMatchTheSkinUnderneath) {
  const FaceCase& c = GetParam();
  ASSERT_TRUE(Skin().decoded);
  for (const char* state : {"normal", "hover", "pressed"}) {
    SCOPED_TRACE(state);
    const Gif face = Face(state);
    ASSERT_TRUE(face.decoded && face.width == c.width && face.height == c.height);
    int seams = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const bool border = x == 0 || y == 0 || x == c.width - 1 || y == c.height - 1;
        seams += border && face.At(x, y) != Skin().At(c.x + x, c.y + y);
      }
    }
    EXPECT_EQ(seams, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Buttons, FaceTest,
                         ::testing::Values(FaceCase{"close", 44, 26, 63, 340},
                                           FaceCase{"next", 46, 28, 138, 339}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// ------------------------------------------------------- panel and icon --

TEST(PanelArtwork, IsPlainGifWithoutKeyColour) { ExpectPlainGif(LoadGif("panel.gif"), 155, 270); }

std::uint32_t Le(const std::vector<std::uint8_t>& b, size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

TEST(IconArtwork, IsOne96Pixel24BitOpaqueImage) {
  const auto ico = ReadFile(AssetPath("veltrin.ico"));
  ASSERT_EQ(ico.size(), 28862u);
  // directory: an icon (type 1) with one 96x96 24-bit entry right behind it
  EXPECT_EQ(Le(ico, 2, 2), 1u);
  EXPECT_EQ(Le(ico, 4, 2), 1u);
  EXPECT_EQ(ico[6], 96);
  EXPECT_EQ(ico[7], 96);
  EXPECT_EQ(Le(ico, 12, 2), 24u);
  EXPECT_EQ(Le(ico, 14, 4), 28840u);
  ASSERT_EQ(Le(ico, 18, 4), 22u);
  // BITMAPINFOHEADER: the height counts the XOR bitmap and the AND mask
  EXPECT_EQ(Le(ico, 22, 4), 40u);
  EXPECT_EQ(Le(ico, 26, 4), 96u);
  EXPECT_EQ(Le(ico, 30, 4), 192u);
  EXPECT_EQ(Le(ico, 36, 2), 24u);
  EXPECT_EQ(Le(ico, 38, 4), 0u);  // uncompressed

  constexpr size_t kXor = 62, kAnd = kXor + 96 * 96 * 3;
  EXPECT_EQ(std::count(ico.begin() + kAnd, ico.end(), 0), 96 * 12)
      << "AND mask bits would punch holes in the icon";
  int dark = 0, green = 0;  // green digits on black
  for (size_t i = kXor; i < kAnd; i += 3) {
    const int b = ico[i], g = ico[i + 1], r = ico[i + 2];
    dark += r + g + b < 30;
    green += g > 150 && g > r + 40 && g > b + 40;
  }
  EXPECT_GT(dark, 96 * 96 / 2);
  EXPECT_GT(green, 200);
}

}  // namespace
