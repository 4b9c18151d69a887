// The drawing interface on OpenGL 1.x and GLU: each call is forwarded to its GL
// counterpart in the context current on the calling thread.
#pragma once

#include "render/graphDraw.h"

class graphGLDraw : public graphDraw {
public:
    void prepareState() override;
    unsigned genList() override;
    void deleteList(unsigned list) override;
    void newList(unsigned list) override;
    void endList() override;
    void callList(unsigned list) override;
    void begin(graphPrimitive primitive) override;
    void end() override;
    void vertex(float x, float y) override;
    void vertex(float x, float y, float z) override;
    void vertices(graphPrimitive primitive, const float *xy, int count) override;
    void normal(float x, float y, float z) override;
    void color(float red, float green, float blue, float alpha) override;
    void material(graphMaterial parameter, const float value[4]) override;
    void pointSize(float size) override;
    void lineWidth(float width) override;
    void enable(graphCapability capability) override;
    void disable(graphCapability capability) override;
    void viewport(int x, int y, int width, int height) override;
    void clear(float red, float green, float blue, float alpha) override;
    void loadProjectionIdentity() override;
    void loadModelViewIdentity() override;
    void ortho(double left, double right, double bottom, double top, double nearZ,
               double farZ) override;
    void perspective(double fovY, double aspect, double nearZ, double farZ) override;
    void lookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
                double centerZ, double upX, double upY, double upZ) override;
    void rotate(double degrees, double x, double y, double z) override;
    void translate(double x, double y, double z) override;
    void scaleAxes(double x, double y, double z) override;
    void pushMatrix() override;
    void popMatrix() override;
    void lightColor(const float ambient[4], const float diffuse[4]) override;
    void lineStipple(int factor, uint16_t pattern) override;
    void text(double x, double y, double z, std::string_view text, graphFont font) override;
    void flush() override;
    void readPixels(int width, int height, graphPixelFormat format, int packAlignment,
                    uint8_t *destination) override;
};
