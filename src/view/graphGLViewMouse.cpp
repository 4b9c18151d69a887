// The mouse: the crosshair near curves, tracing, panning and the 3D drag with its spin.
//
// The platform's modal tracking loops become a small state machine: mouseDown picks the
// loop, mouseDragged, mouseTick and mouseUp are its events, and the owner's timer supplies
// the periodic ticks while the button is held.
#include "view/graphGLView.h"

#include <cmath>
#include <limits>

namespace {

constexpr double nearEnough = 0.05;       // of the visible height
constexpr double overshootScroll = 0.05;  // graph units per pixel outside the view
constexpr double followScroll = 0.1;      // of the visible height
constexpr double degreesPerPixel = 0.2;
constexpr double largeCoordinate = 1000000.0;

// "(x, y)" with %e for a coordinate whose pointer position is a million or more.
QString traceText(graphPoint point, graphPoint pointer) {
    const bool largeX = std::fabs(pointer.x) >= largeCoordinate;
    const bool largeY = std::fabs(pointer.y) >= largeCoordinate;
    const char *format =
        largeX ? (largeY ? "(%e, %e)" : "(%e, %f)") : (largeY ? "(%f, %e)" : "(%f, %f)");
    return QString::asprintf(format, static_cast<double>(point.x), static_cast<double>(point.y));
}

}  // namespace

graphPoint graphGLView::graphPointForViewPoint(graphPoint p) const {
    const graphRect &r = graphBounds;
    return {r.x + r.width * p.x / frameWidth, r.y + r.height * p.y / frameHeight};
}

double graphGLView::nearness(size_t index, graphPoint g) {
    return std::fabs(equationArray[index].render->distanceFromCurveAtPoint(g) / graphBounds.height);
}

void graphGLView::mouseMoved(graphPoint p) {
    if (is3D || mouseMode != tracking::none) return;
    const graphPoint g = graphPointForViewPoint(p);
    for (size_t i = 0; i < equationArray.size(); i++) {
        if (nearness(i, g) < nearEnough) {
            status->setCursor(graphCursor::crosshair);
            return;
        }
    }
    status->setCursor(graphCursor::arrow);
}

void graphGLView::mouseDown(graphPoint p) {
    if (mouseMode != tracking::none) finishTracking();
    pointer = previousPointer = p;
    lastDragX = lastDragY = 0.0;

    if (is3D) {
        // The idle spin pauses while the mouse mode is rotate3D.
        displayCoords = true;
        mouseMode = tracking::rotate3D;
        return;
    }

    // The nearest curve, the first of equal ones winning; a trace within 5 % of the height.
    const graphPoint g = graphPointForViewPoint(p);
    double best = std::numeric_limits<double>::infinity();
    traced = nullptr;
    for (size_t i = 0; i < equationArray.size(); i++) {
        const double value = nearness(i, g);
        if (value < best) {
            best = value;
            traced = equationArray[i].render.get();
        }
    }
    if (traced != nullptr && best < nearEnough) {
        pointSelected = true;
        previousTracePoint = {0.0f, 0.0f};
        mouseMode = tracking::trace;
    } else {
        traced = nullptr;
        displayCoords = true;
        mouseMode = tracking::pan;
    }
    mouseTick();  // periodic events start without delay
}

void graphGLView::mouseDragged(graphPoint p) {
    switch (mouseMode) {
        case tracking::none: return;
        case tracking::trace:
            pointer = p;
            traceStep();
            return;
        case tracking::pan:
            pointer = p;
            panStep();
            return;
        case tracking::rotate3D:
            lastDragY = previousPointer.y - p.y;
            lastDragX = previousPointer.x - p.x;
            previousPointer = p;
            rotationY -= lastDragX * degreesPerPixel;
            rotationX += lastDragY * degreesPerPixel;
            surface->setNeedsDisplay();
            return;
    }
}

void graphGLView::mouseTick() {
    if (mouseMode == tracking::trace)
        traceStep();
    else if (mouseMode == tracking::pan)
        panStep();
}

void graphGLView::mouseUp(graphPoint p) {
    if (mouseMode == tracking::trace || mouseMode == tracking::pan)
        mouseDragged(p);  // the release is the loop's last event
    else if (mouseMode == tracking::rotate3D)
        surface->setNeedsDisplay();
    finishTracking();
}

void graphGLView::finishTracking() {
    switch (mouseMode) {
        case tracking::none:
        case tracking::trace: break;  // the point stays marked until the next graphing
        case tracking::pan:
            displayCoords = false;
            surface->setNeedsDisplay();
            break;
        case tracking::rotate3D:
            // The spin continues at the speed of the drag's last step; no step stops it.
            idleRotationX = lastDragY * degreesPerPixel;
            idleRotationY = -lastDragX * degreesPerPixel;
            displayCoords = false;
            surface->setNeedsDisplay();
            break;
    }
    mouseMode = tracking::none;
    traced = nullptr;
}

int graphGLView::tracedSource() const {
    if (mouseMode != tracking::trace) return -1;
    for (const entry &e : equationArray)
        if (e.render.get() == traced) return e.source;
    return -1;
}

void graphGLView::traceStep() {
    // Scrolling or a graphing request during the trace may have replaced the renderer.
    bool present = false;
    for (const entry &e : equationArray) present = present || e.render.get() == traced;
    if (!present) {
        finishTracking();
        return;
    }

    // 2. Horizontal scrolling towards the pointer's side.
    const float w = frameWidth;
    if (pointer.x < 0.0f)
        scrollX(pointer.x * overshootScroll, 0.0);
    else if (pointer.x > w)
        scrollX((pointer.x - w) * overshootScroll, 0.0);

    // 3. The curve's point nearest the pointer.
    const graphPoint g = graphPointForViewPoint(pointer);
    selectionPoint = traced->bestPointForPoint(g, graphBounds.width / 250.0);

    // 4. The sound as the point arrives on an axis.
    if ((selectionPoint.x == 0.0f && previousTracePoint.x != 0.0f) ||
        (selectionPoint.y == 0.0f && previousTracePoint.y != 0.0f))
        status->playSound();
    previousTracePoint = selectionPoint;

    // 5. The coordinates.
    status->setStatusText(traceText(selectionPoint, g));

    // 6. The region follows the point vertically.
    if (selectionPoint.y > graphBounds.y + graphBounds.height)
        scrollX(0.0, followScroll * graphBounds.height);
    else if (selectionPoint.y < graphBounds.y)
        scrollX(0.0, -followScroll * graphBounds.height);

    surface->display();
}

void graphGLView::panStep() {
    const float w = frameWidth, h = frameHeight;
    const graphPoint p = pointer;
    if (p.x >= 0.0f && p.x <= w && p.y >= 0.0f && p.y <= h) {
        // The plane follows the pointer; also a zero scroll while it rests.
        scrollX(graphBounds.width * (previousPointer.x - p.x) / w,
                graphBounds.height * (previousPointer.y - p.y) / h);
        previousPointer = p;
        return;
    }
    // Outside the view the plane keeps moving towards the pointer by itself.
    const double dx = p.x < 0.0f ? overshootScroll * -p.x
                      : p.x > w  ? overshootScroll * (w - p.x)
                                 : 0.0;
    const double dy = p.y < 0.0f ? overshootScroll * -p.y
                      : p.y > h  ? overshootScroll * (h - p.y)
                                 : 0.0;
    scrollX(dx, dy);
}
