// The headless OpenGL context the drawing benchmarks share; exits when none can be made.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "platform/headlessGLContext.h"

inline headlessGLContext &context() {
    static headlessGLContext ctx;
    if (!ctx.isValid() && !ctx.create(800, 600)) {
        std::fprintf(stderr, "no headless OpenGL: %s\n", ctx.error().c_str());
        std::exit(1);
    }
    return ctx;
}
