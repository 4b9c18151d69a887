// The narrow drawing interface through which renderers and the graph view draw.
//
// It mirrors the OpenGL 1.x calls the graph code needs: display lists, immediate-mode
// primitives, colour and material state, matrices, bitmap text and pixel read-back.
// graphGLDraw forwards every call to OpenGL; graphRecordingDraw keeps the calls in memory
// for tests and geometry dumps; graphPainterDraw paints 2D scenes on a QPainter (images,
// SVG, PDF). Calls made between newList and endList go into the list.
#pragma once

#include <cstdint>
#include <string_view>

enum class graphPrimitive : uint8_t { points, lines, lineStrip, triangles, triangleStrip };

enum class graphCapability : uint8_t {
    blend,
    lineSmooth,
    pointSmooth,
    lineStipple,
    lighting,
    light0,
    depthTest,
};

// Material parameters of glMaterial, always applied to front and back faces.
enum class graphMaterial : uint8_t { ambient, diffuse, specular, shininess };

// The two bitmap fonts of graph labels: a fixed 9 x 15 cell font for axis names and a
// small proportional sans for numbers and captions.
enum class graphFont : uint8_t { fixed9By15, sans10 };

enum class graphPixelFormat : uint8_t { rgba, red, green, blue };

// The size of a piece of text in pixels: its advance and the font's line height.
struct graphTextSize {
    float width = 0.0f, height = 0.0f;
};

class graphDraw {
public:
    virtual ~graphDraw() = default;

    // One-time state of a fresh context: blending, smoothing, point size 7, colour
    // material on both faces' ambient and diffuse colour, two-sided lighting, pack
    // alignment 1, stipple 0x0F0F, fonts.
    virtual void prepareState() = 0;

    // Display lists. genList answers a new list name (never 0 on success).
    virtual unsigned genList() = 0;
    virtual void deleteList(unsigned list) = 0;
    virtual void newList(unsigned list) = 0;
    virtual void endList() = 0;
    virtual void callList(unsigned list) = 0;

    // Primitives and per-vertex state.
    virtual void begin(graphPrimitive primitive) = 0;
    virtual void end() = 0;
    virtual void vertex(float x, float y) = 0;
    virtual void vertex(float x, float y, float z) = 0;
    // A whole begin/end block of count 2D vertices, xy holding x0, y0, x1, y1, ...;
    // the same as begin, count vertex calls and end, in a single call.
    virtual void vertices(graphPrimitive primitive, const float *xy, int count) = 0;
    virtual void normal(float x, float y, float z) = 0;
    virtual void color(float red, float green, float blue, float alpha) = 0;
    virtual void material(graphMaterial parameter, const float value[4]) = 0;
    virtual void pointSize(float size) = 0;
    virtual void lineWidth(float width) = 0;
    virtual void enable(graphCapability capability) = 0;
    virtual void disable(graphCapability capability) = 0;

    // Frame and camera.
    virtual void viewport(int x, int y, int width, int height) = 0;
    virtual void clear(float red, float green, float blue, float alpha) = 0;
    virtual void loadProjectionIdentity() = 0;
    virtual void loadModelViewIdentity() = 0;
    virtual void ortho(double left, double right, double bottom, double top, double nearZ,
                       double farZ) = 0;
    virtual void perspective(double fovY, double aspect, double nearZ, double farZ) = 0;
    virtual void lookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
                        double centerZ, double upX, double upY, double upZ) = 0;
    virtual void rotate(double degrees, double x, double y, double z) = 0;
    virtual void translate(double x, double y, double z) = 0;
    // Stretches the current coordinates along each axis (glScale); normals are
    // renormalised, so lighting stays right.
    virtual void scaleAxes(double x, double y, double z) = 0;
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void lightColor(const float ambient[4], const float diffuse[4]) = 0;
    virtual void lineStipple(int factor, uint16_t pattern) = 0;

    // Bitmap text with its raster position at (x, y, z) in the current coordinates.
    virtual void text(double x, double y, double z, std::string_view text, graphFont font) = 0;
    // What text would cover when drawn; by default measured in the bitmap label fonts.
    virtual graphTextSize textSize(std::string_view text, graphFont font) const;

    virtual void flush() = 0;

    // Reads width x height pixels from the lower-left corner, bottom row first, each row
    // padded to packAlignment bytes.
    virtual void readPixels(int width, int height, graphPixelFormat format, int packAlignment,
                            uint8_t *destination) = 0;

    // Pixels per nominal pixel for output at print sizes: line widths, point sizes and
    // text are multiplied by it. 1 unless set before prepareState.
    void setScale(float newScale) { drawScale = newScale; }
    float scale() const { return drawScale; }

private:
    float drawScale = 1.0f;
};
