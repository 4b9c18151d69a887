// Helpers for the renderer tests: renderers made by the kind table, and surfaces read back
// from their recorded display lists.
#pragma once

#include "render/graphRecordingDraw.h"
#include "render/graphRenderFactory.h"
#include "render/graphSurfaceMesh.h"
#include "textEquation.h"

#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

inline constexpr graphRect surfaceSquare{-10.0f, -10.0f, 20.0f, 20.0f};

// A renderer of the equation's kind, made by the kind table and holding the equation.
inline std::unique_ptr<graphRender> renderFor(const char *text, graphDraw &draw) {
    grEquation *equation = testEquation(text);
    std::unique_ptr<graphRender> render = graphNewRenderForKind(equation->kind, draw);
    if (!render) {
        grFreeEquation(equation);
        throw std::runtime_error("no renderer");
    }
    render->initWithEquation(equation);
    return render;
}

template <class Render>
struct recordedSurface {
    graphRecordingDraw draw;
    std::unique_ptr<graphRender> owner;
    Render *render = nullptr;

    recordedSurface(const char *text, int divisions, int mode = graphDrawShaded)
        : owner(renderFor(text, draw)), render(dynamic_cast<Render *>(owner.get())) {
        if (render == nullptr) throw std::runtime_error("not the expected renderer");
        render->setDrawMode(mode);
        render->setDivisions3D(divisions);
    }

    const std::vector<graphDrawOp> &compile(graphRect region = surfaceSquare,
                                            QColor color = QColor::fromRgbF(1.0f, 0.0f, 0.0f)) {
        render->setBounds(region);
        render->compileWithBounds(region, {0, 0, 400, 400}, color);
        return draw.list(render->getCompileList());
    }
};

// The calls of one kind in a recorded list.
inline std::vector<graphDrawOp> callsOf(const std::vector<graphDrawOp> &ops, graphDrawCall call) {
    std::vector<graphDrawOp> result;
    for (const graphDrawOp &op : ops)
        if (op.call == call) result.push_back(op);
    return result;
}

// The colour of each checkerboard cell in drawing order, with the count of vertices that
// followed each colour.
struct checkerCell {
    std::array<double, 4> color;
    int vertices;
};

inline std::vector<checkerCell> checkerCells(const std::vector<graphDrawOp> &ops) {
    std::vector<checkerCell> cells;
    bool inside = false;
    for (const graphDrawOp &op : ops) {
        if (op.call == graphDrawCall::begin)
            inside = op.code == static_cast<int>(graphPrimitive::triangles);
        else if (inside && op.call == graphDrawCall::color)
            cells.push_back({{op.args[0], op.args[1], op.args[2], op.args[3]}, 0});
        else if (inside && op.call == graphDrawCall::vertex3 && !cells.empty())
            cells.back().vertices++;
    }
    return cells;
}

// Each component of v within precision of expected.
#define EXPECT_VECTOR_NEAR(v, expected, precision)   \
    do {                                             \
        EXPECT_NEAR((v).x, (expected).x, precision); \
        EXPECT_NEAR((v).y, (expected).y, precision); \
        EXPECT_NEAR((v).z, (expected).z, precision); \
    } while (0)
