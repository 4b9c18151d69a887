// A drawing interface that lets renderers be compiled on one thread and drawn on another.
//
// Until handOver, every call is recorded in memory (a graphRecordingDraw of its own), so a
// worker thread can make and compile renderers without any GL context. handOver, on the
// thread that owns the real drawing interface, compiles each recorded display list into a
// list of the target and forwards every later call there. The renderers keep the list
// names this draw gave them; it translates them to the target's names, so a renderer
// made on the worker recompiles and draws on the target like one made there.
//
// Threads: the draw belongs to one thread at a time, never two at once: the worker until
// its last renderer call, then (after the hand-over of the results, which orders the two)
// the thread that calls handOver and keeps it from there on.
#pragma once

#include "render/graphRecordingDraw.h"

#include <map>
#include <memory>

class graphHandOverDraw final : public graphDraw {
public:
    graphHandOverDraw();
    ~graphHandOverDraw() override;

    // Makes every live recorded list on target and sends all later calls there. target
    // must outlive this draw and everything drawing through it; a second call is ignored.
    void handOver(graphDraw &target);
    bool handedOver() const { return target != nullptr; }
    // The calls recorded so far (before handOver), for tests.
    const graphRecordingDraw &recording() const { return *recorder; }

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
    graphTextSize textSize(std::string_view text, graphFont font) const override;
    void flush() override;
    void readPixels(int width, int height, graphPixelFormat format, int packAlignment,
                    uint8_t *destination) override;

private:
    // Where calls go now: the recorder before the hand-over, the target after it.
    graphDraw &current() const { return target != nullptr ? *target : *recorder; }
    // The current drawing interface's name for one of ours (0 for an unknown one).
    unsigned mapped(unsigned list) const;

    std::unique_ptr<graphRecordingDraw> recorder;
    graphDraw *target = nullptr;
    std::map<unsigned, unsigned> names;  // our list name -> the current draw's
    unsigned nextName = 1;
};
