#include "timer.h"

#include "form.h"
#include "raised_flag.h"

namespace rt {
namespace {
UINT_PTR NextTimerId() {
    static UINT_PTR next = 100;
    return next++;
}
}  // namespace

Timer::Timer(Form& owner, UINT intervalMs, bool enabled)
    : owner_(owner), interval_(intervalMs), enabled_(enabled), id_(NextTimerId()) {
    owner_.AddTimer(this);
}

Timer::~Timer() {
    Disarm();
    owner_.RemoveTimer(this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    enabled ? Arm() : Disarm();
}

void Timer::Arm() {
    // An interval of 0 leaves a timer idle, as it does on a form.
    if (enabled_ && interval_ > 0 && owner_.HasWindow()) ::SetTimer(owner_.hWnd(), id_, interval_, nullptr);
}

void Timer::Disarm() {
    if (owner_.HasWindow()) ::KillTimer(owner_.hWnd(), id_);
}

void Timer::Fire() {
    if (running_ || !enabled_ || !Tick) return;
    const RaisedFlag running(running_);
    Tick();
}

}  // namespace rt
