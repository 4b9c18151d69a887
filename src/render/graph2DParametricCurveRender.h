// (x(t), y(t)) in the plane, equation kind grKind2DParametricCurve.
#pragma once

#include "render/graphParametricCurveRender.h"

class graph2DParametricCurveRender final : public graphParametricCurveRender {
public:
    explicit graph2DParametricCurveRender(graphDraw &draw)
        : graphParametricCurveRender(draw, false) {}

    // The fine search around the last hit; the tolerance is not used.
    graphPoint bestPointForPoint(graphPoint point, double /*tolerance*/) override {
        return fineSearch(point);
    }
};
