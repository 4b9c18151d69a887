#include "render/graphRenderFactory.h"

#include "render/graph2DRender.h"
#include "render/graph2DXRender.h"

std::unique_ptr<graphRender> graphNewRenderForKind(uint8_t kind, graphDraw &draw)
{
    switch (kind) {
    case grKindXOfY:
        return std::make_unique<graph2DXRender>(draw);
    case grKindYOfX:
        return std::make_unique<graph2DRender>(draw);
    // The parametric curves and the surfaces join this table with their renderers.
    default:
        return nullptr;
    }
}
