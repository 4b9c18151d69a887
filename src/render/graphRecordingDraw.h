// A drawing interface that keeps every call in memory instead of drawing.
//
// Calls outside a display list go to ops(); calls between newList and endList go to that
// list, and callList records the call without replaying it. Tests read the recorded calls
// back, usually through strips() and texts().
#pragma once

#include "render/graphDraw.h"

#include <array>
#include <map>
#include <string>
#include <vector>

enum class graphDrawCall : uint8_t {
    prepareState,
    deleteList,
    newList,
    endList,
    callList,
    begin,
    end,
    vertex2,
    vertex3,
    normal,
    color,
    material,
    pointSize,
    lineWidth,
    enable,
    disable,
    viewport,
    clear,
    loadProjectionIdentity,
    loadModelViewIdentity,
    ortho,
    perspective,
    lookAt,
    rotate,
    translate,
    pushMatrix,
    popMatrix,
    lightColor,
    lineStipple,
    text,
    flush,
    readPixels,
    scaleAxes,
};

struct graphDrawOp {
    graphDrawCall call;
    int code = 0;  // primitive, capability, material, font, format or list name
    std::array<double, 9> args{};
    std::string text;
};

// One begin/end block with its vertices, as (x, y, z).
struct graphDrawStrip {
    graphPrimitive primitive;
    std::vector<std::array<float, 3>> vertices;
};

// A piece of text with its raster position and the colour current when it was drawn.
struct graphDrawText {
    double x, y, z;
    std::string text;
    graphFont font;
    std::array<float, 4> color;
};

// Makes one recorded state call (normal, colour, material, sizes, capabilities, matrices,
// lights, stipple, text, viewport, clear) again on target; other calls are ignored.
void graphReplayState(const graphDrawOp &op, graphDraw &target);

class graphRecordingDraw : public graphDraw {
public:
    const std::vector<graphDrawOp> &ops() const { return mainOps; }
    // The calls compiled into a list; empty for an unknown or deleted list.
    const std::vector<graphDrawOp> &list(unsigned name) const;
    bool listExists(unsigned name) const { return lists.count(name) != 0; }
    size_t liveListCount() const { return lists.size(); }
    void clearOps() { mainOps.clear(); }

    // Every begin/end block of a call sequence, in order. An unclosed block is included.
    static std::vector<graphDrawStrip> strips(const std::vector<graphDrawOp> &ops);
    static std::vector<graphDrawText> texts(const std::vector<graphDrawOp> &ops);
    // Whether a begin is still open at the end of the sequence.
    static bool endsInsideBlock(const std::vector<graphDrawOp> &ops);
    // Makes every recorded call again on target, in order; a callList replays that list
    // from this recorder. Pixel read-backs are not repeated.
    void replay(const std::vector<graphDrawOp> &ops, graphDraw &target) const;

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
    void record(graphDrawCall call, int code = 0, std::initializer_list<double> args = {},
                std::string text = {});

    std::vector<graphDrawOp> mainOps;
    std::map<unsigned, std::vector<graphDrawOp>> lists;
    unsigned nextList = 1;
    unsigned compiling = 0;  // the list being compiled, 0 when none
};
