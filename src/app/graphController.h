// The application's controller: the launch sequence, the one current equation list and its
// window, the main window with the graph, the inspector, files, snapshots, printing, the
// image and text services, the status line, cursors and the action sound.
//
// Invariants: after launch() there is always exactly one equation list, graphed by the
// main window's graph view; opening a file replaces the list and its window only once the
// file has been read completely. Closing the one main window quits, after asking about
// unsaved changes.
#pragma once

#include "view/graphViewInterfaces.h"

#include <QByteArray>
#include <QColor>
#include <QCursor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class graphBackgroundGrapher;
class graphControllerSettings;
class graphDialogs;
class graphEquationDocument;
class graphEquationTable;
class graphGLWidget;
class graphGLView;
class graphInspectorPanel;
class graphMainWindow;
class graphSoundPlayer;
class QTimer;

class graphController : public QObject, public graphStatus {
    Q_OBJECT
public:
    // The freedesktop sound-theme names standing for the two system sounds.
    static constexpr const char *firstSound = "message-new-instant";
    static constexpr const char *secondSound = "audio-volume-change";

    // The equation window of a document: made for (or handed) each document. It attaches
    // itself to the document's list as its observer. Null while none is installed.
    using equationWindowFactory =
        std::function<QWidget *(graphEquationDocument &document, graphController &controller)>;

    graphController(graphDialogs &dialogs, graphSoundPlayer &sounds, QObject *parent = nullptr);
    ~graphController() override;

    void setEquationWindowFactory(equationWindowFactory factory) {
        makeEquationWindow = std::move(factory);
    }
    // The Edit menu's commands ("undo", "cut", "copyLatex", ...) for the equation window.
    void setEditCommand(std::function<void(const QString &command)> command) {
        editCommand = std::move(command);
    }
    // The system beep; QApplication::beep unless replaced.
    void setBeep(std::function<void()> beep) { systemBeep = std::move(beep); }

    // Launch: everything up to and including showing the main window.
    void applicationWillFinishLaunching();

    // Windows. newWindow shows the main window with the keys in the graph; focusEditor
    // gives them to the equation editor.
    void newWindow();
    void focusEditor();
    bool windowShouldClose(QWidget *window);
    void bringEquationWindowForward();
    void showInspector();

    // Files. loadEquationFile leaves everything as it was when the file cannot be read and
    // shows the reason, or hands it to failure when given; openFile is the desktop's
    // request. A failed save shows the reason and leaves the document's file and the titles
    // as they were.
    // A new set of one empty equation, after asking about unsaved changes; false when
    // cancelled.
    bool newEquationSet();
    void saveEquationSet();
    bool saveEquationSetAs();
    void openEquationSet();
    bool openFile(const QString &path, QString *failure = nullptr);
    bool loadEquationFile(const QString &path, bool askToSave = true, QString *failure = nullptr);
    // True while a graphing request runs in the background (from the request until its
    // graph is shown or it is cancelled).
    bool isGraphing() const;
    // Runs the graph view's graphing requests; made at launch.
    graphBackgroundGrapher &grapher() { return *background; }
    // Asks Save / Discard / Cancel when the list has unsaved changes; false to stop.
    bool maybeSave();
    bool isModified() const;
    // Quits unless the user cancels the unsaved-changes question; false when cancelled.
    bool quit();

    // Images.
    void snapshot();
    void print();
    // The graph as currently drawn, and its LZW TIFF bytes (empty without an image).
    QImage graphImage();
    QByteArray graphTIFFData();

    // Services: the picture of the graph for any non-empty string; the text service reads
    // its string and does nothing more.
    QByteArray graphEquationImageService(const QString &text);
    void graphEquationService(const QString &text);

    // graphStatus
    void setStatusText(const QString &text) override;
    void setCursor(graphCursor cursor) override;
    void playSound() override;

    // Parts, for wiring and tests.
    graphMainWindow &mainWindow() { return *window; }
    graphGLWidget &graphWidget();
    graphGLView &graphView();
    graphInspectorPanel &inspector() { return *inspectorPanel; }
    graphEquationDocument &equationDocument() { return *document; }
    graphEquationTable &equationTable();
    QWidget *equationWindow() { return tableWindow; }
    const QString &actionSoundName() const { return actionSound; }
    void setPlaySounds(bool on) { playSounds = on; }
    // Preferences, user constants and k (created at launch).
    graphControllerSettings &settings() { return *preferences; }
    // A user constant's value for the editor and the graph, 1.0 for an unknown name.
    double constantForString(const QString &name) const;
    QStringList recentFiles() const;

signals:
    // The current list changed (launch, open); its window is equationWindow().
    void equationTableChanged();

private:
    void connectMenus();
    QWidget *loadEquationWindowForDocument(graphEquationDocument &newDocument);
    void showEquationWindow(QWidget *shown);
    // Makes newDocument the current one, its window shown in the equation dock.
    void replaceDocument(std::unique_ptr<graphEquationDocument> newDocument, QWidget *newWindow);
    void activatePreferences();
    void rememberRegionSwitches();
    void describeGraph();
    // Enables the Graph menu's items that need something graphed.
    void updateGraphItems();
    // Saves the document under path; on failure shows the reason and answers false.
    bool saveDocumentAs(const QString &path);
    void addRecentFile(const QString &path);
    void rebuildRecentMenu();
    void saveGeometry();
    QWidget *dialogParent();

    graphDialogs &dialogs;
    graphSoundPlayer &sounds;
    std::function<void()> systemBeep;
    equationWindowFactory makeEquationWindow;
    std::function<void(const QString &)> editCommand;

    std::unique_ptr<graphMainWindow> window;
    // After the window, so it goes first: its threads are joined before the view goes.
    std::unique_ptr<graphBackgroundGrapher> background;
    std::unique_ptr<graphInspectorPanel> inspectorPanel;
    std::unique_ptr<graphControllerSettings> preferences;
    std::unique_ptr<graphEquationDocument> document;
    QPointer<QWidget> tableWindow;
    QCursor crossHair;
    QString actionSound;
    bool playSounds = true;
    QTimer *describeTimer = nullptr;
};

// Gives the controller the equation window of each list.
void installEquationWindow(graphController &controller);
