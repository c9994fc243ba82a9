#include "platform.h"

namespace rt {

PlatformCalls& Platform() {
    static PlatformCalls calls;
    return calls;
}

}  // namespace rt
