#include "render/graphGLDraw.h"

#include "platform/graphBitmapFont.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

GLenum glPrimitive(graphPrimitive primitive) {
    switch (primitive) {
        case graphPrimitive::points: return GL_POINTS;
        case graphPrimitive::lines: return GL_LINES;
        case graphPrimitive::lineStrip: return GL_LINE_STRIP;
        case graphPrimitive::triangles: return GL_TRIANGLES;
        case graphPrimitive::triangleStrip: return GL_TRIANGLE_STRIP;
    }
    return GL_POINTS;
}

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

unsigned graphGLDraw::genList() {
    return glGenLists(1);
}

void graphGLDraw::deleteList(unsigned list) {
    glDeleteLists(list, 1);
}

void graphGLDraw::newList(unsigned list) {
    glNewList(list, GL_COMPILE);
}

void graphGLDraw::endList() {
    glEndList();
}

void graphGLDraw::callList(unsigned list) {
    glCallList(list);
}

void graphGLDraw::begin(graphPrimitive primitive) {
    glBegin(glPrimitive(primitive));
}

void graphGLDraw::end() {
    glEnd();
}

void graphGLDraw::vertex(float x, float y) {
    glVertex2f(x, y);
}

void graphGLDraw::vertex(float x, float y, float z) {
    glVertex3f(x, y, z);
}

void graphGLDraw::vertices(graphPrimitive primitive, const float *xy, int count) {
    // Inside a display list the array is copied when the call is compiled; Mesa stores
    // it as one block instead of a call per vertex.
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, xy);
    glDrawArrays(glPrimitive(primitive), 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void graphGLDraw::normal(float x, float y, float z) {
    glNormal3f(x, y, z);
}

void graphGLDraw::color(float red, float green, float blue, float alpha) {
    glColor4f(red, green, blue, alpha);
}

void graphGLDraw::material(graphMaterial parameter, const float value[4]) {
    if (parameter == graphMaterial::shininess)
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, value[0]);
    else
        glMaterialfv(GL_FRONT_AND_BACK, glMaterialParameter(parameter), value);
}

void graphGLDraw::pointSize(float size) {
    glPointSize(size * scale());
}

void graphGLDraw::lineWidth(float width) {
    glLineWidth(width * scale());
}

void graphGLDraw::enable(graphCapability capability) {
    glEnable(glCapability(capability));
}

void graphGLDraw::disable(graphCapability capability) {
    glDisable(glCapability(capability));
}

void graphGLDraw::viewport(int x, int y, int width, int height) {
    glViewport(x, y, width, height);
}

void graphGLDraw::clear(float red, float green, float blue, float alpha) {
    glClearColor(red, green, blue, alpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void graphGLDraw::loadProjectionIdentity() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
}

void graphGLDraw::loadModelViewIdentity() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void graphGLDraw::ortho(double left, double right, double bottom, double top, double nearZ,
                        double farZ) {
    glOrtho(left, right, bottom, top, nearZ, farZ);
}

void graphGLDraw::perspective(double fovY, double aspect, double nearZ, double farZ) {
    gluPerspective(fovY, aspect, nearZ, farZ);
}

void graphGLDraw::lookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
                         double centerZ, double upX, double upY, double upZ) {
    gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

void graphGLDraw::rotate(double degrees, double x, double y, double z) {
    glRotated(degrees, x, y, z);
}

void graphGLDraw::translate(double x, double y, double z) {
    glTranslated(x, y, z);
}

void graphGLDraw::scaleAxes(double x, double y, double z) {
    glScaled(x, y, z);
}

void graphGLDraw::pushMatrix() {
    glPushMatrix();
}

void graphGLDraw::popMatrix() {
    glPopMatrix();
}

void graphGLDraw::lightColor(const float ambient[4], const float diffuse[4]) {
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void graphGLDraw::lineStipple(int factor, uint16_t pattern) {
    glLineStipple(factor, pattern);
}

void graphGLDraw::text(double x, double y, double z, std::string_view text, graphFont font) {
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
