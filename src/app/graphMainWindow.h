// The one main window: the graph with the k slider and box under it in the centre, the
// equation list with its editor and the inspector as docks, the status line in the status
// bar, and the menus, whose shortcuts work wherever the focus is in the window (floating
// docks included). Closing the window asks the owner through shouldClose.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class graphGLWidget;
class QDockWidget;
class QLabel;
namespace Ui {
class graphMainWindow;
}

class graphMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit graphMainWindow(QWidget *parent = nullptr);
    ~graphMainWindow() override;

    Ui::graphMainWindow &ui() { return *form; }
    graphGLWidget &graphView();
    QLabel &statusText();

    // The docks (object names "equationDock" and "inspectorDock", so saveState finds them).
    QDockWidget &equationDock() { return *equations; }
    QDockWidget &inspectorDock() { return *inspector; }
    // Puts a panel into its dock; the dock takes its window title.
    void setEquationPanel(QWidget *panel);
    void setInspectorPanel(QWidget *panel);
    // Shows a dock, floating or docked, in front of its neighbours.
    static void showDock(QDockWidget &dock);

    // A first size that fits the screen's available area (at any scale factor).
    void fitToScreen();

    // Answers whether the window may close (the owner asks about unsaved changes).
    std::function<bool()> shouldClose;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::graphMainWindow> form;
    QDockWidget *equations = nullptr;
    QDockWidget *inspector = nullptr;
    QLabel *status = nullptr;
};
