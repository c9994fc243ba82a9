// The about window (/c) as a process, each run from a folder of its own with
// or without a settings file beside the program: the texts it shows, where it
// sits and how it is cut, its translucent panel following it, the close
// button's faces under the real pointer and the click that ends the saver.
// The effect window stays hidden throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace e2e {
namespace {

// ---- the design, in pixels of the about window -------------------------------
// The skin's picture lies at the window's top left corner.

constexpr int kSkinWidth = 247, kSkinHeight = 386;
constexpr int kWindowWidth = 449, kWindowHeight = 488;
constexpr RECT kOutlineBox{1, 1, 245, 385};
constexpr RECT kOpening{50, 48, 197, 311};       // the see-through screen
constexpr RECT kCloseButton{63, 340, 107, 366};  // 44 x 26
constexpr POINT kPanelOffset{47, 45};            // 700 and 680 twips
constexpr SIZE kPanelSize{155, 270};
constexpr BYTE kPanelAlpha = 180;
constexpr std::uint32_t kMagenta = 0xFF00FF;  // the skin's cut-away colour
// The texts: printed blue, then black one pixel right and down.
constexpr std::uint32_t kTextBlue = 0x2367C2, kTextBlack = 0x000000;
constexpr POINT kFirstLine{55, 57};
constexpr int kTitleLine = 0, kNoteLine = 2, kAuthorLine = 9, kVersionLine = 12;
// On the device's face, away from the buttons and the screen.
constexpr POINT kBackground{120, 20};
// Screen points that no window of a run covers.
constexpr POINT kPointerAway{1010, 750}, kBareScreen{1010, 50};

// ---- pictures ----------------------------------------------------------------

const Artwork& Skin() {
    static const Artwork a("skin", kSkinWidth, kSkinHeight);
    return a;
}
const Artwork& Panel() {
    static const Artwork a("panel", kPanelSize.cx, kPanelSize.cy);
    return a;
}

enum class Face { Normal, Hover, Pressed };
const char* NameOf(Face f) { return f == Face::Normal ? "normal" : f == Face::Hover ? "hover" : "pressed"; }

const Artwork& CloseFace(Face f) {
    static const Artwork normal("close_normal", 44, 26), hover("close_hover", 44, 26), pressed("close_pressed", 44, 26);
    return f == Face::Normal ? normal : f == Face::Hover ? hover : pressed;
}

bool Contains(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// ---- masks: which pixels of the window belong to something -------------------

class Mask {
public:
    Mask() : bits_(static_cast<std::size_t>(kWindowWidth) * kWindowHeight) {}
    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < kWindowWidth && y < kWindowHeight && bits_[Index(x, y)];
    }
    void Set(int x, int y) {
        if (x >= 0 && y >= 0 && x < kWindowWidth && y < kWindowHeight) bits_[Index(x, y)] = 1;
    }
    int Count(const RECT& area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) n += At(x, y);
        }
        return n;
    }
    // The smallest rectangle holding every pixel of `area` that is set (empty when none is).
    RECT Box(const RECT& area) const {
        RECT box{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (!At(x, y)) continue;
                box.left = std::min<LONG>(box.left, x), box.right = std::max<LONG>(box.right, x + 1);
                box.top = std::min<LONG>(box.top, y), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
        return box.left < box.right ? box : RECT{};
    }
    // Where the two differ within `area`: how many pixels, and the first, for messages.
    std::string Differences(const Mask& other, const RECT& area) const {
        int n = 0, fx = -1, fy = -1;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (At(x, y) != other.At(x, y) && n++ == 0) fx = x, fy = y;
            }
        }
        if (n == 0) return {};
        return std::to_string(n) + " pixels differ, the first at (" + std::to_string(fx) + "," + std::to_string(fy) +
               ")";
    }

private:
    static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y) * kWindowWidth + x; }
    std::vector<unsigned char> bits_;
};

// The window region of another process's window; nothing when it has none.
std::optional<Mask> OutlineOf(HWND window) {
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    std::optional<Mask> outline;
    if (::GetWindowRgn(window, region) != ERROR) {
        std::vector<unsigned char> buffer(::GetRegionData(region, 0, nullptr));
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (!buffer.empty() && ::GetRegionData(region, static_cast<DWORD>(buffer.size()), data)) {
            outline.emplace();
            const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i) {
                for (LONG y = rects[i].top; y < rects[i].bottom; ++y) {
                    for (LONG x = rects[i].left; x < rects[i].right; ++x) outline->Set(x, y);
                }
            }
        }
    }
    ::DeleteObject(region);
    return outline;
}

// The device's screen as it should read: bold MS Sans Serif 8.25 pt, each line
// printed blue at its place, then black one pixel right and down, over the
// cut-away colour. The mask of the pixels drawn, and the height of a line.
// `quality` says whether the letters may be smoothed (DEFAULT_QUALITY), which
// the system decides, or not (NONANTIALIASED_QUALITY).
struct ScreenText {
    Mask drawn;
    int lineHeight = 0;
    RECT Band(int line) const {  // the rows of a line, within the screen
        return RECT{kOpening.left, kFirstLine.y + line * lineHeight, kOpening.right,
                    kFirstLine.y + (line + 1) * lineHeight + 1};
    }
};

ScreenText ExpectedScreen(const std::string& title, const std::string& note, BYTE quality = DEFAULT_QUALITY) {
    ScreenText expected;
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, kSkinWidth, -kSkinHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP dib = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(825, ::GetDeviceCaps(screen, LOGPIXELSY), 7200);
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfQuality = quality;
    lstrcpyW(lf.lfFaceName, L"MS Sans Serif");
    const HFONT font = ::CreateFontIndirectW(&lf);
    if (dc && dib && bits && font) {
        const HGDIOBJ oldBitmap = ::SelectObject(dc, dib);
        const HGDIOBJ oldFont = ::SelectObject(dc, font);
        auto* pixels = static_cast<std::uint32_t*>(bits);
        std::fill(pixels, pixels + kSkinWidth * kSkinHeight, kMagenta);
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        expected.lineHeight = tm.tmHeight;
        ::SetBkMode(dc, TRANSPARENT);
        const std::pair<int, std::string> lines[] = {
            {kTitleLine, title}, {kNoteLine, note}, {kAuthorLine, "Autor: Brandor"}, {kVersionLine, "Version: 2.1.5"}};
        for (const auto& [colour, dx] : {std::pair{kTextBlue, 0}, std::pair{kTextBlack, 1}}) {
            ::SetTextColor(dc, RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
            for (const auto& [line, text] : lines) {
                ::TextOutA(dc, kFirstLine.x + dx, kFirstLine.y + dx + line * tm.tmHeight, text.data(),
                           static_cast<int>(text.size()));
            }
        }
        ::GdiFlush();
        for (int y = 0; y < kSkinHeight; ++y) {
            for (int x = 0; x < kSkinWidth; ++x) {
                if ((pixels[y * kSkinWidth + x] & 0xFFFFFF) != kMagenta) expected.drawn.Set(x, y);
            }
        }
        ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBitmap);
    }
    if (font) ::DeleteObject(font);
    if (dib) ::DeleteObject(dib);
    if (dc) ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return expected;
}

// ---- one run of the saver's about window --------------------------------------

// What is wrong when the effect window shows, or an empty string.
std::string EffectWindowShown(const ProgramProcess& saver) {
    const HWND effect = saver.FindWindowByCaption(L"Veltrin");
    if (effect && ::IsWindowVisible(effect)) return "the effect window is visible: " + Describe(effect);
    return {};
}

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// `Qor.drl /c` started from a folder of its own holding `settings` as its
// settings file (none when not given), up to its composed window.
class AboutRun {
public:
    explicit AboutRun(const std::optional<std::string>& settings) : copy_(settings) {}

    void Start() {
        ASSERT_TRUE(copy_.Ready()) << "could not lay out the saver's folder";
        ASSERT_TRUE(PlacePointer(kPointerAway.x, kPointerAway.y));
        saver = std::make_unique<ProgramProcess>(copy_.Program(), L" /c");
        ASSERT_TRUE(saver->Started()) << "could not start " << ::testing::PrintToString(saver->CommandLine());
        about = saver->WaitForVisibleWindow(L"About");
        ASSERT_NE(about, nullptr) << "no visible window \"About\"; running " << saver->Running();
        panel = saver->WaitForVisibleWindow(L"Form1");
        ASSERT_NE(panel, nullptr) << "no visible panel \"Form1\"; running " << saver->Running();
        ASSERT_TRUE(PollUntil([&] { return (outline = OutlineOf(about)).has_value(); }, kStartDeadlineMs))
            << "the about window has no outline: " << Describe(about);
    }

    // Window coordinates to the screen's.
    POINT OnScreen(POINT p) const {
        const RECT r = WindowRect(about);
        return POINT{r.left + p.x, r.top + p.y};
    }

    // Ends the saver by closing its about window, as the system would.
    bool Close() { return saver->CloseAbout(about); }

private:
    SaverCopy copy_;  // outlives the copy started from it

public:
    std::unique_ptr<ProgramProcess> saver;
    HWND about = nullptr, panel = nullptr;
    std::optional<Mask> outline;
};

// ---- the texts of the settings file --------------------------------------------

struct SettingsVariant {
    const char* name;
    std::optional<std::string> file;  // the bytes of scrVeltrin.ini; none: no file
    std::string title, note;          // what the screen must show
};

// Each variant is a run of its own; the runs are compared with each other.
TEST(AboutTexts, FollowTheSettingsFileBesideTheProgram) {
    const SettingsVariant variants[] = {
        {"German", "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n", "Veltrin-Bildschirmschoner",
         "Kostenloses Programm!"},
        {"English", "\"Veltrin-Screen-Saver\",\"Free Program!\"\r\n", "Veltrin-Screen-Saver", "Free Program!"},
        {"HandEdited", "\"Hallo\",\"Welt\"\r\n", "Hallo", "Welt"},
        {"Missing", std::nullopt, "Veltrin-Screen-Saver", "Free Program!"},
    };
    enum { German, English, HandEdited, Missing };
    std::vector<Mask> outlines;
    ScreenText expected;
    for (const SettingsVariant& variant : variants) {
        SCOPED_TRACE(variant.name);
        AboutRun run(variant.file);
        ASSERT_NO_FATAL_FAILURE(run.Start());
        // Exactly these texts, with their letters smoothed or not.
        expected = ExpectedScreen(variant.title, variant.note);
        ASSERT_GT(expected.lineHeight, 0) << "could not draw the texts for comparison";
        const std::string smoothed = run.outline->Differences(expected.drawn, kOpening);
        const std::string sharp = smoothed.empty() ? smoothed
            : run.outline->Differences(ExpectedScreen(variant.title, variant.note, NONANTIALIASED_QUALITY).drawn,
                                       kOpening);
        EXPECT_EQ(sharp, "") << "the screen does not show \"" << variant.title << "\" and \"" << variant.note
                             << "\"; against smoothed letters " << smoothed;
        EXPECT_EQ(EffectWindowShown(*run.saver), "");
        EXPECT_TRUE(run.Close()) << "closing the about window did not end the saver";
        outlines.push_back(*run.outline);
    }

    // The same, seen only from the outlines of the runs.
    EXPECT_EQ(outlines[Missing].Differences(outlines[English], RECT{0, 0, kWindowWidth, kWindowHeight}), "")
        << "without a file the window is not the one of the English file";
    const RECT fixedLines{kOpening.left, expected.Band(kAuthorLine).top, kOpening.right,
                          expected.Band(kVersionLine).bottom};
    for (int v : {German, HandEdited, Missing}) {
        EXPECT_EQ(outlines[v].Differences(outlines[English], fixedLines), "")
            << "author and version lines of " << variants[v].name;
    }
    auto width = [&](int v, int line) {
        const RECT box = outlines[v].Box(expected.Band(line));
        return box.right - box.left;
    };
    for (int line : {kTitleLine, kNoteLine}) {
        SCOPED_TRACE(line == kTitleLine ? "title" : "note");
        EXPECT_GT(width(German, line), width(English, line));
        EXPECT_GT(width(HandEdited, line), 0);
        EXPECT_LT(width(HandEdited, line), width(English, line) / 2);
    }
}

// ---- the composed window -------------------------------------------------------

// The settings file as the setup writes it for German: the longest texts.
const char kGermanTitle[] = "Veltrin-Bildschirmschoner", kGermanNote[] = "Kostenloses Programm!";
const char kGermanFile[] = "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n";

// One run with the German settings file for each case.
class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Skin().Valid() && Panel().Valid()) << "the artwork is missing from " VELTRIN_E2E_ARTWORK_DIR;
        ASSERT_GT(texts.lineHeight, 0) << "could not draw the texts for comparison";
        ASSERT_NO_FATAL_FAILURE(run.Start());
        EXPECT_EQ(EffectWindowShown(*run.saver), "") << "at the start";
    }
    void TearDown() override {
        if (run.saver) {
            EXPECT_EQ(EffectWindowShown(*run.saver), "") << "at the end";
        }
    }

    // Whether a pixel of the window lies in the rows of a line of text.
    bool InTextRows(int y) const {
        for (int line : {kTitleLine, kNoteLine, kAuthorLine, kVersionLine}) {
            const RECT band = texts.Band(line);
            if (y >= band.top && y < band.bottom) return true;
        }
        return false;
    }

    // Pixels of the device, besides its screen and its close button, that the
    // screen does not show as the skin has them: in the rows of the texts when
    // `textRows`, elsewhere otherwise.
    int DeviceMismatches(const Screenshot& shot, bool textRows) const {
        const POINT origin = run.OnScreen({0, 0});
        int n = 0;
        for (int y = 0; y < kSkinHeight; ++y) {
            if (InTextRows(y) != textRows) continue;
            for (int x = 0; x < kSkinWidth; ++x) {
                if (Skin().At(x, y) == kMagenta || Contains(kOpening, x, y) || Contains(kCloseButton, x, y)) continue;
                n += shot.At(origin.x + x, origin.y + y) != Skin().At(x, y);
            }
        }
        return n;
    }

    // Polls screenshots until the device shows as the skin away from the
    // texts' rows; the last screenshot.
    Screenshot WaitForDevice() const {
        Screenshot shot;
        PollUntil([&] { return DeviceMismatches(shot = Screenshot::Take(), false) == 0; }, kStartDeadlineMs);
        return shot;
    }

    const ScreenText texts = ExpectedScreen(kGermanTitle, kGermanNote);
    AboutRun run{std::string(kGermanFile)};
};

TEST_F(AboutWindow, IsCentredBorderlessAndCutToTheDeviceAndItsTexts) {
    wchar_t cls[64] = {};
    ::GetClassNameW(run.about, cls, 64);
    EXPECT_STREQ(cls, L"VeltrinForm");
    const RECT r = WindowRect(run.about);
    EXPECT_NEAR(r.left, (kScreenWidth - kSkinWidth) / 2.0, 0.5) << Describe(run.about);
    EXPECT_EQ(r.top, (kScreenHeight - kSkinHeight) / 2) << Describe(run.about);
    EXPECT_EQ(r.right - r.left, kWindowWidth) << Describe(run.about);
    EXPECT_EQ(r.bottom - r.top, kWindowHeight) << Describe(run.about);
    EXPECT_EQ(::GetWindowLongW(run.about, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << Describe(run.about);

    // The outline: the device as the skin draws it, and the texts on its screen.
    const Mask& outline = *run.outline;
    const RECT box = outline.Box(RECT{0, 0, kWindowWidth, kWindowHeight});
    EXPECT_TRUE(::EqualRect(&box, &kOutlineBox))
        << "box (" << box.left << "," << box.top << ")-(" << box.right << "," << box.bottom << ")";
    Mask device;  // the screen as the outline has it, around it the skin
    int textPixels = 0, strayPixels = 0;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) {
            if (Contains(kOpening, x, y)) {
                if (!outline.At(x, y)) continue;
                device.Set(x, y);
                ++(InTextRows(y) ? textPixels : strayPixels);
            } else if (x < kSkinWidth && y < kSkinHeight && Skin().At(x, y) != kMagenta) {
                device.Set(x, y);
            }
        }
    }
    EXPECT_EQ(outline.Differences(device, RECT{0, 0, kWindowWidth, kWindowHeight}), "")
        << "around its screen, the outline is not the device of the skin";
    EXPECT_GT(textPixels, 300) << "the texts on the screen are not part of the window";
    EXPECT_EQ(strayPixels, 0) << "pixels of the screen away from the texts belong to the window";

    // On the screen: the device as the skin has it and nothing of the
    // cut-away magenta.
    const Screenshot shot = WaitForDevice();
    ASSERT_TRUE(shot.Valid());
    EXPECT_EQ(DeviceMismatches(shot, false), 0) << "the device is not on the screen as the skin draws it";
    const POINT origin = run.OnScreen({0, 0});
    int magenta = 0;
    for (int y = 0; y < kWindowHeight; ++y) {
        for (int x = 0; x < kWindowWidth; ++x) magenta += shot.At(origin.x + x, origin.y + y) == kMagenta;
    }
    EXPECT_EQ(magenta, 0) << "cut-away pixels are on the screen";

    // For looking at: the device with its panel, as composed on the screen.
    shot.SaveBmp(L"about.bmp", RECT{origin.x - 10, origin.y - 10, origin.x + kSkinWidth + 10,
                                    origin.y + kSkinHeight + 10});
}

// The texts are printed over the cut-away colour; what is not exactly one of
// the two text colours is a letter's edge mixed with magenta.
TEST_F(AboutWindow, TextsShowInTheirTwoColoursOnly) {
    const Screenshot shot = WaitForDevice();
    ASSERT_TRUE(shot.Valid());
    const POINT origin = run.OnScreen({0, 0});
    int textPixels = 0, blue = 0, black = 0;
    std::uint32_t other = 0;
    for (int y = kOpening.top; y < kOpening.bottom; ++y) {
        for (int x = kOpening.left; x < kOpening.right; ++x) {
            if (!run.outline->At(x, y)) continue;
            const std::uint32_t c = shot.At(origin.x + x, origin.y + y);
            ++textPixels;
            blue += c == kTextBlue;
            black += c == kTextBlack;
            if (c != kTextBlue && c != kTextBlack) other = c;
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_GT(black, 0);
    EXPECT_EQ(blue + black, textPixels) << textPixels - blue - black << " text pixels are neither blue nor black (e.g. "
                                        << std::hex << other << "): letters mixed with the cut-away colour";
}

// ---- the panel -------------------------------------------------------------------

TEST_F(AboutWindow, PanelLiesBehindTheScreenTranslucentAndFollowsTheWindow) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(run.panel, &owner);
    EXPECT_EQ(owner, run.saver->Id());
    RECT a = WindowRect(run.about), p = WindowRect(run.panel);
    EXPECT_EQ(p.left - a.left, kPanelOffset.x) << Describe(run.panel);
    EXPECT_EQ(p.top - a.top, kPanelOffset.y) << Describe(run.panel);
    EXPECT_EQ(p.right - p.left, kPanelSize.cx) << Describe(run.panel);
    EXPECT_EQ(p.bottom - p.top, kPanelSize.cy) << Describe(run.panel);
    EXPECT_EQ(::GetWindowLongW(run.panel, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << Describe(run.panel);
    EXPECT_NE(::GetWindowLongW(run.panel, GWL_EXSTYLE) & WS_EX_LAYERED, 0) << Describe(run.panel);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(run.panel, nullptr, &alpha, &flags)) << "error " << ::GetLastError();
    EXPECT_EQ(alpha, kPanelAlpha);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    bool behind = false;
    for (HWND w = ::GetWindow(run.about, GW_HWNDNEXT); w && !behind; w = ::GetWindow(w, GW_HWNDNEXT)) {
        behind = w == run.panel;
    }
    EXPECT_TRUE(behind) << "the panel lies in front of the about window";

    // Moved by someone else, the about window takes its panel along.
    const POINT to{a.left - 150, a.top - 100};
    ASSERT_TRUE(::SetWindowPos(run.about, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    a = WindowRect(run.about);
    EXPECT_EQ(a.left, to.x);
    EXPECT_EQ(a.top, to.y);
    const bool followed = PollUntil(
        [&] {
            p = WindowRect(run.panel);
            return p.left == to.x + kPanelOffset.x && p.top == to.y + kPanelOffset.y;
        },
        2000);
    EXPECT_TRUE(followed) << "the panel stayed at " << Describe(run.panel) << " for " << Describe(run.about);
    EXPECT_EQ(p.right - p.left, kPanelSize.cx);
    EXPECT_EQ(p.bottom - p.top, kPanelSize.cy);
    EXPECT_EQ(EffectWindowShown(*run.saver), "") << "after the move";
}

// Only with a compositor on the display does a layered window show
// translucent; without one it is drawn opaque. scripts/display.sh names the
// one it runs.
TEST_F(AboutWindow, ScreenShowsThePanelBlendedWithWhatLiesBehind) {
    const char* compositor = std::getenv("VELTRIN_COMPOSITOR");
    // Points of the screen that no text reaches.
    const POINT points[] = {{60, 300}, {120, 270}, {190, 240}, {100, 250}};
    for (POINT p : points) ASSERT_FALSE(run.outline->At(p.x, p.y)) << p.x << "," << p.y;
    // Behind the panel lies only the display's background, the same all over.
    const std::uint32_t background = Screenshot::Take().At(kBareScreen.x, kBareScreen.y);
    auto expected = [&](POINT p) {
        const std::uint32_t own = Panel().At(p.x - kPanelOffset.x, p.y - kPanelOffset.y);
        if (!compositor) return own;
        auto blend = [&](int shift) {
            const int o = (own >> shift) & 0xFF, b = (background >> shift) & 0xFF;
            return static_cast<std::uint32_t>((o * kPanelAlpha + b * (255 - kPanelAlpha) + 127) / 255) << shift;
        };
        return blend(16) | blend(8) | blend(0);
    };
    auto similar = [](std::uint32_t a, std::uint32_t b) {
        return std::abs(Red(a) - Red(b)) <= 2 && std::abs(Green(a) - Green(b)) <= 2 && std::abs(Blue(a) - Blue(b)) <= 2;
    };
    Screenshot shot;
    const bool shown = PollUntil(
        [&] {
            shot = Screenshot::Take();
            for (POINT p : points) {
                const POINT s = run.OnScreen(p);
                if (!similar(shot.At(s.x, s.y), expected(p))) return false;
            }
            return true;
        },
        kStartDeadlineMs);
    const POINT s = run.OnScreen(points[0]);
    EXPECT_TRUE(shown) << "at (" << points[0].x << "," << points[0].y << ") the screen shows " << std::hex
                       << shot.At(s.x, s.y) << ", not " << expected(points[0]) << " (the panel's own "
                       << Panel().At(points[0].x - kPanelOffset.x, points[0].y - kPanelOffset.y) << ", behind it "
                       << background << ")";
    if (!compositor) GTEST_SKIP() << "no compositor on the display (VELTRIN_COMPOSITOR unset): the panel shows opaque";
    for (POINT p : points) {
        const POINT at = run.OnScreen(p);
        EXPECT_NE(shot.At(at.x, at.y), Panel().At(p.x - kPanelOffset.x, p.y - kPanelOffset.y)) << "opaque";
        EXPECT_NE(shot.At(at.x, at.y), background) << "clear";
    }
}

// ---- the close button ------------------------------------------------------------

TEST_F(AboutWindow, CloseButtonShowsItsFacesUnderThePointerAndItsClickEndsTheSaver) {
    for (Face f : {Face::Normal, Face::Hover, Face::Pressed}) ASSERT_TRUE(CloseFace(f).Valid()) << NameOf(f);
    ASSERT_NE(Skin().At(kBackground.x, kBackground.y), kMagenta) << "the background point is cut away";
    ASSERT_FALSE(Contains(kCloseButton, kBackground.x, kBackground.y));
    const POINT button = run.OnScreen({(kCloseButton.left + kCloseButton.right) / 2,
                                       (kCloseButton.top + kCloseButton.bottom) / 2});
    const POINT background = run.OnScreen(kBackground);
    const POINT face = run.OnScreen({kCloseButton.left, kCloseButton.top});
    // Polls until the button shows face `f` exactly; what it showed last, for messages.
    auto shows = [&](Face f) {
        int mismatches = 0;
        const bool ok =
            PollUntil([&] { return (mismatches = Mismatches(Screenshot::Take(), face, CloseFace(f))) == 0; },
                      kStartDeadlineMs);
        return ok ? std::string() : std::string("not the ") + NameOf(f) + " face: " + std::to_string(mismatches) +
                                        " pixels differ";
    };
    // Each face tells itself apart from the others.
    auto differ = [](Face a, Face b) {
        for (int y = 0; y < 26; ++y) {
            for (int x = 0; x < 44; ++x) {
                if (CloseFace(a).At(x, y) != CloseFace(b).At(x, y)) return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(differ(Face::Normal, Face::Hover) && differ(Face::Normal, Face::Pressed) &&
                differ(Face::Hover, Face::Pressed));
    EXPECT_EQ(shows(Face::Normal), "") << "at the start";

    ASSERT_TRUE(MoveMouse(button.x, button.y));
    EXPECT_EQ(shows(Face::Hover), "") << "with the pointer over it";
    ASSERT_TRUE(MoveMouse(background.x, background.y));
    EXPECT_EQ(shows(Face::Normal), "") << "with the pointer moved on to the device";
    EXPECT_EQ(EffectWindowShown(*run.saver), "") << "after hovering";

    // Pressed, dragged away and released there: no click.
    ASSERT_TRUE(MoveMouse(button.x, button.y));
    EXPECT_EQ(shows(Face::Hover), "") << "with the pointer back over it";
    PressButton(Button::Left);
    EXPECT_EQ(shows(Face::Pressed), "") << "with the button held down on it";
    EXPECT_TRUE(MoveMouse(background.x, background.y));
    ReleaseButton(Button::Left);  // on every path: a held button would reach the next tests
    EXPECT_EQ(shows(Face::Normal), "") << "after the release away from it";
    EXPECT_TRUE(run.saver->StillRunningAfter(kStaysRunningMs))
        << "a release away from the close button ended the saver";

    // A click on it ends the saver.
    ASSERT_TRUE(MoveMouse(button.x, button.y));
    EXPECT_EQ(shows(Face::Hover), "");
    EXPECT_EQ(EffectWindowShown(*run.saver), "") << "before the click";
    Click(Button::Left);
    EXPECT_TRUE(run.saver->WaitForExit(kEndDeadlineMs)) << "still running after a click on the close button";
    EXPECT_EQ(run.saver->ExitCode(), 0u);
}

}  // namespace
}  // namespace e2e
