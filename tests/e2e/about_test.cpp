// The about window (/c) as a process, run from a folder of its own with the
// settings file beside the program: the texts it shows and the device it is
// cut to, where it sits, its translucent panel, and its close button.
#include <gtest/gtest.h>

#include "driver.h"
#include "memory_surface.h"
#include "sequential_file.h"

namespace e2e {
namespace {

constexpr int kSkinW = 247, kSkinH = 386, kWindowW = 449, kWindowH = 488;
constexpr RECT kOpening{50, 48, 197, 311};
constexpr std::uint32_t kMagenta = 0xFF00FF;

// The outline the window must have: the device as the skin draws it, and on
// its see-through screen the texts, printed blue and then black one pixel
// right and down in bold MS Sans Serif of 8.25 points at 96 dpi (11 pixels,
// whatever the screen's setting), on lines 0, 2, 9 and 12.
std::vector<bool> ExpectedOutline(const std::wstring& title, const std::wstring& note) {
    std::vector<bool> outline(kWindowW * kWindowH);
    const std::vector<std::uint32_t> skin = Artwork("skin", kSkinW, kSkinH);
    for (int i = 0; i < kSkinW * kSkinH && !skin.empty(); ++i) outline[i / kSkinW * kWindowW + i % kSkinW] = skin[i] != kMagenta;
    rt::MemorySurface surface(kSkinW, kSkinH);
    std::fill_n(surface.Bits(), kSkinW * kSkinH, kMagenta);
    rt::UniqueFont font(::CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"MS Sans Serif"));
    rt::SelectObjectScope select(surface.Dc(), font.get());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(surface.Dc(), &tm);
    ::SetBkMode(surface.Dc(), TRANSPARENT);
    const std::pair<int, std::wstring> lines[] = {{0, title}, {2, note}, {9, L"Autor: Brandor"}, {12, L"Version: 2.1.5"}};
    for (int pass : {0, 1}) {
        ::SetTextColor(surface.Dc(), pass ? RGB(0, 0, 0) : RGB(35, 103, 194));
        for (const auto& [line, text] : lines) {
            ::TextOutW(surface.Dc(), 55 + pass, 57 + pass + line * tm.tmHeight, text.c_str(), int(text.size()));
        }
    }
    ::GdiFlush();
    for (int y = kOpening.top; y < kOpening.bottom; ++y) {
        for (int x = kOpening.left; x < kOpening.right; ++x) {
            if (surface.Bits()[y * kSkinW + x] != kMagenta) outline[y * kWindowW + x] = true;
        }
    }
    return outline;
}

// How many pixels of the window the region and the outline disagree on.
int Mismatches(HRGN region, const std::vector<bool>& outline) {
    int n = 0;
    for (int i = 0; i < kWindowW * kWindowH; ++i) n += (::PtInRegion(region, i % kWindowW, i / kWindowW) != FALSE) != outline[i];
    return n;
}

class About {
public:
    explicit About(const std::optional<std::string>& settings) {
        Copy(SaverPath(), folder / L"Qor.drl");
        if (settings) WriteFileBytes(folder / L"scrVeltrin.ini", *settings);
        PlacePointer(1010, 750);  // where no window of it appears
        saver.emplace(folder / L"Qor.drl", L" /c");
        window = saver->Window(L"About");
        panel = saver->Window(L"Form1");
        if (window) PollUntil([&] { return bool(outline = Region(window)); });
    }
    POINT OnScreen(POINT p) const { return {WindowRect(window).left + p.x, WindowRect(window).top + p.y}; }

    Folder folder;
    std::optional<Process> saver;
    HWND window = nullptr, panel = nullptr;
    rt::UniqueRegion outline;
};

TEST(AboutWindow, IsCutToTheDeviceAndTheTextsOfItsSettingsFile) {
    About about("\"Hallo\",\"Welt\"\r\n");  // as a user may have edited it
    ASSERT_NE(about.window, nullptr);
    ASSERT_TRUE(about.outline) << "the window has no outline";
    EXPECT_EQ(Mismatches(about.outline.get(), ExpectedOutline(L"Hallo", L"Welt")), 0);
    // Its size and its panel's place in pixels, on a display of 144 dpi as of 96.
    const RECT w = WindowRect(about.window), p = WindowRect(about.panel);
    EXPECT_TRUE(w.right - w.left == kWindowW && w.bottom - w.top == kWindowH);
    EXPECT_TRUE(p.left - w.left == 47 && p.top - w.top == 45 && p.right - p.left == 155 && p.bottom - p.top == 270);
    // Closed by the system, even through its panel (Alt+F4 after a click on the screen), it ends the saver too.
    ::PostMessageW(about.panel, WM_CLOSE, 0, 0);
    EXPECT_TRUE(about.saver->Ends());
}

// Without a settings file beside it (what it then shows is the host tests').
TEST(AboutWindow, IsCentredItsPanelTranslucentBehindFollowingItAndItsCloseButtonAnswersThePointer) {
    About about(std::nullopt);
    ASSERT_TRUE(about.window && about.panel && about.outline);
    RECT w = WindowRect(about.window), p = WindowRect(about.panel);
    EXPECT_TRUE(std::abs(w.left - (1024 - kSkinW) / 2) <= 1 && w.top == (768 - kSkinH) / 2);  // the skin is centred

    // On the screen, through the device's screen: its panel blended 180/255
    // with the desktop behind. (The device's own pictures show in its close
    // button's faces below.)
    const std::uint32_t desktop = Shot::Take().At(1010, 50);
    const std::vector<std::uint32_t> panel = Artwork("panel", 155, 270);
    ASSERT_FALSE(panel.empty());
    const std::uint32_t own = panel[(250 - 45) * 155 + (100 - 47)];
    EXPECT_TRUE(PollUntil([&] {
        const POINT at = about.OnScreen({100, 250});
        const std::uint32_t seen = Shot::Take().At(at.x, at.y);
        for (int shift : {0, 8, 16}) {
            if (std::abs(int((seen >> shift) & 0xFF) - int((((own >> shift) & 0xFF) * 180 + ((desktop >> shift) & 0xFF) * 75) / 255)) > 2) return false;
        }
        return true;
    }));

    const POINT to{w.left - 150, w.top - 100};
    ::SetWindowPos(about.window, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(PollUntil([&] {
        p = WindowRect(about.panel);
        return p.left == to.x + 47 && p.top == to.y + 45;
    }));
    const HWND effect = about.saver->Find(L"Veltrin");
    EXPECT_TRUE(effect && !::IsWindowVisible(effect));
    const double busy = about.saver->ProcessorSeconds();
    EXPECT_TRUE(about.saver->Stays(1000));
    EXPECT_LT(about.saver->ProcessorSeconds() - busy, 0.3) << "the hidden effect runs";

    // The close button's faces under the real pointer, wherever the window now is.
    const POINT button = about.OnScreen({85, 353}), device = about.OnScreen({120, 20}), face = about.OnScreen({63, 340});
    const auto showsFace = [&](const char* name) {
        const std::vector<std::uint32_t> picture = Artwork(name, 44, 26);
        return PollUntil([&] { return Shows(Shot::Take(), face, picture, 44); });
    };
    EXPECT_TRUE(showsFace("close_normal"));
    ASSERT_TRUE(MoveMouse(button.x, button.y));
    EXPECT_TRUE(showsFace("close_hover"));
    ASSERT_TRUE(MoveMouse(button.x, button.y));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(showsFace("close_pressed"));
    MoveMouse(device.x, device.y);
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(showsFace("close_normal")) << "released away from it";
    EXPECT_TRUE(about.saver->Stays()) << "a release away from the button ended the saver";
    ASSERT_TRUE(MoveMouse(button.x, button.y));
    Click();
    EXPECT_TRUE(about.saver->Ends());
}

}  // namespace
}  // namespace e2e
