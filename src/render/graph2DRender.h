// y = f(x), equation kind grKindYOfX.
#pragma once

#include "render/graph2DFunctionRender.h"

class graph2DRender final : public graph2DFunctionRender {
public:
    explicit graph2DRender(graphDraw &draw) : graph2DFunctionRender(draw, false) {}
};
