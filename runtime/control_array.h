#pragma once
// Controls of one name addressed by an index from 0. Elements of the design
// are added with Add; Load(i) makes a further element at run time with element
// 0's design settings, hidden until shown. The array's events carry the index.
#include <memory>
#include <type_traits>
#include <vector>

#include "callback.h"
#include "failure.h"

namespace rt {

// The handlers of an array's events: members of the form that declares it,
// each called with the element's index; a null member leaves the event alone.
template <class Owner>
struct ArrayHandlers {
    void (Owner::*MouseMove)(int Index, int Button, int Shift, float X, float Y) = nullptr;
    void (Owner::*Click)(int Index) = nullptr;
};

template <class Control>
class ControlArray {
public:
    using Design = typename Control::Design;

    // An array of controls on the form that declares it, whose events run that form's handlers.
    template <class Owner>
    ControlArray(Owner& owner, const Design& design, ArrayHandlers<std::type_identity_t<Owner>> on)
        : make_([&owner](const Design& d) { return std::make_unique<Control>(owner, d); }), design_(design) {
        if (on.MouseMove) {
            MouseMove = [&owner, handler = on.MouseMove](int i, int b, int s, float x, float y) { (owner.*handler)(i, b, s, x, y); };
        }
        if (on.Click) Click = [&owner, handler = on.Click](int i) { (owner.*handler)(i); };
        Insert(0, design_);
    }
    // Elements call back into their array: it stays where it was made.
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // The element at `index`; a missing element is a run-time failure.
    Control& operator()(int index) const {
        if (!Exists(index)) throw Failure("a control array element that does not exist");
        return *elements_[static_cast<std::size_t>(index)];
    }
    bool Exists(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < elements_.size() && elements_[static_cast<std::size_t>(index)];
    }

    // A further element of the design.
    void Add(int index, const Design& design) {
        if (Exists(index)) throw Failure("a control array element that is already loaded");
        Insert(index, design);
    }

    void Load(int index) {
        if (Exists(index)) throw Failure("a control array element that is already loaded");
        Design copy = design_;
        copy.visible = false;
        Insert(index, copy);
    }

    Callback<void(int Index, int Button, int Shift, float X, float Y)> MouseMove;
    Callback<void(int Index)> Click;

private:
    void Insert(int index, const Design& design) {
        auto control = make_(design);
        if constexpr (requires { control->MouseMove; }) {  // the system's own controls have no mouse events
            control->MouseMove = [this, index](int b, int s, float x, float y) { if (MouseMove) MouseMove(index, b, s, x, y); };
        }
        control->Click = [this, index] { if (Click) Click(index); };
        if (elements_.size() <= static_cast<std::size_t>(index)) elements_.resize(static_cast<std::size_t>(index) + 1);
        elements_[static_cast<std::size_t>(index)] = std::move(control);
    }

    Callback<std::unique_ptr<Control>(const Design&)> make_;
    Design design_;
    std::vector<std::unique_ptr<Control>> elements_;  // by index; none where no element is loaded
};

}  // namespace rt
