// The graph view's window side: an OpenGL widget that owns the widget-free graphGLView
// core, draws it, and turns Qt's mouse events and timers into the core's tracking events
// and idle spin.
//
// Every GL call of the core reaches this widget's context, whoever triggers it (the
// equation window graphing, an inspector field, a timer): the drawing interface makes the
// context current before a display list is made, deleted or drawn.
#pragma once

#include "render/graphGLDraw.h"
#include "view/graphGLView.h"

#include <QCursor>
#include <QOpenGLWidget>
#include <QTimer>

#include <functional>
#include <memory>

class QMenu;

class graphGLWidget : public QOpenGLWidget, public graphSurface {
    Q_OBJECT
public:
    explicit graphGLWidget(QWidget *parent = nullptr);
    ~graphGLWidget() override;

    graphGLView &view() { return *core; }

    // graphSurface
    void display() override;
    void setNeedsDisplay() override { update(); }
    void makeKeyAndFirstResponder() override;

    // Draws the graph into a single-sampled frame of the widget's size and runs read with
    // the frame bound, so the core's read-back sees exactly what is shown.
    void withReadableFrame(const std::function<void()> &read);

    // The cursor shown over a curve (the arrow elsewhere).
    void setCrosshair(const QCursor &cursor) { crosshair = cursor; }
    void showCursor(graphCursor cursor);

    // The timers, exposed so tests can step them instead of waiting.
    QTimer &mouseTimer() { return tickTimer; }
    QTimer &spinTimer() { return rotateTimer; }

    // The contextual menu for the current graph, built from the core's items.
    QMenu *contextMenu();

signals:
    // After each drawn frame (tests and the start-up figure wait on it).
    void frameDrawn();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    class contextDraw : public graphGLDraw {
    public:
        explicit contextDraw(graphGLWidget &owner) : owner(owner) {}
        void prepareState() override;
        unsigned genList() override;
        void deleteList(unsigned list) override;
        void newList(unsigned list) override;
        void readPixels(int width, int height, graphPixelFormat format, int packAlignment,
                        uint8_t *destination) override;

    private:
        void ensureCurrent();
        graphGLWidget &owner;
    };

    // View pixels, origin at the lower left, y upwards.
    graphPoint viewPoint(const QPointF &position) const;

    contextDraw draw{*this};
    std::unique_ptr<graphGLView> core;
    QTimer tickTimer, rotateTimer;
    QCursor crosshair{Qt::CrossCursor};
    QMenu *menu = nullptr;
    bool glReady = false;
};
