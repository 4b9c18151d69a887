#include "render/graphRenderFactory.h"

#include "render/graph2DImplicitRender.h"
#include "render/graph2DInequalityRender.h"
#include "render/graph2DParametricCurveRender.h"
#include "render/graph2DRender.h"
#include "render/graph2DXRender.h"
#include "render/graph3DImplicitRender.h"
#include "render/graph3DParametricCurveRender.h"
#include "render/graph3DParametricSurfaceRender.h"
#include "render/graph3DRender.h"
#include "render/graphPolarRender.h"

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
        case grKind2DImplicit: return std::make_unique<graph2DImplicitRender>(draw);
        case grKindPolar: return std::make_unique<graphPolarRender>(draw);
        case grKind2DInequality: return std::make_unique<graph2DInequalityRender>(draw);
        default: return nullptr;
    }
}
