// The setup's windows in-process: the language window and its keys, the
// welcome window in each language, the installation and its failure path with
// the message box, the end and the display-settings start faked through the
// platform table.
#include <gtest/gtest.h>

#include <string>

#include "app.h"
#include "frmInstall1.h"
#include "frmInstall2.h"
#include "frmSetup.h"
#include "platform.h"
#include "sequential_file.h"

namespace {

std::string ReadBytes(const std::wstring& path) { return rt::ReadWholeFile(path, 1 << 20).value_or("<missing>"); }

void WriteBytes(const std::wstring& path, const std::string& bytes) { ASSERT_TRUE(rt::WriteWholeFile(path, bytes)); }

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What the faked platform calls saw.
struct Seen {
    int ends = 0;
    int boxes = 0;
    std::wstring boxText, boxTitle;
    UINT boxStyle = 0;
    HWND boxOwner = nullptr;
    int starts = 0;
    std::wstring program, commandLine;
    WORD show = 0;
} seen;

void WINAPI FakeExit(UINT) { ++seen.ends; }  // End then throws rt::EndRequested
int WINAPI FakeMessageBox(HWND owner, LPCWSTR text, LPCWSTR title, UINT style) {
    ++seen.boxes;
    seen.boxOwner = owner;
    seen.boxText = text;
    seen.boxTitle = title;
    seen.boxStyle = style;
    return IDOK;
}
BOOL WINAPI FakeCreateProcess(LPCWSTR program, LPWSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                              DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION info) {
    ++seen.starts;
    seen.program = program ? program : L"";
    seen.commandLine = commandLine;
    seen.show = (startup->dwFlags & STARTF_USESHOWWINDOW) ? startup->wShowWindow : 0xFFFF;
    *info = {};
    return TRUE;
}

std::wstring Text(HWND window) {
    wchar_t text[128] = {};
    ::GetWindowTextW(window, text, 128);
    return text;
}

void Pump(DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (::GetTickCount64() < end) {
        rt::DoEvents();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

class Setup : public ::testing::Test {
protected:
    void SetUp() override {
        seen = {};
        platform_->ExitProcess = FakeExit;
        platform_->MessageBoxW = FakeMessageBox;
        platform_->CreateProcessW = FakeCreateProcess;
        language.Show();
        rt::DoEvents();
    }

    // The user picks a language with the mouse: the system's button does the rest.
    void Choose(int option) {
        ::SendMessageW(language.Opt(option).hWnd(), BM_CLICK, 0, 0);
        rt::DoEvents();
    }
    frmInstall1& Continue() {
        ::SendMessageW(language.Command1.hWnd(), BM_CLICK, 0, 0);
        rt::DoEvents();
        return rt::TheForm<frmInstall1>();
    }
    // Whether text was drawn on text line `line` of the device's screen.
    static bool LineHasText(frmInstall1& welcome, int line) {
        const HDC surface = welcome.picHintergrund.hDC();
        const int top = 58 + line * welcome.picHintergrund.LineHeight();
        for (int y = top; y < top + welcome.picHintergrund.LineHeight(); ++y) {
            for (int x = 51; x <= 196; ++x) {
                if (::GetPixel(surface, x, y) == RGB(0, 0, 0)) return true;
            }
        }
        return false;
    }

    rt::PlatformOverride platform_;
    frmSetup& language = rt::TheForm<frmSetup>();
};

TEST_F(Setup, LanguageWindowOpensWithEnglishAndItsCaptionsReplaced) {
    EXPECT_TRUE(language.Opt(0).Value());
    EXPECT_FALSE(language.Opt(1).Value());
    EXPECT_EQ(Text(language.Command1.hWnd()), L"&Next");
    EXPECT_EQ(Text(language.Command2.hWnd()), L"&Cancel");
    EXPECT_EQ(Text(language.Label2.hWnd()), L"Wählen Sie bitte ihre Sprache.");
    EXPECT_EQ(Text(language.hWnd()), L"Language / Sprache");

    Choose(1);
    EXPECT_FALSE(language.Opt(0).Value()) << "one group: choosing one clears the other";
    EXPECT_EQ(language.ChosenLanguage(), setup::Language::German);
    EXPECT_EQ(Text(language.Command1.hWnd()), L"&Weiter");
    EXPECT_EQ(Text(language.Command2.hWnd()), L"&Abbrechen");
    Choose(0);
    EXPECT_EQ(language.ChosenLanguage(), setup::Language::English);
    EXPECT_EQ(Text(language.Command1.hWnd()), L"&Next");
    EXPECT_EQ(Text(language.Command2.hWnd()), L"&Cancel");
}

TEST_F(Setup, LanguageWindowIsACentredToolWindowWithItsControlsInTabOrder) {
    const auto style = static_cast<DWORD>(::GetWindowLongW(language.hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongW(language.hWnd(), GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    RECT client{}, outer{};
    ::GetClientRect(language.hWnd(), &client);
    ::GetWindowRect(language.hWnd(), &outer);
    EXPECT_EQ(client.right, 312);
    EXPECT_EQ(client.bottom, 170);
    EXPECT_NEAR((outer.left + outer.right) / 2.0, ::GetSystemMetrics(SM_CXSCREEN) / 2.0, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2.0, ::GetSystemMetrics(SM_CYSCREEN) / 2.0, 1);

    const HWND order[] = {language.Command1.hWnd(), language.Command2.hWnd(), language.Label1.hWnd(),
                          language.Label2.hWnd(), language.Opt(0).hWnd(), language.Opt(1).hWnd()};
    HWND child = ::GetWindow(language.hWnd(), GW_CHILD);
    for (HWND expected : order) {
        EXPECT_EQ(child, expected);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_TRUE(::GetWindowLongW(language.Opt(0).hWnd(), GWL_STYLE) & WS_GROUP);
    EXPECT_FALSE(::GetWindowLongW(language.Opt(1).hWnd(), GWL_STYLE) & WS_GROUP) << "the options are one group";
    RECT r{};
    ::GetWindowRect(language.Opt(1).hWnd(), &r);
    ::MapWindowPoints(nullptr, language.hWnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 22);
    EXPECT_EQ(r.top, 83);
    EXPECT_EQ(r.right - r.left, 251);
    EXPECT_EQ(r.bottom - r.top, 21);
    EXPECT_EQ(::GetFocus(), language.Command1.hWnd()) << "the first control in tab order";
}

TEST_F(Setup, ArrowKeysChooseWithinTheOptionsAndEscapeCancels) {
    ::SetFocus(language.Opt(0).hWnd());
    ::PostMessageW(language.Opt(0).hWnd(), WM_KEYDOWN, VK_DOWN, 0);
    rt::DoEvents();
    EXPECT_EQ(language.ChosenLanguage(), setup::Language::German);
    EXPECT_EQ(Text(language.Command1.hWnd()), L"&Weiter");
    EXPECT_EQ(seen.ends, 0);

    ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    rt::DoEvents();
    EXPECT_EQ(seen.ends, 1);
}

TEST_F(Setup, ContinueShowsTheWelcomeTextsOfTheChosenLanguageAndCloseComesBack) {
    Choose(1);
    frmInstall1& german = Continue();
    EXPECT_TRUE(german.Visible());
    EXPECT_TRUE(rt::TheForm<frmInstall2>().Visible());
    EXPECT_FALSE(language.Visible());
    EXPECT_TRUE(language.IsLoaded()) << "hidden, still the record of the language";
    EXPECT_TRUE(german.imgNext(0).Visible());
    EXPECT_TRUE(LineHasText(german, 16)) << "the German welcome has four instruction lines";

    german.imgEnde.Click(0);
    EXPECT_FALSE(german.IsLoaded());
    EXPECT_FALSE(rt::TheForm<frmInstall2>().IsLoaded());
    EXPECT_TRUE(language.Visible());
    EXPECT_TRUE(language.Opt(1).Value()) << "the choice stays";

    Choose(0);
    frmInstall1& english = Continue();
    EXPECT_TRUE(english.IsLoaded()) << "a fresh welcome window";
    EXPECT_TRUE(LineHasText(english, 14));
    EXPECT_FALSE(LineHasText(english, 16)) << "the English welcome has three";
    EXPECT_EQ(seen.ends, 0);
}

TEST_F(Setup, ClosingTheWelcomeWindowByTheSystemAlsoBringsBackTheLanguageWindow) {
    frmInstall1& welcome = Continue();
    ::SendMessageW(welcome.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(welcome.IsLoaded());
    EXPECT_FALSE(rt::TheForm<frmInstall2>().IsLoaded());
    EXPECT_TRUE(language.Visible());
}

// An installation into a Windows directory of the test's own, with the
// shipped saver beside the test program.
class Install : public Setup {
protected:
    void SetUp() override {
        Setup::SetUp();
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        windows_ = std::wstring(temp) + L"veltrin-install-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(windows_.c_str(), nullptr);
        ::SetEnvironmentVariableW(L"WinDir", windows_.c_str());
    }
    void TearDown() override {
        for (const wchar_t* name : {L"\\Veltrin.scr", L"\\scrVeltrin.ini"}) ::DeleteFileW((windows_ + name).c_str());
        ::RemoveDirectoryW(windows_.c_str());
        ::DeleteFileW(shipped_.c_str());
    }
    void Ship(const std::string& bytes) { WriteBytes(shipped_, bytes); }

    std::wstring windows_;
    const std::wstring shipped_ = rt::App::Path() + L"\\Qor.drl";
};

TEST_F(Install, CopiesTheSaverReplacesTheSettingsAndShowsTheCompletionTexts) {
    const std::string saver = std::string("MZ saver image \0\x01\x02", 18) + std::string(70000, 'x');
    Ship(saver);
    WriteBytes(windows_ + L"\\Veltrin.scr", std::string(200000, 'o'));  // an older, larger copy
    WriteBytes(windows_ + L"\\scrVeltrin.ini", std::string(300, 'o'));
    Choose(1);
    frmInstall1& welcome = Continue();
    ASSERT_TRUE(LineHasText(welcome, 16));

    welcome.imgNext.Click(0);
    EXPECT_FALSE(welcome.imgNext(0).Visible());
    EXPECT_EQ(ReadBytes(windows_ + L"\\Veltrin.scr"), saver);
    EXPECT_EQ(ReadBytes(windows_ + L"\\scrVeltrin.ini"), "\"Veltrin-Bildschirmschoner\",\"Kostenloses Programm!\"\r\n");
    EXPECT_EQ(seen.boxes, 0);
    EXPECT_TRUE(welcome.Timer1.Enabled());
    EXPECT_EQ(welcome.Timer1.Interval(), 1500u);

    // The completion texts replace the welcome texts, and so does the outline.
    EXPECT_TRUE(LineHasText(welcome, 14));
    EXPECT_FALSE(LineHasText(welcome, 16)) << "no welcome text is left under the completion texts";
    const HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(welcome.hWnd(), region), ERROR);
    const HDC surface = welcome.picHintergrund.hDC();
    int mismatches = 0;
    for (int y = 0; y < 386; ++y) {
        for (int x = 0; x < 247; ++x) {
            mismatches += (::GetPixel(surface, x, y) != RGB(255, 0, 255)) != (::PtInRegion(region, x, y) != FALSE);
        }
    }
    ::DeleteObject(region);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(Install, TheTimerOpensTheDisplaySettingsOnPage1FromTheSystemFolderAndEnds) {
    frmInstall1& welcome = Continue();
    EXPECT_THROW(welcome.Timer1_Timer(), rt::EndRequested);
    EXPECT_EQ(seen.ends, 1);
    ASSERT_EQ(seen.starts, 1);
    EXPECT_EQ(seen.commandLine, L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,1");
    EXPECT_EQ(seen.program, rt::SystemDirectory() + L"\\rundll32.exe");
    EXPECT_EQ(seen.show, SW_SHOWMINIMIZED);

    std::int32_t page = -1;
    EXPECT_TRUE(welcome.DispDialog(page));
    EXPECT_EQ(page, 3);
    EXPECT_EQ(seen.commandLine, L"rundll32.exe shell32.dll,Control_RunDLL desk.cpl,,3");
}

TEST_F(Install, TheCloseButtonInTheLastMomentsStopsTheTimerAndReturns) {
    Ship("saver");
    frmInstall1& welcome = Continue();
    welcome.imgNext.Click(0);
    ASSERT_TRUE(welcome.Timer1.Enabled());
    welcome.imgEnde.Click(0);
    EXPECT_TRUE(language.Visible());
    Pump(1800);  // longer than the timer's 1500 ms
    EXPECT_EQ(seen.starts, 0) << "the display settings were opened after all";
    EXPECT_EQ(seen.ends, 0);
}

TEST_F(Install, WithoutTheShippedSaverTheMessageInTheLanguageEndsTheSetupAndNothingIsWritten) {
    for (int option : {0, 1}) {
        SCOPED_TRACE(option);
        seen = {};
        Choose(option);
        frmInstall1& welcome = Continue();
        EXPECT_THROW(welcome.imgNext.Click(0), rt::EndRequested);
        EXPECT_EQ(seen.boxes, 1);
        EXPECT_EQ(seen.boxStyle, 16u) << "a stop sign and OK";
        EXPECT_EQ(seen.boxOwner, welcome.hWnd());
        EXPECT_EQ(seen.boxTitle, option == 0 ? L"Setup-Error" : L"Setup-Fehler");
        EXPECT_EQ(seen.ends, 1) << "ended once the message was closed";
        EXPECT_FALSE(Exists(windows_ + L"\\scrVeltrin.ini"));
        EXPECT_FALSE(Exists(windows_ + L"\\Veltrin.scr"));
        welcome.imgEnde.Click(0);  // back to the start for the other language
    }
}

}  // namespace
