#pragma once
// Uniform random numbers in [0, 1) that repeat the same sequence on every
// start: the generator is never seeded from the clock.
#include <cstdint>

namespace rt {

class RandomSource {
public:
    static constexpr std::uint64_t kStartState = 0x5654524E2D534352ull;

    // The next number r with 0 <= r < 1, from the top 53 bits of a splitmix64 step.
    double Next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t state_ = kStartState;
};

// The program's one sequence.
double Rnd() noexcept;

}  // namespace rt
