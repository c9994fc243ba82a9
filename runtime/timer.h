#pragma once
// A timer control of a form: an interval in milliseconds, on or off, and a
// tick handler that never runs again while a previous tick of the same timer
// is still inside it (a handler that processes pending events would otherwise
// re-enter itself).
#include <windows.h>

#include <functional>

namespace rt {

class Form;

class Timer {
public:
    Timer(Form& owner, UINT intervalMs, bool enabled = true);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> Tick;

private:
    friend class Form;
    void Arm();     // starts the system timer if the form's window exists
    void Disarm();
    void Fire();

    Form& owner_;
    UINT interval_;
    bool enabled_;
    bool running_ = false;
    UINT_PTR id_;
};

}  // namespace rt
