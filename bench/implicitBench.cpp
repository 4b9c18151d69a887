// Implicit surfaces at n = 60 (a cube of 60 cells a side, 226,981 samples) in the box
// -5..5: the sphere x^2 + y^2 + z^2 = 9 and the torus (x^2 + y^2 + z^2 + 3)^2 =
// 16 (x^2 + y^2), sampled, polygonised and compiled into a drawing interface that drops
// every call. References in the same run: the function surface z = sin(x) cos(y) over the
// same square at n = 60, and the sphere polygonised from native code (the mesh work
// without the evaluator). Counters give the mesh's triangles.
#include "discardingDraw.h"
#include "render/graph3DImplicitRender.h"
#include "render/graph3DRender.h"
#include "textEquation.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr graphRect box{-5.0f, -5.0f, 10.0f, 10.0f};
constexpr int n = 60;
const char *const sphereText = "x^2 + y^2 + z^2 = 9";
const char *const torusText = "(x^2 + y^2 + z^2 + 3)^2 = 16*(x^2 + y^2)";

// Each iteration changes k, which the equations do not use, so that the surface is made
// again from its samples every time.
template <class Render>
void surfaceChange(benchmark::State &state, const char *text) {
    discardingDraw draw;
    Render surface(draw);
    surface.initWithEquation(testEquation(text));
    surface.setDivisions3D(n);
    surface.setBounds(box);
    double k = 0.0;
    for (auto _ : state) {
        surface.setK(k += 1.0);
        surface.compileWithBounds(box, {0, 0, 800, 600}, Qt::red);
    }
    if constexpr (std::is_same_v<Render, graph3DImplicitRender>)
        state.counters["triangles"] = static_cast<double>(surface.getMesh().triangles.size());
}

void implicitSphere(benchmark::State &state) {
    surfaceChange<graph3DImplicitRender>(state, sphereText);
}
BENCHMARK(implicitSphere)->Unit(benchmark::kMillisecond);

void implicitTorus(benchmark::State &state) {
    surfaceChange<graph3DImplicitRender>(state, torusText);
}
BENCHMARK(implicitTorus)->Unit(benchmark::kMillisecond);

// Reference: the function surface of the same square.
void functionSurface(benchmark::State &state) {
    surfaceChange<graph3DRender>(state, "z = sin(x) * cos(y)");
}
BENCHMARK(functionSurface)->Unit(benchmark::kMillisecond);

// Reference: the sphere's samples and mesh from native code.
void nativeSphere(benchmark::State &state) {
    const graphIsoBox cube{{-5.0, -5.0, -5.0}, {5.0, 5.0, 5.0}, n};
    auto f = [](double x, double y, double z) { return x * x + y * y + z * z - 9.0; };
    std::vector<double> values(static_cast<size_t>((n + 1) * (n + 1) * (n + 1)));
    for (auto _ : state) {
        for (int a = 0; a <= n; a++)
            for (int b = 0; b <= n; b++)
                for (int c = 0; c <= n; c++)
                    values[static_cast<size_t>((a * (n + 1) + b) * (n + 1) + c)] =
                        f(cube.at(0, a), cube.at(1, b), cube.at(2, c));
        benchmark::DoNotOptimize(graphPolygonise(cube, values.data(), f));
    }
}
BENCHMARK(nativeSphere)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
