#include "render/graphRender.h"

graphRender::graphRender(graphDraw &draw) : draw(draw) {}

graphRender::~graphRender() {
    if (compileList != 0) draw.deleteList(compileList);
    if (equation != nullptr) grFreeEquation(equation);
}

void graphRender::setBounds(graphRect newBounds) {
    bounds = newBounds;
    recompute();
}

void graphRender::initWithEquation(grEquation *newEquation) {
    if (compileList == 0) compileList = draw.genList();
    if (equation != nullptr) grFreeEquation(equation);
    equation = newEquation;
    compiledX.compile(equation != nullptr ? equation->x : nullptr);
    compiledY.compile(equation != nullptr ? equation->y : nullptr);
    compiledZ.compile(equation != nullptr ? equation->z : nullptr);
    init();
    recompute();
}

void graphRender::setK(double k) {
    kValue = k;
    recompute();
}

void graphRender::compileWithBounds(graphRect, graphRect, const QColor &) {}

void graphRender::recompute() {}

void graphRender::render() {
    draw.callList(compileList);
}

double graphRender::distanceFromCurveAtPoint(graphPoint) {
    return graphFarAway;
}

graphPoint graphRender::bestPointForPoint(graphPoint, double) {
    return {0.0f, 0.0f};
}

double graphRender::derivAtPoint(graphPoint) {
    return 0.0;
}
