#include "render/graphRenderFactory.h"

#include "render/graph2DParametricCurveRender.h"
#include "render/graph2DRender.h"
#include "render/graph2DXRender.h"
#include "render/graph3DImplicitRender.h"
#include "render/graph3DParametricCurveRender.h"
#include "render/graph3DParametricSurfaceRender.h"
#include "render/graph3DRender.h"

std::unique_ptr<graphRender> graphNewRenderForKind(uint8_t kind, graphDraw &draw) {
    switch (kind) {
        case grKindXOfY: return std::make_unique<graph2DXRender>(draw);
        case grKindYOfX: return std::make_unique<graph2DRender>(draw);
        case grKindZOfXY: return std::make_unique<graph3DRender>(draw);
        case grKind2DParametricCurve: return std::make_unique<graph2DParametricCurveRender>(draw);
        case grKind3DParametricCurve: return std::make_unique<graph3DParametricCurveRender>(draw);
        case grKind3DParametricSurface:
            return std::make_unique<graph3DParametricSurfaceRender>(draw);
        case grKind3DImplicit: return std::make_unique<graph3DImplicitRender>(draw);
        default: return nullptr;
    }
}
