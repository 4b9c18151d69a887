// The user's settings, kept in QSettings between runs, and how they are applied: the graph
// view's colours and 3D draw mode, the default colour of new equations, sounds, the k
// range with its animation step, and the user constants.
//
// graphPreferences holds the working copy that the preferences window edits (its controls'
// values). Applying it saves it first, so what is stored always matches what was last
// applied.
#pragma once

#include <QColor>
#include <QSettings>
#include <functional>
#include <optional>

#include "app/graphConstant.h"
#include "view/graphDefaults.h"

class graphGLView;
class graphEquationTable;

struct graphPreferenceValues {
    QColor backgroundColor, backgroundColor3D, gridColor, graphColor, axisColor, selectionColor;
    int drawMode = graphDefaults::drawMode;  // 0 points, 1 wireframe, 2 shaded, 3 checkerboard
    // Decimals allowed: 0 to 6.28 is one turn.
    double minimumK = graphDefaults::minimumK, maximumK = graphDefaults::maximumK;
    int animationSteps = graphDefaults::animationSteps;
    bool playSounds = graphDefaults::playSounds;
    bool colorByHeight = graphDefaults::colorByHeight;

    bool operator==(const graphPreferenceValues &) const = default;
};

// The bounds the preferences window accepts, which stored values are held to as well.
inline constexpr int graphMaximumKBound = 1000000, graphMaximumAnimationSteps = 100000;
// How long a save waits for another process's lock on the settings file, in milliseconds.
inline constexpr int graphSettingsLockWait = 500;

// The settings of a first run.
graphPreferenceValues graphDefaultPreferences();

// A colour as stored: the archive bytes of the colour alone. An unreadable value gives
// nothing.
QByteArray graphArchivedColor(const QColor &color);
std::optional<QColor> graphUnarchivedColor(const QByteArray &data);

class graphPreferences {
public:
    graphPreferences();

    // The working copy, as the preferences window shows it.
    graphPreferenceValues values;
    graphConstantTable constants;

    // The system beep for a reversed k range.
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // Reads the stored settings into the working copy. A key that is absent leaves its
    // value as it was; a value that cannot be read or lies outside the preferences
    // window's bounds becomes its default (the step count is clamped), with one warning.
    void loadPreferences(QSettings &settings);
    void loadPreferences();
    void savePreferences(QSettings &settings) const;
    // Saves to the user's settings file, or skips the save with a warning when another
    // process holds the file's lock for longer than graphSettingsLockWait.
    void savePreferences() const;

    // Saves, mends the k settings (a step count of 2 or less becomes 3; a maximum below
    // the minimum beeps and resets the range to the default), and applies everything to view
    // and table when given.
    void activatePreferences(graphGLView *view, graphEquationTable *table);

    // What the last application fixed.
    double minK() const { return minK_; }
    double maxK() const { return maxK_; }
    double animationStepSize() const { return animationStepSize_; }
    bool playSounds() const { return playSounds_; }

private:
    std::function<void()> beep_;
    double minK_ = graphDefaults::minimumK, maxK_ = graphDefaults::maximumK,
           animationStepSize_ = double(graphDefaults::maximumK - graphDefaults::minimumK) /
                                graphDefaults::animationSteps;
    bool playSounds_ = graphDefaults::playSounds;
};
