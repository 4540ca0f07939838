#pragma once

#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: a failed check ends the run, so that libFuzzer keeps the input.
inline void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}
