// Stand-ins for what surrounds the graph view: an equation list built from text, and
// observers of the status line and the surface.
#pragma once

#include "platform/headlessGLContext.h"
#include "render/graphGLDraw.h"
#include "render/graphRecordingDraw.h"
#include "textEquation.h"
#include "view/graphGLView.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Entries are classified on every request, as the real list does; a text that does not
// classify answers null with the engine's message.
class testEquationList : public graphEquationSource {
public:
    testEquationList() = default;
    testEquationList(std::initializer_list<std::pair<const char *, QColor>> entries) {
        for (auto &e : entries) add(e.first, e.second);
    }
    void add(const char *text, QColor color = Qt::black) { entries.push_back({text, color}); }

    int equationCount() override { return static_cast<int>(entries.size()); }
    grEquation *equationAtIndex(int index) override {
        grExp *tree = testExpression(entries[static_cast<size_t>(index)].first.c_str());
        grEquation *equation = grNewEquation(tree);
        if (equation == nullptr) grFreeExp(tree);
        asked++;
        return equation;
    }
    QColor colorAtIndex(int index) override { return entries[static_cast<size_t>(index)].second; }

    int asked = 0;

private:
    std::vector<std::pair<std::string, QColor>> entries;
};

class testStatus : public graphStatus {
public:
    void setStatusText(const QString &newText) override { text = newText; }
    void setCursor(graphCursor newCursor) override { cursor = newCursor; }
    void playSound() override { sounds++; }
    QString text;
    graphCursor cursor = graphCursor::crosshair;
    int sounds = 0;
};

class testSurface : public graphSurface {
public:
    void display() override { displays++; }
    void setNeedsDisplay() override { needsDisplay++; }
    void makeKeyAndFirstResponder() override { broughtToFront++; }
    int displays = 0, needsDisplay = 0, broughtToFront = 0;
};

// A view of 400 x 400 pixels on the recording interface, with every observer attached.
struct recordedView {
    graphRecordingDraw draw;
    graphMemoryInspector inspector;
    testStatus status;
    testSurface surface;
    testEquationList list;
    graphGLView view{draw, 400.0f, 400.0f};

    recordedView() {
        view.setInspector(&inspector);
        view.setStatus(&status);
        view.setSurface(&surface);
        view.setEquationTable(&list);
        view.updateBoundsText();
    }
    double field(graphField f) const { return inspector.fieldValue(f); }
};

struct rgb {
    int r, g, b;
};

inline std::ostream &operator<<(std::ostream &out, rgb c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// A view of the equations drawn through a headless OpenGL context; pixels are counted from
// the top-left corner of the frame.
struct headlessView {
    headlessGLContext context;
    graphGLDraw draw;
    testEquationList list;
    graphMemoryInspector inspector;
    std::unique_ptr<graphGLView> view;
    const uint8_t *pixels = nullptr;
    int width, height;

    headlessView(int width, int height,
                 std::initializer_list<std::pair<const char *, QColor>> equations)
        : list(equations), width(width), height(height) {
        if (!context.create(width, height))
            throw std::runtime_error("no headless OpenGL: " + context.error());
        view = std::make_unique<graphGLView>(draw, float(width), float(height));
        view->initGL();
        view->setInspector(&inspector);
        view->setEquationTable(&list);
    }

    rgb at(QPoint p) const {
        const uint8_t *q = pixels + (static_cast<size_t>(p.y()) * width + p.x()) * 4;
        return {q[0], q[1], q[2]};
    }
    rgb at(int x, int y) const { return at({x, y}); }

    // The pixels of the area, clipped to the frame, that pass the test.
    int count(QRect area, const std::function<bool(rgb)> &test) const {
        area &= QRect(0, 0, width, height);
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); y++)
            for (int x = area.left(); x <= area.right(); x++) n += test(at(x, y));
        return n;
    }
    int count(QPoint centre, int radius, const std::function<bool(rgb)> &test) const {
        return count(QRect(centre - QPoint(radius, radius), centre + QPoint(radius, radius)), test);
    }
};
