#pragma once
// A timer control of a form: an interval in milliseconds, on or off, and a
// tick handler that never runs again while a previous tick of the same timer
// is still inside it (a handler that processes pending events would otherwise
// re-enter itself).
#include <windows.h>

#include <type_traits>

#include "callback.h"

namespace rt {

class Form;

class Timer {
public:
    Timer(Form& owner, UINT intervalMs, bool enabled = true);
    // A timer of the form `owner` whose ticks run its member `tick`; declared
    // with the form's controls, so no tick can be left unwired.
    template <class F>
    Timer(F& owner, UINT intervalMs, void (std::type_identity_t<F>::*tick)(), bool enabled = true)
        : Timer(owner, intervalMs, enabled) {
        Tick = [&owner, tick] { (owner.*tick)(); };
    }
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);

    Callback<void()> Tick;

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
