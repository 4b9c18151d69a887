// The cost of a surface change, headless: recompute plus compile of the function surface
// z = sin(x) cos(y) at n = 60 and n = 200 and of a torus as a parametric surface at
// n = 200 (3 x 40,000 evaluations), into OpenGL display lists, in the shaded mode unless
// the second argument says otherwise. References in the same run: the same work into a
// drawing interface that drops every call (sampling, normals and the walk of the grid),
// the evaluations alone through the engine, and the evaluations as native code. The
// memory a surface renderer takes is reported as a counter.
#include "benchGLContext.h"
#include "discardingDraw.h"
#include "render/graph3DParametricSurfaceRender.h"
#include "render/graph3DRender.h"
#include "render/graphGLDraw.h"
#include "render/graphRecordingDraw.h"
#include "textEquation.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include <malloc.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr graphRect region{-10.0f, -10.0f, 20.0f, 20.0f};
constexpr double twoPi = 6.283185307179586;
const char *const functionText = "z = sin(x) * cos(y)";
const char *const torusText = "x = (3 + cos(s)) * cos(t), y = (3 + cos(s)) * sin(t), z = sin(s)";

std::unique_ptr<graph3DRender> makeFunction(graphDraw &draw, int n, int mode) {
    auto surface = std::make_unique<graph3DRender>(draw);
    surface->initWithEquation(testEquation(functionText));
    surface->setDrawMode(mode);
    surface->setDivisions3D(n);
    return surface;
}

std::unique_ptr<graph3DParametricSurfaceRender> makeTorus(graphDraw &draw, int n, int mode) {
    auto surface = std::make_unique<graph3DParametricSurfaceRender>(draw);
    surface->initWithEquation(testEquation(torusText));
    surface->setDrawMode(mode);
    surface->setDivisions3D(n);
    surface->setTStart(0.0, twoPi);
    surface->setSStart(0.0, twoPi);
    return surface;
}

// Heap bytes in use, for the renderer's footprint.
size_t heapInUse() {
    return mallinfo2().uordblks;
}

template <class Surface>
void reportFootprint(benchmark::State &state,
                     const std::function<std::unique_ptr<Surface>()> &make) {
    const size_t before = heapInUse();
    auto surface = make();
    state.counters["MiB"] = static_cast<double>(heapInUse() - before) / (1024.0 * 1024.0);
}

void functionSurfaceGL(benchmark::State &state) {
    context().makeCurrent();
    graphGLDraw draw;
    const int n = static_cast<int>(state.range(0)), mode = static_cast<int>(state.range(1));
    auto surface = makeFunction(draw, n, mode);
    for (auto _ : state) {
        surface->setBounds(region);  // samples the grid and its normals
        surface->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
    }
    glFinish();
    reportFootprint<graph3DRender>(state, [&] { return makeFunction(draw, n, mode); });
}
BENCHMARK(functionSurfaceGL)
    ->ArgsProduct({{60, 200}, {graphDrawShaded}})
    ->Args({200, graphDrawPoints})
    ->Args({200, graphDrawWireframe})
    ->Args({200, graphDrawCheckerboard})
    ->Unit(benchmark::kMillisecond);

void functionSurfaceDropped(benchmark::State &state) {
    discardingDraw draw;
    const int n = static_cast<int>(state.range(0));
    auto surface = makeFunction(draw, n, graphDrawShaded);
    for (auto _ : state) {
        surface->setBounds(region);
        surface->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
    }
}
BENCHMARK(functionSurfaceDropped)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond);

void torusGL(benchmark::State &state) {
    context().makeCurrent();
    graphGLDraw draw;
    const int n = static_cast<int>(state.range(0)), mode = static_cast<int>(state.range(1));
    auto surface = makeTorus(draw, n, mode);
    for (auto _ : state) {
        surface->setBounds(region);
        surface->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
    }
    glFinish();
    reportFootprint<graph3DParametricSurfaceRender>(state,
                                                    [&] { return makeTorus(draw, n, mode); });
}
BENCHMARK(torusGL)->Args({200, graphDrawShaded})->Unit(benchmark::kMillisecond);

void torusDropped(benchmark::State &state) {
    discardingDraw draw;
    auto surface = makeTorus(draw, 200, graphDrawShaded);
    for (auto _ : state) surface->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
}
BENCHMARK(torusDropped)->Unit(benchmark::kMillisecond);

// Reference: the n x n evaluations of z = sin(x) cos(y) alone, through the engine.
void functionEvaluationsOnly(benchmark::State &state) {
    grExp *tree = testExpression("sin(x) * cos(y)");
    const int n = static_cast<int>(state.range(0));
    const float d = region.width / static_cast<float>(n);
    for (auto _ : state) {
        grVariables v{0, 0, 0, 0, 0};
        for (int i = 0; i < n; i++) {
            v.x = region.x + i * static_cast<double>(d);
            for (int j = 0; j < n; j++) {
                v.y = region.y + j * static_cast<double>(d);
                double z = 0;
                grEvalExp(&v, tree, &z);
                benchmark::DoNotOptimize(z);
            }
        }
    }
    grFreeExp(tree);
}
BENCHMARK(functionEvaluationsOnly)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond);

// Reference: the torus's 3 x 40,000 evaluations through the engine.
void torusEvaluationsOnly(benchmark::State &state) {
    grEquation *torus = testEquation(torusText);
    const double d = twoPi / 200;
    for (auto _ : state) {
        grVariables v{0, 0, 0, 0, 0};
        for (int i = 0; i < 200; i++) {
            v.t = i * d;
            for (int j = 0; j < 200; j++) {
                v.s = j * d;
                double x = 0, y = 0, z = 0;
                grEvalExp(&v, torus->x, &x);
                grEvalExp(&v, torus->y, &y);
                grEvalExp(&v, torus->z, &z);
                benchmark::DoNotOptimize(x + y + z);
            }
        }
    }
    grFreeEquation(torus);
}
BENCHMARK(torusEvaluationsOnly)->Unit(benchmark::kMillisecond);

// Reference: both as native code.
void evaluationsNative(benchmark::State &state) {
    const double d = twoPi / 200;
    for (auto _ : state) {
        for (int i = 0; i < 200; i++) {
            for (int j = 0; j < 200; j++) {
                const double x = region.x + i * 0.1, y = region.y + j * 0.1;
                benchmark::DoNotOptimize(std::sin(x) * std::cos(y));
                const double t = i * d, s = j * d;
                benchmark::DoNotOptimize((3 + std::cos(s)) * std::cos(t));
                benchmark::DoNotOptimize((3 + std::cos(s)) * std::sin(t));
                benchmark::DoNotOptimize(std::sin(s));
            }
        }
    }
}
BENCHMARK(evaluationsNative)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
