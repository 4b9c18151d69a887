// The renderer base: one classified equation turned into a display list, plus the
// tracing questions the graph view asks about it.
//
// A renderer owns its equation (released with grFreeEquation) and one display list, both
// made in initWithEquation and released by the destructor. The equation's x, y and z
// components are compiled there too (grCompiledExp), for the subclasses' sampling; a
// missing component compiles to one that fails everywhere. It draws only through the
// graphDraw it was made with, which must outlive it. Bounds and k are kept for the
// subclasses; the graph view calls setBounds and compileWithBounds with the same region
// whenever the region, k or the equations change, and render on every redraw.
#pragma once

#include "engine/engine.h"
#include "render/graphColorMap.h"
#include "render/graphDraw.h"
#include "render/graphRect.h"

#include <QColor>

class graphRender {
public:
    explicit graphRender(graphDraw &draw);
    virtual ~graphRender();
    graphRender(const graphRender &) = delete;
    graphRender &operator=(const graphRender &) = delete;

    void setBounds(graphRect bounds);
    // Takes ownership of the equation, names the display list, runs the subclass's own
    // initialisation and recomputes.
    void initWithEquation(grEquation *equation);
    void setK(double k);

    virtual void compileWithBounds(graphRect bounds, graphRect viewBounds, const QColor &color);
    virtual void recompute();
    virtual void render();

    // Tracing. A failed evaluation answers the largest double, (0, 0) and 0.0 respectively.
    virtual double distanceFromCurveAtPoint(graphPoint point);
    virtual graphPoint bestPointForPoint(graphPoint point, double tolerance);
    virtual double derivAtPoint(graphPoint point);

    virtual bool isParametric() const { return false; }
    virtual bool is3D() const { return false; }

    // Settings only some renderers take; the others ignore them.
    virtual void setDrawMode(int /*mode*/) {}
    virtual void setDivisions3D(int /*divisions*/) {}
    virtual void setTStart(double /*start*/, double /*length*/) {}
    virtual void setSStart(double /*start*/, double /*length*/) {}
    // Colour by height, used from the next compile by the surface renderers.
    void setHeightColoring(const graphHeightColoring &coloring) { heightColoring = coloring; }
    // The lowest and highest z a surface renderer draws at the current bounds, k and
    // settings; false for renderers that draw no surface or nothing finite.
    virtual bool heightRange(float * /*low*/, float * /*high*/) { return false; }
    virtual void setThetaStart(double /*start*/, double /*length*/) {}
    virtual bool isPolar() const { return false; }

    // What goes under every curve of the scene (shaded regions); drawn before render.
    virtual void renderUnder() {}

    const grEquation *getEquation() const { return equation; }
    double getK() const { return kValue; }
    graphRect getBounds() const { return bounds; }
    unsigned getCompileList() const { return compileList; }
    // The display list renderUnder draws; 0 when there is none.
    virtual unsigned getUnderList() const { return 0; }

protected:
    // The subclass's defaults, run once by initWithEquation before the first recompute.
    virtual void init() {}

    graphDraw &draw;
    grEquation *equation = nullptr;
    grCompiledExp compiledX, compiledY, compiledZ;
    double kValue = 0.0;
    unsigned compileList = 0;
    graphRect bounds;
    graphHeightColoring heightColoring;
};

// The answer of a distance query whose evaluation failed.
inline constexpr double graphFarAway = 1.7976931348623157e+308;
