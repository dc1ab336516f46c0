#pragma once

#include <cstdlib>

// A broken invariant ends the run, so the fuzzer keeps the input that broke it.
inline void check(bool condition)
{
    if (!condition)
        std::abort();
}
