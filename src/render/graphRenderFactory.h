// The renderer class for each equation kind.
#pragma once

#include "render/graphRender.h"

#include <memory>

// A new, uninitialised renderer for the kind, or null for a kind without one.
std::unique_ptr<graphRender> graphNewRenderForKind(uint8_t kind, graphDraw &draw);
