// (x(t), y(t), z(t)) in space, equation kind grKind3DParametricCurve.
#pragma once

#include "render/graphParametricCurveRender.h"

class graph3DParametricCurveRender final : public graphParametricCurveRender {
public:
    explicit graph3DParametricCurveRender(graphDraw &draw)
        : graphParametricCurveRender(draw, true) {}

    bool is3D() const override { return true; }
    // The fine search around the last hit, in the x-y plane.
    graphPoint curvePointForPoint(graphPoint point) { return fineSearch(point); }
};
