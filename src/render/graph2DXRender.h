// x = f(y), equation kind grKindXOfY: the explicit curve drawn sideways.
#pragma once

#include "render/graph2DFunctionRender.h"

class graph2DXRender final : public graph2DFunctionRender {
public:
    explicit graph2DXRender(graphDraw &draw) : graph2DFunctionRender(draw, true) {}
};
