#include "render/graphGLDraw.h"

#include "platform/graphBitmapFont.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

GLenum glCapability(graphCapability capability) {
    switch (capability) {
        case graphCapability::blend: return GL_BLEND;
        case graphCapability::lineSmooth: return GL_LINE_SMOOTH;
        case graphCapability::pointSmooth: return GL_POINT_SMOOTH;
        case graphCapability::lineStipple: return GL_LINE_STIPPLE;
        case graphCapability::lighting: return GL_LIGHTING;
        case graphCapability::light0: return GL_LIGHT0;
        case graphCapability::depthTest: return GL_DEPTH_TEST;
    }
    return GL_BLEND;
}

GLenum glMaterialParameter(graphMaterial parameter) {
    switch (parameter) {
        case graphMaterial::ambient: return GL_AMBIENT;
        case graphMaterial::diffuse: return GL_DIFFUSE;
        case graphMaterial::specular: return GL_SPECULAR;
        case graphMaterial::shininess: return GL_SHININESS;
    }
    return GL_AMBIENT;
}

GLenum glPixelFormat(graphPixelFormat format) {
    switch (format) {
        case graphPixelFormat::rgba: return GL_RGBA;
        case graphPixelFormat::red: return GL_RED;
        case graphPixelFormat::green: return GL_GREEN;
        case graphPixelFormat::blue: return GL_BLUE;
    }
    return GL_RGBA;
}

}  // namespace

void graphGLDraw::prepareState() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glPointSize(7.0f * scale());
    glLineWidth(scale());
    glShadeModel(GL_SMOOTH);
    glEnable(GL_NORMALIZE);
    // The current colour is both faces' ambient and diffuse colour, so a surface can take
    // a colour per vertex (colour by height) and lit faces keep their hue in the shade.
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    // Faces seen from behind are lit with the back material and a flipped normal, so a
    // surface shows its colour whichever way its parametrisation's normals face.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glLineStipple(1, 0x0F0F);
    loadGraphFonts(scale());
}

bool graphGLDraw::kept(graphDrawCall call, int code, std::initializer_list<double> args,
                       std::string_view text) {
    if (!compiling) return false;
    graphDrawOp op{call, code, {}, std::string(text)};
    size_t i = 0;
    for (double a : args) op.args[i++] = a;
    compiling->record(std::move(op));
    return true;
}

unsigned graphGLDraw::genList() {
    while (nextList == 0 || lists.count(nextList) != 0 || (compiling && nextList == compilingName))
        ++nextList;
    return nextList++;
}

void graphGLDraw::deleteList(unsigned list) {
    auto found = lists.find(list);
    if (found == lists.end()) return;
    found->second.release();
    lists.erase(found);
}

void graphGLDraw::newList(unsigned list) {
    // As in OpenGL, a list cannot be opened inside another or under the name 0.
    if (compiling || list == 0) return;
    compiling = std::make_unique<graphGLList>();
    compilingName = list;
}

void graphGLDraw::endList() {
    if (!compiling) return;
    compiling->upload();
    auto found = lists.find(compilingName);
    if (found != lists.end()) {
        found->second.release();
        found->second = std::move(*compiling);
    } else {
        lists.emplace(compilingName, std::move(*compiling));
    }
    compiling.reset();
    compilingName = 0;
}

void graphGLDraw::callList(unsigned list) {
    if (kept(graphDrawCall::callList, static_cast<int>(list))) return;
    // OpenGL's nesting limit, which also ends a list that calls itself.
    constexpr int maxDepth = 64;
    auto found = lists.find(list);
    if (found == lists.end() || callDepth >= maxDepth) return;
    ++callDepth;
    found->second.replay(*this);
    --callDepth;
}

void graphGLDraw::begin(graphPrimitive primitive) {
    if (compiling)
        compiling->begin(primitive);
    else
        glBegin(graphGLPrimitive(primitive));
}

void graphGLDraw::end() {
    if (compiling)
        compiling->end();
    else
        glEnd();
}

void graphGLDraw::vertex(float x, float y) {
    if (compiling)
        compiling->vertex(x, y);
    else
        glVertex2f(x, y);
}

void graphGLDraw::vertex(float x, float y, float z) {
    if (compiling)
        compiling->vertex(x, y, z);
    else
        glVertex3f(x, y, z);
}

void graphGLDraw::vertices(graphPrimitive primitive, const float *xy, int count) {
    if (compiling) {
        compiling->vertices(primitive, xy, count);
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, xy);
    glDrawArrays(graphGLPrimitive(primitive), 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void graphGLDraw::normal(float x, float y, float z) {
    if (compiling)
        compiling->normal(x, y, z);
    else
        glNormal3f(x, y, z);
}

void graphGLDraw::color(float red, float green, float blue, float alpha) {
    if (compiling)
        compiling->color(red, green, blue, alpha);
    else
        glColor4f(red, green, blue, alpha);
}

void graphGLDraw::material(graphMaterial parameter, const float value[4]) {
    if (kept(graphDrawCall::material, static_cast<int>(parameter),
             {value[0], value[1], value[2], value[3]}))
        return;
    if (parameter == graphMaterial::shininess)
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, value[0]);
    else
        glMaterialfv(GL_FRONT_AND_BACK, glMaterialParameter(parameter), value);
}

void graphGLDraw::pointSize(float size) {
    if (kept(graphDrawCall::pointSize, 0, {size})) return;
    glPointSize(size * scale());
}

void graphGLDraw::lineWidth(float width) {
    if (kept(graphDrawCall::lineWidth, 0, {width})) return;
    glLineWidth(width * scale());
}

void graphGLDraw::enable(graphCapability capability) {
    if (kept(graphDrawCall::enable, static_cast<int>(capability))) return;
    glEnable(glCapability(capability));
}

void graphGLDraw::disable(graphCapability capability) {
    if (kept(graphDrawCall::disable, static_cast<int>(capability))) return;
    glDisable(glCapability(capability));
}

void graphGLDraw::viewport(int x, int y, int width, int height) {
    if (kept(graphDrawCall::viewport, 0, {double(x), double(y), double(width), double(height)}))
        return;
    glViewport(x, y, width, height);
}

void graphGLDraw::clear(float red, float green, float blue, float alpha) {
    if (kept(graphDrawCall::clear, 0, {red, green, blue, alpha})) return;
    glClearColor(red, green, blue, alpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void graphGLDraw::loadProjectionIdentity() {
    if (kept(graphDrawCall::loadProjectionIdentity)) return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void graphGLDraw::loadModelViewIdentity() {
    if (kept(graphDrawCall::loadModelViewIdentity)) return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void graphGLDraw::ortho(double left, double right, double bottom, double top, double nearZ,
                        double farZ) {
    if (kept(graphDrawCall::ortho, 0, {left, right, bottom, top, nearZ, farZ})) return;
    glOrtho(left, right, bottom, top, nearZ, farZ);
}

void graphGLDraw::perspective(double fovY, double aspect, double nearZ, double farZ) {
    if (kept(graphDrawCall::perspective, 0, {fovY, aspect, nearZ, farZ})) return;
    gluPerspective(fovY, aspect, nearZ, farZ);
}

void graphGLDraw::lookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
                         double centerZ, double upX, double upY, double upZ) {
    if (kept(graphDrawCall::lookAt, 0,
             {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ}))
        return;
    gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

void graphGLDraw::rotate(double degrees, double x, double y, double z) {
    if (kept(graphDrawCall::rotate, 0, {degrees, x, y, z})) return;
    glRotated(degrees, x, y, z);
}

void graphGLDraw::translate(double x, double y, double z) {
    if (kept(graphDrawCall::translate, 0, {x, y, z})) return;
    glTranslated(x, y, z);
}

void graphGLDraw::scaleAxes(double x, double y, double z) {
    if (kept(graphDrawCall::scaleAxes, 0, {x, y, z})) return;
    glScaled(x, y, z);
}

void graphGLDraw::pushMatrix() {
    if (kept(graphDrawCall::pushMatrix)) return;
    glPushMatrix();
}

void graphGLDraw::popMatrix() {
    if (kept(graphDrawCall::popMatrix)) return;
    glPopMatrix();
}

void graphGLDraw::lightColor(const float ambient[4], const float diffuse[4]) {
    if (kept(graphDrawCall::lightColor, 0,
             {ambient[0], ambient[1], ambient[2], ambient[3], diffuse[0], diffuse[1], diffuse[2],
              diffuse[3]}))
        return;
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void graphGLDraw::lineStipple(int factor, uint16_t pattern) {
    if (kept(graphDrawCall::lineStipple, factor, {double(pattern)})) return;
    glLineStipple(factor, pattern);
}

void graphGLDraw::text(double x, double y, double z, std::string_view text, graphFont font) {
    if (kept(graphDrawCall::text, static_cast<int>(font), {x, y, z}, text)) return;
    const graphBitmapFont &bitmaps =
        font == graphFont::fixed9By15 ? graphFixed9By15Font() : graphSans10Font();
    renderGLText(x, y, z, text, bitmaps);
}

void graphGLDraw::flush() {
    glFlush();
}

void graphGLDraw::readPixels(int width, int height, graphPixelFormat format, int packAlignment,
                             uint8_t *destination) {
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glReadPixels(0, 0, width, height, glPixelFormat(format), GL_UNSIGNED_BYTE, destination);
}
