// The small interfaces through which the graph view reaches what lies outside it: the
// inspector panels with their number fields and zoom controls, the controller's status
// text and cursor, the surface it draws on, and the equation list it graphs.
//
// Each has a plain implementation here (fields kept in memory, calls ignored), so the view
// works headless and tests can observe every call.
#pragma once

#include "engine/engine.h"

#include <QColor>
#include <QString>
#include <QtGlobal>

#include <array>
#include <memory>

// The number fields of the inspector pages and the parametric panel.
enum class graphField : uint8_t {
    minX,
    minY,
    maxX,
    maxY,
    gridXSpacing,
    gridYSpacing,
    minS,
    maxS,
    minT,
    maxT,
    xBox,
    yBox,
    zBox,
    minTheta,
    maxTheta,
};
inline constexpr int graphFieldCount = 15;

struct graphAlertText {
    const char *title, *defaultButton, *alternateButton, *message;
};

// The texts are translated where the alert is shown.
inline constexpr graphAlertText graphGridAlert{
    QT_TRANSLATE_NOOP("graphAlertText", "Close"),
    QT_TRANSLATE_NOOP("graphAlertText", "Don't Show Again"),
    QT_TRANSLATE_NOOP("graphAlertText", "Okay"),
    QT_TRANSLATE_NOOP("graphAlertText",
                      "The grid spacing entered was too small for the current graph size.  It "
                      "has been reset to the minimum allowed for this graph size.")};

class graphInspector {
public:
    virtual ~graphInspector() = default;
    virtual double fieldValue(graphField field) const = 0;
    virtual void setFieldValue(graphField field, double value) = 0;
    // Each covers the button and the menu item together.
    virtual void setZoomInEnabled(bool enabled) = 0;
    virtual void setZoomOutEnabled(bool enabled) = 0;
    virtual void showInspectorPage(bool threeD) = 0;
    virtual void showParametricPanel(bool visible) = 0;
    // The θ range fields, shown while a polar curve is graphed.
    virtual void showPolarFields(bool /*visible*/) {}
    // A sheet on the inspector panel whose buttons only close it.
    virtual void showAlert(const graphAlertText &alert) = 0;
};

// Inspector state kept in memory: the headless stand-in and the tests' observer.
class graphMemoryInspector : public graphInspector {
public:
    graphMemoryInspector() {
        fields.fill(0.0);
        setFieldValue(graphField::maxS, 20.0);
        setFieldValue(graphField::maxT, 40.0);
        setFieldValue(graphField::maxTheta, 2.0 * grPiValue);
    }
    double fieldValue(graphField field) const override { return fields[index(field)]; }
    void setFieldValue(graphField field, double value) override { fields[index(field)] = value; }
    void setZoomInEnabled(bool enabled) override { zoomInEnabled = enabled; }
    void setZoomOutEnabled(bool enabled) override { zoomOutEnabled = enabled; }
    void showInspectorPage(bool threeD) override { page3D = threeD; }
    void showParametricPanel(bool visible) override { parametricVisible = visible; }
    void showPolarFields(bool visible) override { polarVisible = visible; }
    void showAlert(const graphAlertText &alert) override {
        alerts++;
        lastAlert = alert.message;
    }

    bool zoomInEnabled = true, zoomOutEnabled = true, page3D = false, parametricVisible = false;
    bool polarVisible = false;
    int alerts = 0;
    QString lastAlert;

private:
    static size_t index(graphField field) { return static_cast<size_t>(field); }
    std::array<double, graphFieldCount> fields;
};

enum class graphCursor : uint8_t { arrow, crosshair };

// The controller's status line, the graph view's cursor and the action sound.
class graphStatus {
public:
    virtual ~graphStatus() = default;
    virtual void setStatusText(const QString &text) = 0;
    virtual void setCursor(graphCursor cursor) = 0;
    virtual void playSound() {}
};

// What the view draws on. display() redraws at once; setNeedsDisplay() asks for a redraw
// at the next chance.
class graphSurface {
public:
    virtual ~graphSurface() = default;
    virtual void display() = 0;
    virtual void setNeedsDisplay() = 0;
    // Brings the window to the front as key window with the view as first responder.
    virtual void makeKeyAndFirstResponder() = 0;
};

// The equation list being graphed. equationAtIndex answers a new classified equation that
// the caller owns, or null with the message in gGraphExpressionError.
class graphEquationSource {
public:
    virtual ~graphEquationSource() = default;
    virtual int equationCount() = 0;
    virtual grEquation *equationAtIndex(int index) = 0;
    virtual QColor colorAtIndex(int index) = 0;
};

class graphCompileJob;

// Runs the view's graphing requests away from its thread and hands each finished one back
// through graphGLView::adoptGraph. start supersedes a request still running; stop drops
// it, leaving the view as it was.
class graphCompileRunner {
public:
    virtual ~graphCompileRunner() = default;
    virtual void start(std::unique_ptr<graphCompileJob> job) = 0;
    virtual void stop() = 0;
};
