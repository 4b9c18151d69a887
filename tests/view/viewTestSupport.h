// Stand-ins for what surrounds the graph view: an equation list built from text, and
// observers of the status line and the surface.
#pragma once

#include "render/graphRecordingDraw.h"
#include "testExpressions.h"
#include "view/graphGLView.h"

#include <string>
#include <utility>
#include <vector>

// Entries are classified on every request, as the real list does; a text that does not
// classify answers null with the engine's message.
class testEquationList : public graphEquationSource {
public:
    testEquationList() = default;
    testEquationList(std::initializer_list<std::pair<const char *, QColor>> entries)
    {
        for (auto &e : entries)
            add(e.first, e.second);
    }
    void add(const char *text, QColor color = Qt::black) { entries.push_back({text, color}); }

    int equationCount() override { return static_cast<int>(entries.size()); }
    grEquation *equationAtIndex(int index) override
    {
        grExp *tree = testExpression(entries[static_cast<size_t>(index)].first.c_str());
        grEquation *equation = grNewEquation(tree);
        if (equation == nullptr)
            grFreeExp(tree);
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

    recordedView()
    {
        view.setInspector(&inspector);
        view.setStatus(&status);
        view.setSurface(&surface);
        view.setEquationTable(&list);
        view.updateBoundsText();
    }
    double field(graphField f) const { return inspector.fieldValue(f); }
};
