// The cost of an implicit curve at 800 x 600: the whole compile (grid, bisected crossings,
// refinement, strips) against the same grid evaluated alone and contoured without
// refinement, measured in the same run. Circle x^2 + y^2 = 25 over -8..8 x -6..6 and the
// lemniscate (x^2 + y^2)^2 = 2 (x^2 - y^2) over -2..2 x -1.5..1.5.
#include "render/graph2DImplicitRender.h"
#include "render/graphRecordingDraw.h"
#include "textEquation.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

struct curve {
    const char *equation;
    graphRect region;
};
const curve curves[] = {{"x^2 + y^2 = 25", {-8, -6, 16, 12}},
                        {"(x^2 + y^2)^2 = 2 * (x^2 - y^2)", {-2, -1.5, 4, 3}}};

std::unique_ptr<graph2DImplicitRender> made(graphDraw &draw, const curve &c) {
    auto render = std::make_unique<graph2DImplicitRender>(draw);
    render->initWithEquation(testEquation(c.equation));
    render->setBounds(c.region);
    return render;
}

void compiled(benchmark::State &state) {
    const curve &c = curves[state.range(0)];
    graphRecordingDraw draw;
    auto render = made(draw, c);
    for (auto _ : state) render->compileWithBounds(c.region, {0, 0, 800, 600}, Qt::red);
    state.counters["evaluations"] = static_cast<double>(render->lastContour().evaluations);
    state.counters["strips"] = static_cast<double>(render->strips().size());
}
BENCHMARK(compiled)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same 200 x 150 cell grid without refinement: crossings and strips, no quartering.
void unrefined(benchmark::State &state) {
    const curve &c = curves[state.range(0)];
    graphRecordingDraw draw;
    auto render = made(draw, c);
    graphContourOptions options;
    options.columns = 200, options.rows = 150, options.maxDepth = 0;
    long evaluations = 0;
    for (auto _ : state) {
        const graphContourResult r =
            graphContour(c.region.x, c.region.y, c.region.width, c.region.height, options,
                         [&](const double *xs, const double *ys, int n, double *out) {
                             render->evaluateDifference(xs, ys, n, out);
                         });
        evaluations = r.evaluations;
        benchmark::DoNotOptimize(r.strips.data());
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
}
BENCHMARK(unrefined)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The grid's 201 x 151 evaluations alone.
void gridOnly(benchmark::State &state) {
    const curve &c = curves[state.range(0)];
    graphRecordingDraw draw;
    auto render = made(draw, c);
    std::vector<double> xs, ys, out(201 * 151);
    for (int j = 0; j <= 150; j++)
        for (int i = 0; i <= 200; i++) {
            xs.push_back(c.region.x + c.region.width * i / 200.0);
            ys.push_back(c.region.y + c.region.height * j / 150.0);
        }
    for (auto _ : state) {
        render->evaluateDifference(xs.data(), ys.data(), static_cast<int>(xs.size()), out.data());
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(gridOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
