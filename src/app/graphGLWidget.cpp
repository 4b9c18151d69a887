#include "app/graphGLWidget.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

#include <cmath>

void graphGLWidget::contextDraw::ensureCurrent() {
    if (owner.context() != nullptr && QOpenGLContext::currentContext() != owner.context())
        owner.makeCurrent();
}

void graphGLWidget::contextDraw::prepareState() {
    ensureCurrent();
    graphGLDraw::prepareState();
}

unsigned graphGLWidget::contextDraw::genList() {
    ensureCurrent();
    return graphGLDraw::genList();
}

void graphGLWidget::contextDraw::deleteList(unsigned list) {
    ensureCurrent();
    graphGLDraw::deleteList(list);
}

void graphGLWidget::contextDraw::newList(unsigned list) {
    ensureCurrent();
    graphGLDraw::newList(list);
}

void graphGLWidget::contextDraw::readPixels(int width, int height, graphPixelFormat format,
                                            int packAlignment, uint8_t *destination) {
    ensureCurrent();
    graphGLDraw::readPixels(width, height, format, packAlignment, destination);
}

graphGLWidget::graphGLWidget(QWidget *parent) : QOpenGLWidget(parent) {
    // A fixed-function context with depth and alpha; 4x multisampling where offered.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setSamples(4);
    setFormat(format);

    core = std::make_unique<graphGLView>(draw, 1.0f, 1.0f);
    core->setSurface(this);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Graph"));
    setMinimumSize(200, 150);

    tickTimer.setInterval(static_cast<int>(graphGLView::mouseTickInterval * 1000));
    connect(&tickTimer, &QTimer::timeout, this, [this] { core->mouseTick(); });
    rotateTimer.setInterval(static_cast<int>(graphGLView::spinInterval * 1000));
    connect(&rotateTimer, &QTimer::timeout, this, [this] { core->rotate(); });
    rotateTimer.start();
}

// Renderers free their display lists in the widget's context.
graphGLWidget::~graphGLWidget() {
    if (context() != nullptr) makeCurrent();
    core.reset();
    if (context() != nullptr) doneCurrent();
}

void graphGLWidget::display() {
    update();
}

// After graphing the graph is shown, but the keys stay where the user types: in the one
// window the editor sits beside the graph, and taking its focus would send the next
// equation's keys to the graph. A click on the graph gives it the keys.
void graphGLWidget::makeKeyAndFirstResponder() {
    window()->show();
}

// Labels, line widths and points follow the screen's device pixel ratio.
void graphGLWidget::initializeGL() {
    draw.setScale(static_cast<float>(devicePixelRatioF()));
    core->initGL();
    glReady = true;
}

void graphGLWidget::resizeGL(int width, int height) {
    const qreal ratio = devicePixelRatioF();
    if (draw.scale() != static_cast<float>(ratio)) {  // moved to a screen of another ratio
        draw.setScale(static_cast<float>(ratio));
        draw.prepareState();
    }
    core->setFrame(static_cast<float>(width * ratio), static_cast<float>(height * ratio));
    core->compileEquations();
}

void graphGLWidget::paintGL() {
    core->drawRect();
    // The graph clears with alpha 0; the window shows it opaque.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    emit frameDrawn();
}

void graphGLWidget::withReadableFrame(const std::function<void()> &read) {
    if (!glReady) return;  // a widget never shown has no GL state yet
    makeCurrent();
    const QSize size(static_cast<int>(core->viewWidth()), static_cast<int>(core->viewHeight()));
    QOpenGLFramebufferObject frame(size, QOpenGLFramebufferObject::CombinedDepthStencil);
    frame.bind();
    core->drawRect();
    glFinish();
    read();
    frame.release();
    doneCurrent();
}

void graphGLWidget::showCursor(graphCursor cursor) {
    setCursor(cursor == graphCursor::crosshair ? crosshair : QCursor(Qt::ArrowCursor));
}

graphPoint graphGLWidget::viewPoint(const QPointF &position) const {
    const qreal ratio = devicePixelRatioF();
    return {static_cast<float>(position.x() * ratio),
            static_cast<float>((height() - position.y()) * ratio)};
}

void graphGLWidget::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QOpenGLWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    core->mouseDown(viewPoint(event->position()));
    // The 2D loops go on ticking while the button is held, so a pointer resting outside
    // keeps the plane moving.
    if (core->currentTracking() == graphGLView::tracking::trace ||
        core->currentTracking() == graphGLView::tracking::pan)
        tickTimer.start();
}

void graphGLWidget::mouseMoveEvent(QMouseEvent *event) {
    if (core->currentTracking() != graphGLView::tracking::none)
        core->mouseDragged(viewPoint(event->position()));
    else
        core->mouseMoved(viewPoint(event->position()));
}

void graphGLWidget::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) return;
    tickTimer.stop();
    core->mouseUp(viewPoint(event->position()));
}

// The wheel zooms: one notch (120 eighths of a degree) by 1.25; a trackpad's pixel deltas
// in proportion, so smooth scrolling zooms smoothly.
void graphGLWidget::wheelEvent(QWheelEvent *event) {
    const QPoint pixels = event->pixelDelta();
    const double notches = !pixels.isNull() ? pixels.y() / 60.0 : event->angleDelta().y() / 120.0;
    if (notches == 0.0 || core->currentTracking() != graphGLView::tracking::none) {
        event->ignore();
        return;
    }
    core->zoomAboutPoint(viewPoint(event->position()), std::pow(1.25, notches));
    event->accept();
}

QMenu *graphGLWidget::contextMenu() {
    delete menu;
    menu = new QMenu(this);
    menu->setAccessibleName(tr("Graph menu"));
    for (const graphMenuItem &item : core->menuForEvent()) {
        if (item.action == nullptr) {
            menu->addSeparator();
            continue;
        }
        // The title is shown translated; the object name stays the English title.
        QAction *action = menu->addAction(
            QCoreApplication::translate("graphGLView", item.title.toUtf8().constData()));
        action->setObjectName(item.title);
        auto method = item.action;
        connect(action, &QAction::triggered, this, [this, method] { (core.get()->*method)(); });
    }
    return menu;
}

void graphGLWidget::contextMenuEvent(QContextMenuEvent *event) {
    contextMenu()->popup(event->globalPos());
}
