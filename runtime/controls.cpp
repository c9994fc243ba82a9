#include "controls.h"

namespace rt {
namespace {

bool IsOptionButton(HWND window) {
    return window && (::SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

// Clears every other option button of the group `button` belongs to: the run
// of option buttons around it in the window order.
void ClearOtherOptions(HWND button) {
    for (UINT direction : {GW_HWNDPREV, GW_HWNDNEXT}) {
        for (HWND w = ::GetWindow(button, direction); IsOptionButton(w); w = ::GetWindow(w, direction)) {
            ::SendMessageW(w, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

}  // namespace

SystemControl::SystemControl(Form& form, const wchar_t* windowClass, DWORD style, const ControlDesign& design)
    : windowClass_(windowClass), style_(style), design_(design), caption_(design.caption) {
    form.AddChild(this);
}

void SystemControl::CreateIn(HWND formWindow) {
    // Each control is a group of its own, except an option button that
    // follows another: arrow keys move within a group, Tab between groups.
    HWND previous = ::GetWindow(formWindow, GW_CHILD);
    if (previous) previous = ::GetWindow(previous, GW_HWNDLAST);
    const bool joinsGroup = (style_ & BS_TYPEMASK) == BS_AUTORADIOBUTTON && IsOptionButton(previous);
    const DWORD style = WS_CHILD | style_ | (joinsGroup ? 0 : WS_GROUP) | (design_.visible ? WS_VISIBLE : 0);
    // The cancel button answers to the id the dialog keys give Escape.
    static int nextId = 1000;
    const auto id = static_cast<INT_PTR>(design_.cancel ? IDCANCEL : nextId++);
    hwnd_ = ::CreateWindowExW(0, windowClass_, caption_.c_str(), style, TwipsToPixelsX(design_.left), TwipsToPixelsY(design_.top),
                              TwipsToPixelsX(design_.width), TwipsToPixelsY(design_.height), formWindow,
                              reinterpret_cast<HMENU>(id), ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetFont(design_.font).get()), FALSE);
    Created();
}

void SystemControl::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (hwnd_) ::SetWindowTextW(hwnd_, caption_.c_str());
}

bool SystemControl::Visible() const { return hwnd_ ? ::IsWindowVisible(hwnd_) != FALSE : design_.visible; }

void SystemControl::SetVisible(bool visible) {
    design_.visible = visible;
    if (hwnd_) ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

Label::Label(Form& form, const ControlDesign& design) : SystemControl(form, L"STATIC", SS_LEFT, design) {}

CommandButton::CommandButton(Form& form, const ControlDesign& design)
    : SystemControl(form, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, design) {}

void CommandButton::OnCommand(WORD code) {
    if (code == BN_CLICKED && Click) Click();
}

OptionButton::OptionButton(Form& form, const ControlDesign& design)
    : SystemControl(form, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, design) {}

bool OptionButton::Value() const {
    return hWnd() ? ::SendMessageW(hWnd(), BM_GETCHECK, 0, 0) == BST_CHECKED : selected_;
}

void OptionButton::SetValue(bool selected) {
    const bool was = Value();
    selected_ = selected;
    if (hWnd()) {
        if (selected) ClearOtherOptions(hWnd());
        ::SendMessageW(hWnd(), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (selected && !was && Click) Click();
}

void OptionButton::Created() {
    if (selected_) ::SendMessageW(hWnd(), BM_SETCHECK, BST_CHECKED, 0);
}

void OptionButton::OnCommand(WORD code) {
    // The system has already selected it and cleared the rest of its group.
    if (code == BN_CLICKED && Click) Click();
}

}  // namespace rt
