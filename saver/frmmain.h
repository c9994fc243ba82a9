#pragma once
// The saver's effect window: the start-up in every mode, the falling digits
// and the rules by which a key, a click or the pointer ends the saver.
#include <windows.h>

#include <optional>
#include <string>

#include "app.h"
#include "callback.h"
#include "control_array.h"
#include "form.h"
#include "mdlSaver.h"
#include "textbox.h"
#include "timer.h"

class frmmain : public rt::Form {
public:
    // `command`: the command line after the program's name; `showAbout`
    // shows the window of configuration mode.
    frmmain(std::string command, rt::Callback<void()> showAbout);

    // Write-only: True keeps the window above all normal windows.
    void SetTopMost(bool value);

    std::int16_t ColumnCount = 0;
    bool PreviewMode = false;
    HWND HostWindow = nullptr;
    RECT HostRect{};

    rt::Timer DoIt{*this, 1, &frmmain::DoIt_Timer};
    rt::Timer Timer1{*this, 5, &frmmain::Timer1_Timer};
    rt::ControlArray<rt::TextBox> Text1{*this, ColumnDesign(), {.MouseMove = &frmmain::Text1_MouseMove, .Click = &frmmain::Text1_Click}};

    // One step of the effect: piece k appended to column col.
    void Step(int col, int k);

protected:
    DPI_AWARENESS_CONTEXT Awareness() const override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The full-screen set-up (/s): on top, cursor hidden, over every monitor.
    void StartFullScreen();
    // The preview set-up (/p): a child filling the host the command line names.
    void StartPreview();
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Form_Unload(int& Cancel) override;
    void Form_Terminate() override;
    void Timer1_Timer();
    void DoIt_Timer();
    void Text1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Text1_Click(int Index);

    static rt::TextBox::Design ColumnDesign();
    bool MayRun(saver::SaverMode mode);
    void CoverTheDesk();
    void FitHost(UINT flags);
    void WatchHost();
    void WaitUntilSeen();
    [[noreturn]] void ShowCursorAndEnd();

    const saver::SaverMode mode_;
    const HWND previewHost_;  // the window a preview's command line names
    saver::MovementRule windowPair_;  // pointer on the window background
    saver::MovementRule columnPair_;  // pointer on any column
    std::optional<rt::InstanceMarker> instance_;
    rt::UniquePowerNotification displayNotice_;
    bool displayOn_ = true;    // off: the system has switched the display off
    bool hostShown_ = true;    // preview only: its host can be seen
    bool coversDesk_ = false;  // full screen: follows the virtual screen
    // Preview only: ends the saver once its host is gone, follows its size and
    // sees whether it shows.
    static constexpr UINT kHostWatchMs = 200;
    rt::Timer tmrHost{*this, kHostWatchMs, &frmmain::WatchHost, false};
    rt::Callback<void()> showAbout_;
    std::wstring next_;  // reused by every step
};
