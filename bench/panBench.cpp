// One pan tick in the real graph widget: scroll, recompile ten curves, redraw 800 x 600
// and wait for the GL work (glFinish). Reference in the same run: the same tick on the
// headless context (no window, no multisampling). Runs on an X server (xvfb-run).
#include "app/graphController.h"
#include "app/graphDialogs.h"
#include "app/graphEquationTable.h"
#include "app/graphGLWidget.h"
#include "benchGLContext.h"
#include "platform/graphSoundPlayer.h"
#include "render/graphGLDraw.h"
#include "textEquation.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QOpenGLContext>
#include <QSignalSpy>
#include <QStandardPaths>

namespace {

constexpr int curveCount = 10;

// y = sin(x) * cos(k x) + k / 2 for k = 1..10, as the list would classify them.
class curveSet : public graphEquationSource {
public:
    int equationCount() override { return curveCount; }
    grEquation *equationAtIndex(int index) override {
        const std::string text = "y = sin(x) * cos(" + std::to_string(index + 1) + "*x) + " +
                                 std::to_string((index + 1) / 2.0);
        return testEquation(text.c_str());
    }
    QColor colorAtIndex(int index) override { return QColor::fromHsv(index * 36, 255, 200); }
};

class silentSounds : public graphSoundPlayer {
public:
    bool hasSound(const QString &) override { return false; }
    bool play(const QString &) override { return false; }
};

// The region moves a tenth of a unit per tick, back and forth so it stays in place.
void panTicks(benchmark::State &state, graphGLView &view, const std::function<void()> &redraw) {
    double direction = 0.1;
    int ticks = 0;
    for (auto _ : state) {
        view.scrollX(direction, 0.0);
        redraw();
        glFinish();
        if (++ticks % 50 == 0) direction = -direction;
    }
}

void panTickInWidget(benchmark::State &state) {
    graphQtDialogs dialogs;
    silentSounds sounds;
    graphController controller(dialogs, sounds);
    controller.applicationWillFinishLaunching();
    graphGLWidget &widget = controller.graphWidget();
    widget.setFixedSize(800, 600);
    QSignalSpy drawn(&widget, &graphGLWidget::frameDrawn);
    widget.update();
    drawn.wait(5000);
    curveSet curves;
    graphGLView &view = widget.view();
    view.setEquationTable(&curves);
    view.graphMultipleEquations();
    view.setGraphBounds({-10.0f, -10.0f, 20.0f, 20.0f});
    panTicks(state, view, [&] {
        widget.makeCurrent();
        view.drawRect();
    });
    // The samples per pixel of the frame the widget draws into (its multisampled buffer).
    widget.makeCurrent();
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    state.counters["samples"] = samples;
}
BENCHMARK(panTickInWidget)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void panTickHeadless(benchmark::State &state) {
    context().makeCurrent();
    graphGLDraw draw;
    {
        graphGLView view(draw, 800.0f, 600.0f);
        curveSet curves;
        view.initGL();
        view.setEquationTable(&curves);
        view.graphMultipleEquations();
        view.setGraphBounds({-10.0f, -10.0f, 20.0f, 20.0f});
        panTicks(state, view, [&] { view.drawRect(); });
    }
}
BENCHMARK(panTickHeadless)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
