#pragma once
// A form: one top-level window with its controls and its event handlers.
// Geometry is in twips; the window is created when the form is loaded and the
// form's Form_Load runs once then. Handlers are virtual members named after
// the event; controls bind their events to members of the derived form.
// A form is laid out at 96 dots per inch, unless it asks to be made aware of
// the display's scale: then its twips, its windowless controls and their
// fonts are at its own window's dots per inch, and follow it when it changes.
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app.h"
#include "container.h"

namespace rt {

class Timer;

// A control with a window of its own, made when its form is loaded.
class FormChild {
public:
    virtual ~FormChild() = default;
    virtual void CreateIn(HWND form) = 0;
    virtual HWND ChildWindow() const = 0;
    // A notification the control sent its form (BN_CLICKED, ...).
    virtual void OnCommand(WORD /*code*/) {}
    // The form's window, and with it the control's, has been destroyed.
    virtual void OnFormGone() {}
    // Tab, the arrow keys, Escape and access keys move between the form's
    // controls as in a dialog when one of its controls asks for it.
    virtual bool TakesDialogKeys() const { return false; }
};

enum class WindowState { Normal = 0, Maximized = 2 };

// The settings a form is designed with; what is not listed has the default.
struct FormDesign {
    const wchar_t* caption = L"";
    COLORREF backColor = ::GetSysColor(COLOR_BTNFACE);
    bool bordered = false;  // false: no title bar, no frame
    bool showInTaskbar = false;
    bool centered = false;  // on the screen when loaded, else where the system puts it
    WindowState windowState = WindowState::Normal;
    float clientWidth = 4680;  // twips
    float clientHeight = 3090;
    ScaleMode scale = ScaleMode::Twips;
    // A private DC, for a form whose controls draw at every step.
    bool ownDc = false;
    // false: shown without being activated, for a form that only lies behind
    // another shown next; each activation costs a round of messages.
    bool activates = true;
    // Keys meant for one of its controls reach Form_KeyDown first, as a
    // form without focusable controls gets them.
    bool keyPreview = false;
};

class Form : public Container {
public:
    explicit Form(const FormDesign& design);
    ~Form() override;

    // Creates the window and runs Form_Load, once; does nothing if loaded.
    void Load();
    bool IsLoaded() const noexcept { return HasWindow(); }
    bool HiddenDuringLoad() const noexcept { return hiddenDuringLoad_; }
    // The program is ending normally after its last form was unloaded.
    void Terminate() { Form_Terminate(); }

    void Show();    // modeless; loads the form first if need be
    void Hide();
    void Unload();  // runs Form_Unload, then destroys the window unless it cancelled
    bool Visible() const;

    // Outer window geometry in twips.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);

    void SetWindowState(WindowState state);
    void SetCaption(const std::wstring& caption);
    void ZOrder();  // to the front of the window order

    void AddChild(FormChild* child) { children_.push_back(child); }

protected:
    // The awareness of the display's scale its window is made with, and its
    // Form_Load runs with; null: the program's own, at 96 dots per inch.
    virtual DPI_AWARENESS_CONTEXT Awareness() const { return nullptr; }
    // Converts at its window's dots per inch again, if it is aware of them
    // (a child takes its parent's).
    void FollowWindowDpi();

    // Events of the form itself.
    virtual void Form_Load() {}
    virtual void Form_KeyDown(int /*KeyCode*/, int /*Shift*/) {}
    virtual void Form_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void Form_Unload(int& /*Cancel*/) {}
    virtual void Form_Terminate() {}

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

private:
    friend class Timer;
    void AddTimer(Timer* timer) { timers_.push_back(timer); }
    void RemoveTimer(Timer* timer);

    void SurfaceMouseDown(int b, int s, float x, float y) override { Form_MouseDown(b, s, x, y); }
    void SurfaceMouseMove(int b, int s, float x, float y) override { Form_MouseMove(b, s, x, y); }
    int RunUnload();  // the handler's cancel flag
    void RouteCommand(HWND control, WORD code);
    void RestoreFocus();
    LRESULT FocusedPushButton() const;  // for DM_GETDEFID
    void CenterOnScreen();
    void FitToMonitor(MINMAXINFO& info) const;

    FormDesign design_;
    std::vector<Timer*> timers_;
    std::vector<FormChild*> children_;  // in creation order
    WindowState state_;
    bool aware_ = false;  // of the display's scale
    HWND lastFocus_ = nullptr;  // the control that had the focus when the form was deactivated
    bool inLoad_ = false;
    bool hiddenDuringLoad_ = false;
    bool unloading_ = false;
};

// Gives a keyboard message to the dialog keys of the form it is meant for;
// true when they used it. The event loops call it before dispatching. A key
// for a control of a form that previews keys goes to that form first.
bool TranslateDialogKeys(MSG& msg);

// Loads the start-up form, shows it unless its load hid it or ended the
// program, and runs the event loop until no form is loaded any more.
inline int RunStartupForm(Form& form) {
    try {
        form.Load();
        if (form.IsLoaded() && !form.HiddenDuringLoad() && !form.Visible()) form.Show();
        const int code = MessageLoop();
        form.Terminate();
        return code;
    } catch (const std::exception& e) {
        UnhandledFailure(e.what());  // a load that failed before the event loop ran
    }
}

}  // namespace rt
