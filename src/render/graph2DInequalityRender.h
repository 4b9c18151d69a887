// Inequalities between two sides in x and y, equation kind grKind2DInequality: the region
// where the inequality holds, filled with the entry's colour at fillAlpha, and its
// boundary F = G, solid for <= and >=, dashed (the view's stipple) for < and >.
//
// The fill has a display list of its own, drawn by renderUnder before any curve, so that
// curves of every entry lie over every region and regions show through each other.
#pragma once

#include "render/graph2DImplicitRender.h"

class graph2DInequalityRender final : public graph2DImplicitRender {
public:
    explicit graph2DInequalityRender(graphDraw &draw) : graph2DImplicitRender(draw) {}
    ~graph2DInequalityRender() override;

    void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color) override;
    void renderUnder() override;

    bool isStrict() const { return strict; }
    unsigned getUnderList() const override { return fillList; }

    static constexpr float fillAlpha = 0.25f;

protected:
    void init() override;

private:
    unsigned fillList = 0;
    bool strict = false;
};
