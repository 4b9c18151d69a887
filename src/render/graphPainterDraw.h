// The drawing interface on a QPainter, for 2D scenes: anti-aliased images without OpenGL,
// and SVG and PDF documents whose curves are paths and whose labels are text.
//
// Graph coordinates reach the device through the last ortho (or the identity's -1..1)
// over the viewport, y up. Each begin/end block becomes one painter path (line strips,
// line pairs), a set of dots or filled polygons; text is drawn in the outline font the
// bitmap label fonts come from. Display lists are kept as recorded calls and replayed.
// Lighting, depth, normals and the 3D camera calls are accepted and ignored: 3D scenes
// are drawn with OpenGL. Pixel read-backs answer zeros.
#pragma once

#include "render/graphRecordingDraw.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>

#include <optional>
#include <vector>

class QPainter;

class graphPainterDraw : public graphDraw {
public:
    // Draws on painter, whose device is width x height pixels (or points).
    graphPainterDraw(QPainter &painter, int width, int height);

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
    QPointF toDevice(double x, double y) const;
    bool isOn(graphCapability capability) const;
    void paintBlock();
    const QFont &fontFor(graphFont font) const;

    QPainter &painter;
    int deviceWidth, deviceHeight;
    // Display lists are recorded and replayed through this object.
    graphRecordingDraw lists;
    unsigned compiling = 0;

    QColor current{Qt::white};
    float currentPointSize = 1.0f, currentLineWidth = 1.0f;
    uint32_t capabilities = 0;
    int stippleFactor = 1;
    uint16_t stipplePattern = 0xFFFF;
    double left = -1.0, right = 1.0, bottom = -1.0, top = 1.0;
    int viewX = 0, viewY = 0, viewWidth, viewHeight;

    bool inBlock = false;
    graphPrimitive primitive = graphPrimitive::points;
    std::vector<QPointF> points;
    mutable std::optional<QFont> fixedFont, sansFont;
};
