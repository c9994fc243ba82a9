#include "random.h"

namespace rt {

double Rnd() noexcept {
    static RandomSource source;
    return source.Next();
}

}  // namespace rt
