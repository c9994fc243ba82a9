// The about window in-process: composed from the skin and the settings file
// beside the program, centred, cut to the shape of what it drew, with its
// translucent panel at the offset, following it; the close button's faces.
#include <gtest/gtest.h>

#include <fstream>

#include "app.h"
#include "frmAbout1.h"
#include "frmAbout2.h"
#include "platform.h"

namespace {

void WINAPI ReturnFromExit(UINT) {}  // End then throws rt::EndRequested

class AboutWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A German settings file beside the program, as the setup writes it.
        std::ofstream("Z:" VELTRIN_BINARY_DIR "/scrVeltrin.ini", std::ios::binary)
            << "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n";
        rt::TheForm<frmAbout1>().Show();
        rt::DoEvents();
    }
    frmAbout1& about = rt::TheForm<frmAbout1>();
    frmAbout2& panel = rt::TheForm<frmAbout2>();
};

RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

TEST_F(AboutWindow, ReadsItsTextsFromTheSettingsFileBesideTheProgram) {
    EXPECT_EQ(about.TitleText, "Veltrin-Bildschirmschoner");
    EXPECT_EQ(about.NoteText, "Kostenloses Programm!");
}

TEST_F(AboutWindow, SkinIsCentredAndTheWindowKeepsItsDesignedSize) {
    const RECT r = WindowRect(about.hWnd());
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(r.left, (screenW - 247) / 2.0, 1);
    EXPECT_NEAR(r.top, (screenH - 386) / 2.0, 1);
    EXPECT_EQ(r.right - r.left, 449);
    EXPECT_EQ(r.bottom - r.top, 488);
    EXPECT_TRUE(about.Visible());
    EXPECT_FALSE(::GetWindowLongW(about.hWnd(), GWL_STYLE) & WS_CAPTION);
}

TEST_F(AboutWindow, OutlineIsExactlyTheDrawnPixelsThatDifferFromMagenta) {
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(about.hWnd(), region), ERROR);
    RECT box{};
    ::GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 245);
    EXPECT_EQ(box.bottom, 385);
    const HDC surface = about.picHintergrund.hDC();
    int mismatches = 0, textInOpening = 0;
    for (int y = 0; y < 386; ++y) {
        for (int x = 0; x < 247; ++x) {
            const bool drawn = ::GetPixel(surface, x, y) != RGB(255, 0, 255);
            mismatches += drawn != (::PtInRegion(region, x, y) != FALSE);
            textInOpening += drawn && x >= 50 && x <= 196 && y >= 48 && y <= 310;
        }
    }
    ::DeleteObject(region);
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(textInOpening, 300) << "the texts on the screen belong to the window";
}

TEST_F(AboutWindow, PanelSitsAtTheOffsetTranslucentAndFollows) {
    const RECT a = WindowRect(about.hWnd());
    RECT p = WindowRect(panel.hWnd());
    EXPECT_EQ(p.left, a.left + 47);  // 700 twips
    EXPECT_EQ(p.top, a.top + 45);    // 680 twips
    EXPECT_EQ(p.right - p.left, 155);
    EXPECT_EQ(p.bottom - p.top, 270);
    EXPECT_TRUE(::GetWindowLongW(panel.hWnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(panel.hWnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 180);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    about.Move(about.Left() - 1500, about.Top() - 750);
    const DWORD start = ::GetTickCount();
    while (WindowRect(panel.hWnd()).left != WindowRect(about.hWnd()).left + 47 && ::GetTickCount() - start < 2000) {
        rt::DoEvents();
        ::Sleep(1);
    }
    p = WindowRect(panel.hWnd());
    EXPECT_EQ(p.left, WindowRect(about.hWnd()).left + 47);
    EXPECT_EQ(p.top, WindowRect(about.hWnd()).top + 45);
}

TEST_F(AboutWindow, CloseButtonShowsItsFacesAndEndsTheProgram) {
    auto shows = [&](int face) { return about.imgEnde(0).GetPicture() == about.imgEnde(face).GetPicture(); };
    EXPECT_TRUE(shows(1));
    about.imgEnde.MouseMove(0, 0, 0, 5, 5);
    EXPECT_TRUE(shows(2));
    about.imgEnde.MouseDown(0, 2, 0, 5, 5);  // the right button presses it too
    EXPECT_TRUE(shows(3));
    about.imgEnde.MouseMove(0, 2, 0, 5, 5);
    EXPECT_TRUE(shows(2));
    about.imgEnde.MouseMove(0, 1, 0, 60, 5);  // dragged off with the left button held
    EXPECT_TRUE(shows(3));
    about.imgEnde.MouseUp(0, 1, 0, 60, 5);
    EXPECT_TRUE(shows(1));
    about.imgEnde.MouseMove(0, 0, 0, 5, 5);
    about.picHintergrund.MouseMove(0, 0, 100, 100);  // over the background: hover ends
    EXPECT_TRUE(shows(1));

    rt::PlatformOverride platform;
    platform->ExitProcess = ReturnFromExit;
    EXPECT_THROW(about.imgEnde.Click(0), rt::EndRequested);
}

}  // namespace
