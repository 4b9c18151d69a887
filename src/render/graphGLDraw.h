// The drawing interface on OpenGL 1.x and GLU: each call outside a list is forwarded to
// its GL counterpart in the context current on the calling thread.
//
// Lists are not OpenGL display lists: the calls between newList and endList are kept by a
// graphGLList, whose vertices endList uploads into one buffer object (GL 1.5) of the
// current context, and callList replays the kept calls there, drawing each block with
// glDrawArrays. Mesa compiles a display list at about 95 ns per vertex, allocating and
// hashing as it goes (vertex arrays inside a list are split back into single vertices):
// 7.6 ms of the 8.7 ms that a shaded 200 x 200 surface took, and 1.05 of the 1.65 ms of
// ten 1201-point curves, where the same vertices take under 0.05 ms to upload. Lists
// still replay in call order, nested lists are looked up when called (at most 64 deep,
// as in OpenGL), and a list belongs to the context that was current at endList.
#pragma once

#include "render/graphDraw.h"
#include "render/graphGLList.h"

#include <initializer_list>
#include <memory>
#include <unordered_map>

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

private:
    // Keeps a call in the open list; false (nothing kept) when no list is open.
    bool kept(graphDrawCall call, int code = 0, std::initializer_list<double> args = {},
              std::string_view text = {});

    std::unordered_map<unsigned, graphGLList> lists;
    std::unique_ptr<graphGLList> compiling;
    unsigned compilingName = 0;
    unsigned nextList = 1;
    int callDepth = 0;
};
