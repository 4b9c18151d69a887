// Preferences, user constants and k in the launched application.
#include "app/graphControllerSettings.h"
#include "app/graphKMovieExporter.h"
#include "app/graphPreferencesWindow.h"
#include "appTestSupport.h"
#include "equationEditor/graphEquationEditorView.h"
#include "movieTestSupport.h"
#include "ui_graphMainWindow.h"
#include "ui_graphPreferencesWindow.h"
#include "windowTestSupport.h"

#include <QLineEdit>
#include <QProgressDialog>
#include <QSlider>
#include <QTableView>

#include "engine/grEquation.h"

namespace {

// Launched with a = 2 and k from 0 to 1 in 4 steps stored.
struct kApp {
    kApp() {
        QSettings settings;
        settings.clear();
        settings.setValue("constantNames", QStringList{"a"});
        settings.setValue("constantValues", QStringList{"2"});
        settings.setValue("minimumK", 0);
        settings.setValue("maximumK", 1);
        settings.setValue("animationSteps", 4);
        app = std::make_unique<launchedApp>();
    }
    ~kApp() { QSettings().clear(); }
    std::unique_ptr<launchedApp> app;
    Ui::graphMainWindow &ui() { return app->controller.mainWindow().ui(); }
    graphControllerSettings &settings() { return app->controller.settings(); }
};

TEST(KWindow, StoredConstantsReachTheTableTheCalculatorAndTheGraph) {
    kApp k;
    graphPreferencesWindow &prefs = k.settings().preferencesWindow();
    EXPECT_EQ(prefs.ui().constantTable->model()->index(0, 1).data().toString(), "2.000000");

    graphEquationEditorView *editor = k.app->equationWindow().editor();
    editor->model().insertText("a");
    EXPECT_EQ(editor->statusText(), "= 2\n");

    k.app->setEquations({"y=ax"});
    grEquation *equation = k.app->table().equationAtIndex(0);
    ASSERT_NE(equation, nullptr);
    grVariables v{0, 0, 3.0, 0, 0};
    double y = 0;
    EXPECT_EQ(grEvalExp(&v, equation->y, &y), 0);
    EXPECT_EQ(y, 6.0);
    grFreeEquation(equation);
}

TEST(KWindow, TheBoxAndTheSliderSetKAndTheMenuAnimatesIt) {
    kApp k;
    k.ui().kBox->setText("0.5");
    QTest::keyClick(k.ui().kBox, Qt::Key_Return);
    EXPECT_EQ(k.app->view().getK(), 0.5);
    EXPECT_EQ(k.ui().kSlider->value(), k.ui().kSlider->maximum() / 2);
    EXPECT_EQ(k.ui().kBox->text(), "0.500");

    k.ui().kBox->setText("half");
    QTest::keyClick(k.ui().kBox, Qt::Key_Return);
    EXPECT_EQ(k.app->beeps, 1);
    EXPECT_EQ(k.ui().kBox->text(), "0.500");

    k.ui().kSlider->setValue(k.ui().kSlider->maximum() / 4);
    EXPECT_EQ(k.app->view().getK(), 0.25);

    graphKAnimation::setRising(true);
    k.ui().actionAnimateK->trigger();
    EXPECT_EQ(k.ui().actionAnimateK->text().remove(QLatin1Char('&')), "Stop Animation");
    EXPECT_TRUE(k.settings().kAnimation().timer().isActive());
    // A tick reaches the view and the box (the ticks themselves are kAnimationTest's).
    k.settings().kAnimation().changeK();
    EXPECT_EQ(k.app->view().getK(), 0.5);
    EXPECT_EQ(k.ui().kBox->text(), "0.500");
    k.ui().actionAnimateK->trigger();
    EXPECT_EQ(k.ui().actionAnimateK->text().remove(QLatin1Char('&')), "Animate K");
    EXPECT_FALSE(k.settings().kAnimation().timer().isActive());
}

// The movie command through the exporter: progress and Cancel, the frames of the sweep
// drawn by the window's view, and a refused path reported.
TEST(KWindow, AMovieFromTheWindowHoldsTheSweepAndCancelLeavesNoFile) {
    kApp k;
    k.app->setEquations({"y=kx"});
    QTemporaryDir dir;
    const QString path = dir.filePath("k.mov");
    graphKMovieExporter &exporter = k.settings().movieExporter();
    exporter.chooseMovie = [&](QWidget *, int) { return graphKMovieExporter::choice{path, 6}; };
    QString warning, shownLabel;
    exporter.warn = [&](QWidget *, const QString &text) { warning = text; };
    exporter.progressShown = [&](QProgressDialog &progress) {
        if (progress.value() == 4) {
            shownLabel = progress.labelText();
            progress.cancel();
        }
    };
    EXPECT_EQ(k.settings().makeKMovie().status, graphMovieResult::cancelled);
    EXPECT_EQ(shownLabel, "Frame 4 of 8");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(warning, "");

    exporter.progressShown = {};
    const graphMovieResult result = k.settings().makeKMovie();
    ASSERT_EQ(result.status, graphMovieResult::written) << result.error.toStdString();
    const movieTest::movieInfo movie = movieTest::readMovie(path);
    ASSERT_EQ(movie.error, "");
    EXPECT_EQ(movie.frames.size(), 8u);
    EXPECT_EQ(movie.width, k.app->graph().width());
    EXPECT_NE(movie.frames[0], movie.frames[4]);
    EXPECT_EQ(movie.frames[3], movie.frames[5]);
    EXPECT_EQ(k.app->view().getK(), k.settings().kAnimation().k());  // k as it was before

    exporter.chooseMovie = [&](QWidget *, int) {
        return graphKMovieExporter::choice{dir.filePath("k.avi"), 1};
    };
    EXPECT_EQ(k.settings().makeKMovie().status, graphMovieResult::failed);
    EXPECT_TRUE(warning.contains("k.avi")) << warning.toStdString();
}

TEST(KWindow, ApplyingPreferencesReachesTheViewTheListAndTheSlider) {
    kApp k;
    graphPreferencesWindow &prefs = k.settings().preferencesWindow();
    prefs.ui().minKBox->setValue(-2);
    prefs.ui().maxKBox->setValue(2);
    prefs.ui().playSoundCheck->setChecked(false);
    graphColorWell::chooser = [](const QColor &, QWidget *) { return QColor(0, 128, 0); };
    QTest::mouseClick(prefs.ui().graphColor, Qt::LeftButton);
    prefs.closePreferencesBox();
    EXPECT_EQ(k.settings().kAnimation().minK(), -2.0);
    EXPECT_EQ(k.settings().kAnimation().maxK(), 2.0);
    EXPECT_EQ(k.app->table().defaultColor(), QColor(0, 128, 0));
    k.app->controller.playSound();
    EXPECT_TRUE(k.app->sounds.played.isEmpty());
    EXPECT_EQ(k.app->beeps, 0);
}

}  // namespace
