#pragma once
// Controls that are the system's own windows: labels, command buttons and
// option buttons, with the keyboard handling, access keys and accessibility
// that come with them. Each is made when its form is loaded, in the order the
// controls were declared, which is also the order the Tab key visits them.
#include <windows.h>

#include <string>
#include <type_traits>

#include "callback.h"
#include "fonts.h"
#include "form.h"

namespace rt {

struct ControlDesign {
    float left = 0, top = 0, width = 1215, height = 495;  // twips on the form
    const wchar_t* caption = L"";
    bool visible = true;
    FontSpec font{};  // the default dialog font
    // Escape presses it, as it does a dialog's cancel button.
    bool cancel = false;
};

class SystemControl : private FormChild {
public:
    using Design = ControlDesign;
    ~SystemControl() override = default;
    SystemControl(const SystemControl&) = delete;
    SystemControl& operator=(const SystemControl&) = delete;

    // The control's window while its form is loaded; the form's window owns it.
    HWND hWnd() const noexcept { return hwnd_; }

    void SetCaption(const std::wstring& caption);
    bool Visible() const;
    void SetVisible(bool visible);

protected:
    SystemControl(Form& form, const wchar_t* windowClass, DWORD style, const ControlDesign& design);
    // The window has just been made from the design.
    virtual void Created() {}

private:
    void CreateIn(HWND form) override;
    HWND ChildWindow() const override { return hwnd_; }
    void OnFormGone() override { hwnd_ = nullptr; }
    bool TakesDialogKeys() const override { return true; }

    const wchar_t* windowClass_;
    DWORD style_;
    ControlDesign design_;
    std::wstring caption_;
    HWND hwnd_ = nullptr;
};

class Label : public SystemControl {
public:
    Label(Form& form, const ControlDesign& design);
};

class CommandButton : public SystemControl {
public:
    CommandButton(Form& form, const ControlDesign& design);
    // A button whose click runs the member `click` of its form.
    template <class F>
    CommandButton(F& form, const ControlDesign& design, void (std::type_identity_t<F>::*click)())
        : CommandButton(form, design) {
        Click = [&form, click] { (form.*click)(); };
    }
    Callback<void()> Click;

private:
    void OnCommand(WORD code) override;
};

// All option buttons declared one after another form one group: selecting
// one clears the others.
class OptionButton : public SystemControl {
public:
    OptionButton(Form& form, const ControlDesign& design);

    bool Value() const;
    // Selecting a button, from code or by the user, raises its Click.
    void SetValue(bool selected);
    Callback<void()> Click;

private:
    void Created() override;
    void OnCommand(WORD code) override;
    bool selected_ = false;  // until the window exists
};

}  // namespace rt
