// The main window: the graph widget, the status line under it and the menus. Closing it
// only hides it (the owner decides through closeRequested); the Window menu shows it again.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

class graphGLWidget;
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

    // Answers whether the window may really close; false hides it instead.
    std::function<bool()> shouldClose;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<Ui::graphMainWindow> form;
};
