#pragma once
// An event's handler: a small callable that copies as its bytes do (a lambda
// holding a form's address, a member function's and an index, say), kept in
// place and called through one function pointer. Unlike std::function it
// needs no code to copy, move or destroy each kind of handler, which the
// programs would carry for every event they bind.
#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace rt {

template <class Signature>
class Callback;

template <class R, class... Args>
class Callback<R(Args...)> {
public:
    Callback() noexcept = default;
    Callback(std::nullptr_t) noexcept {}
    template <class F>
        requires(!std::is_same_v<std::decay_t<F>, Callback> && std::is_invocable_r_v<R, const F&, Args...>)
    Callback(F f) noexcept : call_(&Call<F>) {
        static_assert(sizeof(F) <= sizeof(store_) && alignof(F) <= alignof(void*) &&
                          std::is_trivially_copyable_v<F> && std::is_trivially_destructible_v<F>,
                      "a handler holds a few addresses or numbers, and nothing that must be copied or freed");
        ::new (static_cast<void*>(store_)) F(f);
    }

    R operator()(Args... args) const { return call_(store_, std::forward<Args>(args)...); }
    explicit operator bool() const noexcept { return call_ != nullptr; }

private:
    template <class F>
    static R Call(const void* store, Args... args) {
        return (*std::launder(static_cast<const F*>(store)))(std::forward<Args>(args)...);
    }

    // Aligned as an address, no more: an over-aligned handler would over-align
    // every control, which the 32-bit programs' heap does not honour.
    alignas(void*) unsigned char store_[4 * sizeof(void*)] = {};
    R (*call_)(const void*, Args...) = nullptr;
};

}  // namespace rt
