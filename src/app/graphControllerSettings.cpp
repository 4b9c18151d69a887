#include "app/graphControllerSettings.h"

#include <QLineEdit>
#include <QSlider>

#include <algorithm>
#include <cmath>

#include "app/graphEquationTable.h"
#include "app/graphGLWidget.h"
#include "app/graphKMovieExporter.h"
#include "app/graphMainWindow.h"
#include "app/graphPreferencesWindow.h"
#include "ui_graphMainWindow.h"

namespace {
// The slider's positions between minK and maxK.
constexpr int sliderPositions = 1000;
}  // namespace

graphControllerSettings::graphControllerSettings(graphMainWindow &window,
                                                 std::function<void()> beep, QObject *parent)
    : QObject(parent), window(window), exporter(new graphKMovieExporter(&window)) {
    preferences.setBeep(beep);
    Ui::graphMainWindow &ui = window.ui();
    ui.kSlider->setRange(0, sliderPositions);
    animation.updateK(static_cast<float>(view().getK()));  // before onK: nothing to redraw yet
    animation.onK = [this](float k) {
        view().setK(k);
        view().compileEquations();
        view().redraw();
    };
    animation.changed = [this] { showK(); };
    connect(ui.kSlider, &QSlider::valueChanged, this, [this](int position) {
        if (showing) return;
        const double span = animation.maxK() - animation.minK();
        updateK(static_cast<float>(animation.minK() + span * position / sliderPositions));
    });
    connect(ui.kBox, &QLineEdit::editingFinished, this, [this, beep] {
        bool ok = false;
        const float k = this->window.ui().kBox->text().trimmed().toFloat(&ok);
        if (ok)
            updateK(k);
        else {
            beep();
            showK();
        }
    });
    connect(ui.actionAnimateK, &QAction::triggered, this, &graphControllerSettings::animateK);
    connect(ui.actionMakeKMovie, &QAction::triggered, this, [this] { makeKMovie(); });
    connect(ui.actionPreferences, &QAction::triggered, this,
            &graphControllerSettings::showPreferences);
    showK();
}

graphControllerSettings::~graphControllerSettings() = default;

graphGLView &graphControllerSettings::view() {
    return window.graphView().view();
}

void graphControllerSettings::activatePreferences(graphEquationTable *equations) {
    table = equations;
    preferences.activatePreferences(&view(), table);
    if (table) table->setConstantSource(&preferences.constants);
    animation.setRange(preferences.minK(), preferences.maxK(), preferences.animationStepSize());
    // An arrow key moves k by one animation step, Page Up and Down by ten.
    const double span = preferences.maxK() - preferences.minK();
    const int step = span > 0 ? std::max(1, int(std::lround(preferences.animationStepSize() / span *
                                                            sliderPositions)))
                              : 1;
    window.ui().kSlider->setSingleStep(step);
    window.ui().kSlider->setPageStep(step * 10);
    // A k outside the new bounds is brought inside them.
    const float k = animation.k();
    if (k < preferences.minK() || k > preferences.maxK())
        animation.updateK(float(std::clamp(double(k), preferences.minK(), preferences.maxK())));
    if (prefsWindow) prefsWindow->showPreferences();
}

graphPreferencesWindow &graphControllerSettings::preferencesWindow() {
    if (!prefsWindow) {
        prefsWindow = new graphPreferencesWindow(preferences, &window);
        prefsWindow->activatePreferences = [this] {
            activatePreferences(table);
            // New constants change what the graph shows.
            if (view().isGraphed() && table) table->graph();
            if (onApplied) onApplied();
        };
    }
    return *prefsWindow;
}

void graphControllerSettings::showPreferences() {
    graphPreferencesWindow &shown = preferencesWindow();
    shown.showPreferences();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

// The keys stay with the slider or the box that set k, so arrows keep stepping it.
void graphControllerSettings::updateK(float value) {
    animation.updateK(value);
}

void graphControllerSettings::showK() {
    showing = true;
    Ui::graphMainWindow &ui = window.ui();
    const double span = animation.maxK() - animation.minK();
    const double at = span > 0 ? (animation.sliderValue() - animation.minK()) / span : 0.0;
    ui.kSlider->setValue(static_cast<int>(at * sliderPositions + 0.5));
    ui.kBox->setText(animation.kText());
    // Screen readers hear k itself, not the slider's position.
    ui.kSlider->setAccessibleDescription(tr("k = %1").arg(animation.kText()));
    ui.actionAnimateK->setText(QLatin1Char('&') + animation.menuTitle());
    showing = false;
}

graphMovieResult graphControllerSettings::makeKMovie() {
    graphGLWidget &widget = window.graphView();
    const QSize size(static_cast<int>(view().viewWidth()), static_cast<int>(view().viewHeight()));
    const float before = animation.k();
    // The export lets events through for repaints and Cancel; animation ticks wait.
    const bool animating = animation.isAnimating();
    animation.timer().stop();
    const graphMovieResult result =
        exporter->makeKMovie(preferences.minK(), preferences.maxK(),
                             preferences.values.animationSteps, size, [&](double k) {
                                 animation.updateK(static_cast<float>(k));
                                 const uint8_t *pixels = nullptr;
                                 widget.withReadableFrame([&] { pixels = view().RGBAPixels(); });
                                 return pixels;
                             });
    animation.updateK(before);
    if (animating) animation.timer().start();
    return result;
}
