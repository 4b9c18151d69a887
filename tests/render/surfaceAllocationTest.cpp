// The surface renderers allocate their grids once: after creation, changing n, k or the
// region allocates nothing, and so does compiling into a drawing interface that keeps
// nothing.
#include "discardingDraw.h"
#include "render/graph3DParametricSurfaceRender.h"
#include "render/graph3DRender.h"
#include "render/graphRecordingDraw.h"
#include "textEquation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};

}  // namespace

void *operator new(std::size_t size) {
    allocations++;
    if (void *p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

namespace {

TEST(surfaceAllocation, gridsAreAllocatedOnce) {
    discardingDraw draw;
    graph3DRender function(draw);
    function.initWithEquation(testEquation("z = sin(x)*cos(y) + k"));
    graph3DParametricSurfaceRender parametric(draw);
    parametric.initWithEquation(testEquation("x = s, y = t, z = s*t + k"));
    // The first compile creates the list's entry in the recorder.
    function.compileWithBounds({-1, -1, 2, 2}, {}, Qt::red);
    parametric.compileWithBounds({-1, -1, 2, 2}, {}, Qt::red);

    const long before = allocations.load();
    for (int n : {4, 200, 60, 200}) {
        function.setDivisions3D(n);
        function.setK(n);
        function.setBounds({-10.0f, -10.0f, 20.0f, 20.0f});
        parametric.setDivisions3D(n);
        parametric.setK(n);
        parametric.setTStart(0.0, n);
        for (int mode = 0; mode < 4; mode++) {
            function.setDrawMode(mode);
            parametric.setDrawMode(mode);
            function.compileWithBounds({-10.0f, -10.0f, 20.0f, 20.0f}, {}, Qt::red);
            parametric.compileWithBounds({-10.0f, -10.0f, 20.0f, 20.0f}, {}, Qt::red);
        }
    }
    EXPECT_EQ(allocations.load(), before);
    EXPECT_NE(function.heightAt(199, 199), 0.0);  // the work was done
    EXPECT_NE(parametric.pointAt(199, 199).z, 0.0);
}

}  // namespace
