#include "render/graphHandOverDraw.h"

graphHandOverDraw::graphHandOverDraw() : recorder(std::make_unique<graphRecordingDraw>()) {}

// Lists still alive belong to the target; whoever drew through this draw deleted theirs.
graphHandOverDraw::~graphHandOverDraw() = default;

void graphHandOverDraw::handOver(graphDraw &newTarget) {
    if (target != nullptr) return;
    for (auto &[ours, recorded] : names) {
        const unsigned made = newTarget.genList();
        newTarget.newList(made);
        recorder->replay(recorder->list(recorded), newTarget);
        newTarget.endList();
        recorded = made;
    }
    target = &newTarget;
    setScale(newTarget.scale());
    recorder.reset();  // the recorded lists can be large
}

unsigned graphHandOverDraw::mapped(unsigned list) const {
    const auto found = names.find(list);
    return found != names.end() ? found->second : 0;
}

unsigned graphHandOverDraw::genList() {
    const unsigned made = current().genList();
    if (made == 0) return 0;
    const unsigned ours = nextName++;
    names[ours] = made;
    return ours;
}

void graphHandOverDraw::deleteList(unsigned list) {
    const auto found = names.find(list);
    if (found == names.end()) return;
    current().deleteList(found->second);
    names.erase(found);
}

void graphHandOverDraw::newList(unsigned list) {
    current().newList(mapped(list));
}

void graphHandOverDraw::endList() {
    current().endList();
}

void graphHandOverDraw::callList(unsigned list) {
    if (const unsigned name = mapped(list); name != 0) current().callList(name);
}

void graphHandOverDraw::prepareState() {
    current().prepareState();
}
void graphHandOverDraw::begin(graphPrimitive primitive) {
    current().begin(primitive);
}
void graphHandOverDraw::end() {
    current().end();
}
void graphHandOverDraw::vertex(float x, float y) {
    current().vertex(x, y);
}
void graphHandOverDraw::vertex(float x, float y, float z) {
    current().vertex(x, y, z);
}
void graphHandOverDraw::vertices(graphPrimitive primitive, const float *xy, int count) {
    current().vertices(primitive, xy, count);
}
void graphHandOverDraw::normal(float x, float y, float z) {
    current().normal(x, y, z);
}
void graphHandOverDraw::color(float red, float green, float blue, float alpha) {
    current().color(red, green, blue, alpha);
}
void graphHandOverDraw::material(graphMaterial parameter, const float value[4]) {
    current().material(parameter, value);
}
void graphHandOverDraw::pointSize(float size) {
    current().pointSize(size);
}
void graphHandOverDraw::lineWidth(float width) {
    current().lineWidth(width);
}
void graphHandOverDraw::enable(graphCapability capability) {
    current().enable(capability);
}
void graphHandOverDraw::disable(graphCapability capability) {
    current().disable(capability);
}
void graphHandOverDraw::viewport(int x, int y, int width, int height) {
    current().viewport(x, y, width, height);
}
void graphHandOverDraw::clear(float red, float green, float blue, float alpha) {
    current().clear(red, green, blue, alpha);
}
void graphHandOverDraw::loadProjectionIdentity() {
    current().loadProjectionIdentity();
}
void graphHandOverDraw::loadModelViewIdentity() {
    current().loadModelViewIdentity();
}
void graphHandOverDraw::ortho(double left, double right, double bottom, double top, double nearZ,
                              double farZ) {
    current().ortho(left, right, bottom, top, nearZ, farZ);
}
void graphHandOverDraw::perspective(double fovY, double aspect, double nearZ, double farZ) {
    current().perspective(fovY, aspect, nearZ, farZ);
}
void graphHandOverDraw::lookAt(double eyeX, double eyeY, double eyeZ, double centerX,
                               double centerY, double centerZ, double upX, double upY, double upZ) {
    current().lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}
void graphHandOverDraw::rotate(double degrees, double x, double y, double z) {
    current().rotate(degrees, x, y, z);
}
void graphHandOverDraw::translate(double x, double y, double z) {
    current().translate(x, y, z);
}
void graphHandOverDraw::scaleAxes(double x, double y, double z) {
    current().scaleAxes(x, y, z);
}
void graphHandOverDraw::pushMatrix() {
    current().pushMatrix();
}
void graphHandOverDraw::popMatrix() {
    current().popMatrix();
}
void graphHandOverDraw::lightColor(const float ambient[4], const float diffuse[4]) {
    current().lightColor(ambient, diffuse);
}
void graphHandOverDraw::lineStipple(int factor, uint16_t pattern) {
    current().lineStipple(factor, pattern);
}
void graphHandOverDraw::text(double x, double y, double z, std::string_view text, graphFont font) {
    current().text(x, y, z, text, font);
}
graphTextSize graphHandOverDraw::textSize(std::string_view text, graphFont font) const {
    return current().textSize(text, font);
}
void graphHandOverDraw::flush() {
    current().flush();
}
void graphHandOverDraw::readPixels(int width, int height, graphPixelFormat format,
                                   int packAlignment, uint8_t *destination) {
    current().readPixels(width, height, format, packAlignment, destination);
}
