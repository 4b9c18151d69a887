// The controller's preferences, user constants and k: the preferences window, the k slider
// and box under the graph, "Animate K" and "Make K Movie..." in the Graph menu, and
// "Preferences..." in the Edit menu.
#pragma once

#include <QObject>
#include <functional>

#include "app/graphKAnimation.h"
#include "app/graphMovieExport.h"
#include "app/graphPreferences.h"

class graphEquationTable;
class graphKMovieExporter;
class graphMainWindow;
class graphPreferencesWindow;
class graphGLView;

class graphControllerSettings : public QObject {
    Q_OBJECT
public:
    graphControllerSettings(graphMainWindow &window, std::function<void()> beep,
                            QObject *parent = nullptr);
    ~graphControllerSettings() override;

    // Launch: the stored settings, then (once the list exists) applying them.
    void loadPreferences() { preferences.loadPreferences(); }
    void activatePreferences(graphEquationTable *table);
    // The list that new preferences apply to.
    void setEquationTable(graphEquationTable *equations) { table = equations; }
    // After the preferences window applied new settings.
    std::function<void()> onApplied;

    void showPreferences();
    void updateK(float value);
    void animateK() { animation.animateK(); }
    graphMovieResult makeKMovie();

    double constantForString(const QString &name) const {
        return preferences.constants.constantForString(name);
    }
    geEditDelegate *constants() { return &preferences.constants; }
    bool playSounds() const { return preferences.playSounds(); }

    graphPreferences &currentPreferences() { return preferences; }
    graphKAnimation &kAnimation() { return animation; }
    graphPreferencesWindow &preferencesWindow();
    graphKMovieExporter &movieExporter() { return *exporter; }

private:
    void showK();
    graphGLView &view();

    graphMainWindow &window;
    graphPreferences preferences;
    graphKAnimation animation;
    graphPreferencesWindow *prefsWindow = nullptr;
    graphKMovieExporter *exporter;
    graphEquationTable *table = nullptr;
    bool showing = false;
};
