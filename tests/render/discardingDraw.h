// A drawing interface that keeps list names and drops every drawing call, so that what a
// renderer costs or allocates can be measured without the drawing itself.
#pragma once

#include "render/graphRecordingDraw.h"

class discardingDraw : public graphRecordingDraw {
public:
    void begin(graphPrimitive) override {}
    void end() override {}
    void vertex(float, float, float) override {}
    void normal(float, float, float) override {}
    void color(float, float, float, float) override {}
    void material(graphMaterial, const float[4]) override {}
    void pointSize(float) override {}
    void enable(graphCapability) override {}
    void disable(graphCapability) override {}
};
