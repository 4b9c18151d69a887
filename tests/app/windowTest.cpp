// The application's windows as a user meets them: launch, the graph drawn, files, images,
// the inspector and the sounds.
#include "app/graphControllerSettings.h"
#include "app/graphEquationWindow.h"
#include "app/graphInspectorPanel.h"
#include "appTestSupport.h"
#include "equationEditor/graphEquationEditorView.h"
#include "ui_graphMainWindow.h"
#include "windowTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>

#include <tiffio.h>

#include <cmath>

namespace {

// Whether a pixel within two of (x, y) shows the colour over the white background: thin
// smoothed lines cover a pixel partly, so the pixel lies between white and the colour.
bool colourNear(const QImage &image, int x, int y, QColor colour) {
    for (int dy = -2; dy <= 2; dy++) {
        for (int dx = -2; dx <= 2; dx++) {
            const QColor p = image.pixelColor(x + dx, y + dy);
            double low = 1.0, high = 0.0;
            for (auto [shown, full] : {std::pair{p.red(), colour.red()},
                                       {p.green(), colour.green()},
                                       {p.blue(), colour.blue()}}) {
                if (full > 230) {
                    high = std::max(high, shown > 200 ? 0.0 : 1.0);  // must stay light
                    continue;
                }
                const double coverage = (255.0 - shown) / (255.0 - full);
                low = std::min(low, coverage);
                high = std::max(high, coverage);
            }
            if (low > 0.35 && high - low < 0.2) return true;
        }
    }
    return false;
}

QString writeSet(const QTemporaryDir &dir, const QString &name, const std::vector<QString> &keys) {
    appTest::registerClasses();
    graphEquationTable table;
    for (const QString &k : keys) {
        table.addEquation();
        table.equations().back()->setEquation(appTest::typed(k));
    }
    const QString path = dir.filePath(name);
    EXPECT_TRUE(slArchiver::archiveRootObject(table, path));
    return path;
}

TEST(windowLaunch, oneWindowWithDocksTheSavedFrameAndTheKeysInTheEditor) {
    const QRect frame(120, 90, 900, 700);
    {
        launchedApp first;
        first.controller.mainWindow().setGeometry(frame);
        first.controller.mainWindow().inspectorDock().setFloating(true);
        EXPECT_TRUE(first.controller.quit());  // remembers the frame and the docks
    }
    launchedApp app;
    graphMainWindow &main = app.controller.mainWindow();
    ASSERT_EQ(app.table().equationCount(), 1);
    EXPECT_EQ(app.table().equations()[0]->name(), "Equation 1");
    EXPECT_EQ(main.windowTitle(), "Untitled[*]");
    EXPECT_TRUE(app.graph().isVisible());
    EXPECT_EQ(main.geometry().size(), frame.size());
    EXPECT_TRUE(main.inspectorDock().isFloating());
    EXPECT_FALSE(app.controller.isModified());
    // The equation panel and the inspector live in the main window's docks.
    EXPECT_EQ(main.equationDock().widget(), app.controller.equationWindow());
    EXPECT_EQ(main.inspectorDock().widget(), &app.controller.inspector());
    EXPECT_EQ(app.controller.equationWindow()->window(), &main);
    EXPECT_EQ(main.focusWidget(), app.equationWindow().editor());
    // Window > Graph Window, Equation Window and Inspector show their part.
    main.equationDock().close();
    main.ui().actionEquationWindow->trigger();
    EXPECT_TRUE(main.equationDock().isVisible());
    EXPECT_EQ(main.focusWidget(), app.equationWindow().editor());
    main.inspectorDock().close();
    main.ui().actionInspector->trigger();
    EXPECT_TRUE(main.inspectorDock().isVisible());
    main.ui().actionGraphWindow->trigger();
    EXPECT_EQ(main.focusWidget(), &app.graph());
    QSettings().remove(QStringLiteral("mainWindowState"));  // docked again for later tests
}

TEST(windowGraph, aTypedCurveIsDrawnInItsColour) {
    launchedApp app;
    Ui::graphMainWindow &ui = app.controller.mainWindow().ui();
    emit ui.menuGraph->aboutToShow();
    EXPECT_FALSE(ui.actionFitToGraph->isEnabled());  // nothing graphed yet
    graphEquationEditorView *editor = app.equationWindow().editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("y=x^2"));
    QTest::keyClick(editor, Qt::Key_Return);
    app.waitForFrame();
    EXPECT_EQ(app.table().equations()[0]->equation()->string(), "y = x^2");
    EXPECT_EQ(app.status(), "(0.0, 0.0)");
    const QImage image = app.graph().grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.width(), 400);
    // (5, 25) of the region (-50, -50, 100, 100) lies at (220, 100) from the top left.
    EXPECT_TRUE(colourNear(image, 220, 100, QColor(0, 0, 255)));
    EXPECT_TRUE(colourNear(image, 180, 100, QColor(0, 0, 255)));
    EXPECT_EQ(image.pixelColor(320, 320), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(100, 300), QColor(255, 255, 255));

    // Fit To Graph, enabled now a curve is graphed, raises the top to just above the curve's 2500
    // at x = 50 and shows it in the inspector's fields.
    emit ui.menuGraph->aboutToShow();
    ASSERT_TRUE(ui.actionFitToGraph->isEnabled());
    ui.actionFitToGraph->trigger();
    const graphRect fitted = app.view().getGraphBounds();
    EXPECT_GE(fitted.y + fitted.height, 2500.0f);
    EXPECT_LE(fitted.y + fitted.height, 3000.0f);  // rounded up to the grid of 500
    EXPECT_EQ(app.controller.inspector().field(graphField::maxY)->text().toDouble(),
              fitted.y + fitted.height);
}

TEST(windowFiles, saveOpenAndDamagedFiles) {
    QTemporaryDir dir;
    launchedApp app;
    QTest::keyClicks(app.equationWindow().editor(), QStringLiteral("y=x"));
    ASSERT_TRUE(app.controller.isModified());
    EXPECT_TRUE(app.controller.mainWindow().isWindowModified());

    // Save As names the set; Save then writes without asking.
    const QString saved = dir.filePath(QStringLiteral("line.plw"));
    app.dialogs.saveNames.push_back(saved);
    app.controller.saveEquationSet();
    EXPECT_EQ(app.table().name(), saved);
    EXPECT_EQ(app.controller.mainWindow().windowTitle(), "line.plw[*]");
    EXPECT_FALSE(app.controller.isModified());
    EXPECT_FALSE(app.controller.mainWindow().isWindowModified());
    // The title's mark follows the history at once, back to the saved state and away again.
    app.document().addEquation();
    EXPECT_TRUE(app.controller.mainWindow().isWindowModified());
    app.controller.mainWindow().ui().actionUndo->trigger();
    EXPECT_FALSE(app.controller.mainWindow().isWindowModified());
    app.controller.mainWindow().ui().actionRedo->trigger();
    EXPECT_TRUE(app.controller.mainWindow().isWindowModified());

    // A failed Save As keeps the document's file, its title and its mark, and says why.
    const QString unwritable = dir.filePath(QStringLiteral("missing/other.plw"));
    app.dialogs.saveNames.push_back(unwritable);
    EXPECT_FALSE(app.controller.saveEquationSetAs());
    EXPECT_EQ(app.table().name(), saved);
    EXPECT_EQ(app.equationWindow().windowTitle(), "line.plw");
    EXPECT_TRUE(app.controller.mainWindow().isWindowModified());
    ASSERT_EQ(app.dialogs.warnings.size(), 1);
    EXPECT_TRUE(app.dialogs.warnings[0].contains(unwritable));
    app.controller.saveEquationSet();
    EXPECT_EQ(app.dialogs.saveAsked, 2);
    EXPECT_FALSE(app.controller.isModified());  // what a save writes is the document's test
    EXPECT_EQ(app.controller.recentFiles().value(0), saved);

    // A good file replaces the list and is graphed at once.
    const QString good =
        writeSet(dir, QStringLiteral("two.plw"), {QStringLiteral("y=1"), QStringLiteral("y=2")});
    ASSERT_TRUE(app.controller.loadEquationFile(good));
    EXPECT_EQ(app.table().equationCount(), 2);
    EXPECT_EQ(app.view().rendererCount(), 2u);
    EXPECT_EQ(app.table().name(), good);

    // A file the document refuses (every kind is the document's test) changes nothing and
    // the window says why, naming it.
    const QString text = dir.filePath(QStringLiteral("text.plw"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("y = x^2\n");
    f.close();
    graphEquationTable *before = &app.table();
    app.dialogs.warnings.clear();
    EXPECT_FALSE(app.controller.loadEquationFile(text));
    EXPECT_EQ(&app.table(), before);
    EXPECT_EQ(app.view().rendererCount(), 2u);
    ASSERT_EQ(app.dialogs.warnings.size(), 1);
    EXPECT_TRUE(app.dialogs.warnings[0].contains(text));
    EXPECT_TRUE(app.dialogs.warnings[0].contains("at byte 0"))
        << app.dialogs.warnings[0].toStdString();
}

TEST(windowFiles, unsavedChangesAreAskedAbout) {
    QTemporaryDir dir;
    const QString other = writeSet(dir, QStringLiteral("other.plw"), {QStringLiteral("y=3")});
    launchedApp app;
    // Nothing typed: nothing asked.
    app.dialogs.openNames.push_back(other);
    app.controller.openEquationSet();
    EXPECT_TRUE(app.dialogs.unsavedAsked.isEmpty());
    EXPECT_EQ(app.table().name(), other);

    struct answerCase {
        const char *name;
        graphDialogs::unsavedAnswer answer;
        bool opens;
        bool savedFirst;
    };
    const answerCase cases[] = {
        {"cancel keeps the set", graphDialogs::unsavedAnswer::cancel, false, false},
        {"discard opens", graphDialogs::unsavedAnswer::discard, true, false},
        {"save writes, then opens", graphDialogs::unsavedAnswer::save, true, true},
    };
    for (const answerCase &c : cases) {
        SCOPED_TRACE(c.name);
        app.controller.loadEquationFile(other, false);
        app.document().addEquation();
        app.dialogs.unsavedAsked.clear();
        app.dialogs.unsavedAnswers = {c.answer};
        app.dialogs.openNames = {other};
        app.controller.openEquationSet();
        EXPECT_EQ(app.dialogs.unsavedAsked, QStringList{"other.plw"});
        EXPECT_EQ(app.table().equationCount(), c.opens && !c.savedFirst ? 1 : 2);
    }
    // Closing the window asks; Cancel keeps it open.
    app.document().addEquation();
    app.dialogs.unsavedAsked.clear();
    app.dialogs.unsavedAnswers = {graphDialogs::unsavedAnswer::cancel};
    EXPECT_FALSE(app.controller.mainWindow().close());
    EXPECT_EQ(app.dialogs.unsavedAsked.size(), 1);
    EXPECT_TRUE(app.controller.mainWindow().isVisible());

    // File > New asks too; Discard starts a set of one empty equation.
    app.dialogs.unsavedAsked.clear();
    app.dialogs.unsavedAnswers = {graphDialogs::unsavedAnswer::discard};
    app.controller.mainWindow().ui().actionNew->trigger();
    EXPECT_EQ(app.dialogs.unsavedAsked.size(), 1);
    EXPECT_EQ(app.table().equationCount(), 1);
    EXPECT_TRUE(app.table().name().isEmpty());
    EXPECT_EQ(app.controller.mainWindow().windowTitle(), "Untitled[*]");
    EXPECT_FALSE(app.controller.isModified());

    // Quit asks; Discard quits.
    app.document().addEquation();
    app.dialogs.unsavedAsked.clear();
    app.dialogs.unsavedAnswers = {graphDialogs::unsavedAnswer::discard};
    EXPECT_TRUE(app.controller.quit());
    EXPECT_EQ(app.dialogs.unsavedAsked.size(), 1);
    EXPECT_FALSE(app.controller.mainWindow().isVisible());
}

// Open Recent: the latest file first, each file once, at most eight, and each item opens
// its file.
TEST(windowFiles, recentFilesAreUniqueCappedAndOpenFromTheMenu) {
    QTemporaryDir dir;
    launchedApp app;
    QSettings().remove(QStringLiteral("recentFiles"));
    std::vector<QString> sets;
    for (int i = 0; i < 10; i++)
        sets.push_back(writeSet(dir, QStringLiteral("set%1.plw").arg(i), {QStringLiteral("y=1")}));
    for (const QString &set : sets) ASSERT_TRUE(app.controller.loadEquationFile(set));
    ASSERT_TRUE(app.controller.loadEquationFile(sets[5]));  // again: moves to the top
    QStringList expected{sets[5], sets[9], sets[8], sets[7], sets[6], sets[4], sets[3], sets[2]};
    EXPECT_EQ(app.controller.recentFiles(), expected);

    const QList<QAction *> items = app.controller.mainWindow().ui().menuRecent->actions();
    ASSERT_EQ(items.size(), 8);
    EXPECT_EQ(items[3]->text(), "set7.plw");
    items[3]->trigger();
    EXPECT_EQ(app.table().name(), sets[7]);
    EXPECT_EQ(app.controller.recentFiles().value(0), sets[7]);
}

TEST(windowMenus, editCommandsReachTheEquationEditor) {
    launchedApp app;
    graphEquationEditorView *editor = app.equationWindow().editor();
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("y=2x"));
    Ui::graphMainWindow &menus = app.controller.mainWindow().ui();
    menus.actionUndo->trigger();
    EXPECT_EQ(app.table().equations()[0]->equation()->string(), "y = 2");
    menus.actionRedo->trigger();
    EXPECT_EQ(app.table().equations()[0]->equation()->string(), "y = 2 * x");
    menus.actionSelectAll->trigger();
    menus.actionCut->trigger();
    EXPECT_EQ(app.table().equations()[0]->equation()->string(), "?");  // the empty placeholder
    EXPECT_EQ(menus.actionOpen->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(menus.actionZoomIn->shortcut(), QKeySequence(QKeySequence::ZoomIn));
    EXPECT_TRUE(menus.actionZoomIn->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Equal)));
    EXPECT_TRUE(menus.actionRedo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    // Every item of the menus has a mnemonic, none shared within a menu.
    for (QMenu *menu : {menus.menuFile, menus.menuEdit, menus.menuGraph, menus.menuWindow}) {
        QSet<QChar> keys;
        for (QAction *action : menu->actions()) {
            if (action->isSeparator()) continue;
            const QString text = action->text();
            const qsizetype amp = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(amp, 0) << text.toStdString();
            const QChar key = text.at(amp + 1).toLower();
            EXPECT_FALSE(keys.contains(key)) << text.toStdString();
            keys.insert(key);
        }
    }
    // No key is claimed twice inside the window, so none is ambiguous.
    QMap<QKeySequence, QString> owners;
    for (QAction *action : app.controller.mainWindow().findChildren<QAction *>()) {
        for (const QKeySequence &key : action->shortcuts()) {
            EXPECT_FALSE(owners.contains(key))
                << key.toString().toStdString() << " " << action->text().toStdString() << " "
                << owners.value(key).toStdString();
            owners.insert(key, action->text());
        }
    }
}

TEST(windowImages, snapshots) {
    QTemporaryDir dir;
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});

    const QString tiffPath = dir.filePath(QStringLiteral("graph.tiff"));
    app.dialogs.saveNames = {tiffPath};
    app.controller.snapshot();
    // The TIFF's layout and compression are the view's test; here the file is the view's.
    TIFF *tiff = TIFFOpen(tiffPath.toLocal8Bit().constData(), "r");
    ASSERT_NE(tiff, nullptr);
    uint32_t width = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFClose(tiff);
    EXPECT_EQ(width, 400u);

    const QString pngPath = dir.filePath(QStringLiteral("graph.png"));
    app.dialogs.saveNames = {pngPath};
    app.controller.snapshot();
    const QImage png(pngPath);
    ASSERT_EQ(png.size(), QSize(400, 400));
    // The snapshot is what the widget shows: the line y = x through the centre.
    EXPECT_TRUE(colourNear(png, 240, 160, QColor(0, 0, 255)));
    EXPECT_EQ(png.pixelColor(300, 300), QColor(255, 255, 255));

    // A snapshot that cannot be written says so.
    app.dialogs.saveNames = {dir.filePath(QStringLiteral("no/such/dir/graph.tiff"))};
    app.controller.snapshot();
    EXPECT_EQ(app.dialogs.warnings.size(), 1);
}

TEST(windowInspector, fieldsDriveTheRegionAndATooSmallGridAlerts) {
    launchedApp app;
    graphInspectorPanel &inspector = app.controller.inspector();
    app.controller.showInspector();
    EXPECT_EQ(inspector.windowTitle(), "Inspector");
    EXPECT_EQ(inspector.field(graphField::maxX)->text(), "50");

    struct edit {
        graphField field;
        const char *text;
        graphRect region;
        int alerts;
    };
    const edit edits[] = {
        {graphField::maxX, "150", {-50, -50, 200, 100}, 0},
        {graphField::minY, "abc", {-50, -50, 200, 100}, 0},  // not a number: unchanged
        {graphField::gridXSpacing, "1", {-50, -50, 200, 100}, 1},
    };
    for (const edit &e : edits) {
        QLineEdit *field = inspector.field(e.field);
        field->setText(QString::fromLatin1(e.text));
        emit field->editingFinished();
        EXPECT_EQ(app.view().getGraphBounds(), e.region) << e.text;
        EXPECT_EQ(app.dialogs.alerts.size(), e.alerts) << e.text;
    }
    EXPECT_EQ(app.dialogs.alerts.value(0), "Close");
    EXPECT_EQ(inspector.field(graphField::gridXSpacing)->text(), "10");  // 200 / 20 intervals

    // At the zoom limit the button and the menu item are disabled together.
    QAction *zoomIn = app.controller.mainWindow().ui().actionZoomIn;
    auto *zoomInButton = inspector.findChild<QPushButton *>(QStringLiteral("zoomInButton"));
    app.view().resetDefaultValues();
    for (int i = 0; i < 13 && zoomIn->isEnabled(); i++) zoomIn->trigger();
    EXPECT_FALSE(zoomIn->isEnabled());
    EXPECT_FALSE(zoomInButton->isEnabled());
    EXPECT_LT(static_cast<double>(app.view().getGraphBounds().width), 0.005);  // just below
    app.controller.mainWindow().ui().actionResetDefaults->trigger();
    EXPECT_TRUE(zoomIn->isEnabled());
    EXPECT_TRUE(zoomInButton->isEnabled());
}

TEST(windowAccessibility, everyControlAndMenuItemHasAName) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    for (QWidget *top : {static_cast<QWidget *>(&app.controller.mainWindow()),
                         static_cast<QWidget *>(&app.controller.inspector())}) {
        for (QWidget *w : top->findChildren<QWidget *>()) {
            const bool control =
                !w->objectName().startsWith(QLatin1String("qt_")) &&
                (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                 qobject_cast<QComboBox *>(w) || qobject_cast<QOpenGLWidget *>(w));
            EXPECT_TRUE(!control || !w->accessibleName().isEmpty())
                << w->objectName().toStdString() << " " << w->metaObject()->className();
        }
        for (QMenu *menu : top->findChildren<QMenu *>()) {
            for (QAction *action : menu->actions())
                EXPECT_TRUE(action->isSeparator() || !action->text().isEmpty())
                    << menu->title().toStdString();
        }
    }
    EXPECT_EQ(app.controller.inspector().accessibleName(), "Inspector");
    // The description follows the graph within the controller's next check.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return app.graph().accessibleDescription().contains(QStringLiteral("y = x")); },
        3000));
}

// Whether a grid spacing reads well: 1, 2 or 5 times a power of ten.
bool isNiceSpacing(double spacing) {
    const double mantissa = spacing / std::pow(10.0, std::floor(std::log10(spacing)));
    return std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6 ||
           std::fabs(mantissa - 5) < 1e-6;
}

TEST(windowFaults, graphing2DAfter3DWithoutAResetGivesAReadableGridAndNoStaleTrace) {
    launchedApp app;
    auto *reset = app.controller.inspector().findChild<QCheckBox *>(QStringLiteral("resetGraph"));
    ASSERT_NE(reset, nullptr);
    reset->setChecked(false);
    app.setEquations({QStringLiteral("y=x")});
    app.controller.setStatusText(QStringLiteral("(1.000000, 1.000000)"));
    app.setEquations({QStringLiteral("z=xy")});
    EXPECT_TRUE(app.view().isThreeD());
    EXPECT_EQ(app.status(), "");
    app.setEquations({QStringLiteral("y=x")});
    for (graphField f : {graphField::gridXSpacing, graphField::gridYSpacing})
        EXPECT_TRUE(isNiceSpacing(app.controller.inspector().fieldValue(f)))
            << app.controller.inspector().field(f)->text().toStdString();
    reset->setChecked(true);
    QSettings().remove(QStringLiteral("resetGraph"));
}

// The region switches outlive the run; k follows narrower preference bounds; the
// snapshot panel says what it is for.
TEST(windowFaults, settingsOutliveTheRunAndKStaysInItsBounds) {
    {
        launchedApp first;
        EXPECT_TRUE(first.view().getResetGraph());  // a first run's values
        EXPECT_FALSE(first.view().getConstrainProportions());
        graphInspectorPanel &inspector = first.controller.inspector();
        inspector.findChild<QCheckBox *>(QStringLiteral("resetGraph"))->setChecked(false);
        inspector.findChild<QCheckBox *>(QStringLiteral("constrainProportions"))->setChecked(true);
    }
    launchedApp app;
    EXPECT_FALSE(app.view().getResetGraph());
    EXPECT_TRUE(app.view().getConstrainProportions());
    EXPECT_FALSE(app.controller.inspector()
                     .findChild<QCheckBox *>(QStringLiteral("resetGraph"))
                     ->isChecked());
    QSettings().remove(QStringLiteral("resetGraph"));
    QSettings().remove(QStringLiteral("constrainProportions"));

    Ui::graphMainWindow &ui = app.controller.mainWindow().ui();
    ui.kBox->setText(QStringLiteral("8"));
    emit ui.kBox->editingFinished();
    EXPECT_EQ(app.view().getK(), 8.0);
    graphControllerSettings &settings = app.controller.settings();
    settings.currentPreferences().values.minimumK = 0;
    settings.currentPreferences().values.maximumK = 6.28;
    settings.activatePreferences(&app.table());
    EXPECT_FLOAT_EQ(float(app.view().getK()), 6.28f);
    EXPECT_EQ(ui.kBox->text(), "6.280");
    QSettings().remove(QStringLiteral("minimumK"));
    QSettings().remove(QStringLiteral("maximumK"));

    app.controller.snapshot();
    EXPECT_EQ(app.dialogs.saveTitles.value(0), "Snapshot");
}

TEST(windowSounds, theActionSoundAndItsFallbacks) {
    const QString first = QString::fromLatin1(graphController::firstSound);
    const QString second = QString::fromLatin1(graphController::secondSound);
    struct soundCase {
        const char *name;
        std::set<QString> available;
        bool playWorks, soundsOn;
        QString chosen;
        int plays, beeps;
    };
    const soundCase cases[] = {
        {"the first sound", {first, second}, true, true, first, 1, 0},
        {"the second when the first is missing", {second}, true, true, second, 1, 0},
        {"the beep without either", {}, true, true, QString(), 0, 1},
        {"the beep when playing fails", {first}, false, true, first, 1, 1},
        {"nothing with sounds off", {first}, true, false, first, 0, 0},
    };
    for (const soundCase &c : cases) {
        SCOPED_TRACE(c.name);
        launchedApp app(c.available);
        app.sounds.playWorks = c.playWorks;
        app.controller.setPlaySounds(c.soundsOn);
        EXPECT_EQ(app.controller.actionSoundName(), c.chosen);
        app.controller.playSound();
        EXPECT_EQ(app.sounds.played.size(), c.plays);
        EXPECT_EQ(app.beeps, c.beeps);
    }
}

}  // namespace
