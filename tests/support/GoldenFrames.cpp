#include "GoldenFrames.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const GoldenFrame &goldenFrame(const char *name) {
    for (const GoldenFrame &f : GoldenFrames)
        if (std::strcmp(f.name, name) == 0)
            return f;
    std::fprintf(stderr, "no golden frame named \"%s\"\n", name);
    std::abort();
}
