#pragma once
// A broken invariant aborts with the condition named, so libFuzzer keeps the
// input and the log says which rule failed.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond) \
    ((cond) ? void() : (std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #cond), std::abort()))
