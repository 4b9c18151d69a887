// The cost of the graph's two hot paths, headless: compiling ten curves over the region
// (done on every scroll step while panning) and one full 2D drawing pass at 800 x 600.
// References in the same run: the evaluations alone through the engine, and the same
// function as native code.
#include "benchGLContext.h"
#include "render/graph2DParametricCurveRender.h"
#include "render/graph2DRender.h"
#include "render/graphGLDraw.h"
#include "render/graphRecordingDraw.h"
#include "textEquation.h"
#include "view/graphGLView.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int curveCount = 10;
constexpr graphRect region{-10.0f, -10.0f, 20.0f, 20.0f};

// y = sin(x) * cos(k x) + k, one curve per k = 1..10.
class curveSet : public graphEquationSource {
public:
    int equationCount() override { return curveCount; }
    grEquation *equationAtIndex(int) override { return testEquation("y = sin(x) * cos(k*x) + k"); }
    QColor colorAtIndex(int index) override { return QColor::fromHsv(index * 36, 255, 200); }
};

std::vector<std::unique_ptr<graph2DRender>> makeCurves(graphDraw &draw) {
    std::vector<std::unique_ptr<graph2DRender>> curves;
    for (int k = 1; k <= curveCount; k++) {
        auto curve = std::make_unique<graph2DRender>(draw);
        curve->initWithEquation(testEquation("y = sin(x) * cos(k*x) + k"));
        curve->setK(k);
        curves.push_back(std::move(curve));
    }
    return curves;
}

void compileTenCurvesGL(benchmark::State &state) {
    context().makeCurrent();
    graphGLDraw draw;
    auto curves = makeCurves(draw);
    for (auto _ : state)
        for (auto &curve : curves) {
            curve->setBounds(region);
            curve->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
        }
    glFinish();
}
BENCHMARK(compileTenCurvesGL)->Unit(benchmark::kMicrosecond);

void compileTenCurvesRecorded(benchmark::State &state) {
    graphRecordingDraw draw;
    auto curves = makeCurves(draw);
    for (auto _ : state)
        for (auto &curve : curves) curve->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
}
BENCHMARK(compileTenCurvesRecorded)->Unit(benchmark::kMicrosecond);

// Curves with poles: y = tan(k x), k = 1..10, 6 to 64 poles each in view, every one
// found by bisection.
void compileTenTangentsRecorded(benchmark::State &state) {
    graphRecordingDraw draw;
    std::vector<std::unique_ptr<graph2DRender>> curves;
    for (int k = 1; k <= curveCount; k++) {
        curves.push_back(std::make_unique<graph2DRender>(draw));
        curves.back()->initWithEquation(testEquation("y = tan(k*x)"));
        curves.back()->setK(k);
    }
    for (auto _ : state)
        for (auto &curve : curves) curve->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
}
BENCHMARK(compileTenTangentsRecorded)->Unit(benchmark::kMicrosecond);

// Refined parametric curves: ten Lissajous figures x = 8 sin(k t), y = 8 sin((k + 1) t)
// over one period, k = 1..10, in an 800 x 600 view.
void compileTenLissajousRecorded(benchmark::State &state) {
    graphRecordingDraw draw;
    std::vector<std::unique_ptr<graph2DParametricCurveRender>> curves;
    for (int k = 1; k <= curveCount; k++) {
        curves.push_back(std::make_unique<graph2DParametricCurveRender>(draw));
        curves.back()->initWithEquation(testEquation("x = 8*sin(k*t), y = 8*sin((k + 1)*t)"));
        curves.back()->setK(k);
        curves.back()->setTStart(0.0, 2 * M_PI);
    }
    for (auto _ : state)
        for (auto &curve : curves) curve->compileWithBounds(region, {0, 0, 800, 600}, Qt::red);
}
BENCHMARK(compileTenLissajousRecorded)->Unit(benchmark::kMicrosecond);

// Reference: the 10 x 1201 evaluations alone, through the engine.
void evaluationsOnly(benchmark::State &state) {
    grExp *tree = testExpression("sin(x) * cos(k*x) + k");
    const float step = region.width / 1200.0f;
    for (auto _ : state)
        for (int k = 1; k <= curveCount; k++) {
            grVariables v{0, 0, 0, 0, static_cast<double>(k)};
            for (int i = 0; i <= 1200; i++) {
                v.x = region.x + i * static_cast<double>(step);
                double y = 0;
                grEvalExp(&v, tree, &y);
                benchmark::DoNotOptimize(y);
            }
        }
    grFreeExp(tree);
}
BENCHMARK(evaluationsOnly)->Unit(benchmark::kMicrosecond);

// Reference: the same function as native code.
void evaluationsNative(benchmark::State &state) {
    const float step = region.width / 1200.0f;
    for (auto _ : state)
        for (int k = 1; k <= curveCount; k++)
            for (int i = 0; i <= 1200; i++) {
                double x = region.x + i * static_cast<double>(step);
                double y = std::sin(x) * std::cos(k * x) + k;
                benchmark::DoNotOptimize(y);
            }
}
BENCHMARK(evaluationsNative)->Unit(benchmark::kMicrosecond);

// One full 2D pass: background, grid, axes, labels and the ten display lists, finished.
void drawPass800x600(benchmark::State &state) {
    context().makeCurrent();
    graphGLDraw draw;
    curveSet curves;
    graphGLView view(draw, 800, 600);
    view.initGL();
    view.setEquationTable(&curves);
    view.setResetGraph(false);
    view.setGraphBounds(region);
    view.setGridColor(Qt::lightGray);
    view.setBackgroundColor(Qt::white);
    view.graphMultipleEquations();
    for (auto _ : state) {
        view.drawRect();
        glFinish();
    }
}
BENCHMARK(drawPass800x600)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
