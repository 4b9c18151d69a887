#include "render/graphRecordingDraw.h"

#include <cstring>

const std::vector<graphDrawOp> &graphRecordingDraw::list(unsigned name) const {
    static const std::vector<graphDrawOp> empty;
    auto found = lists.find(name);
    return found == lists.end() ? empty : found->second;
}

std::vector<graphDrawStrip> graphRecordingDraw::strips(const std::vector<graphDrawOp> &ops) {
    std::vector<graphDrawStrip> result;
    bool open = false;
    for (const graphDrawOp &op : ops) {
        switch (op.call) {
            case graphDrawCall::begin:
                result.push_back({static_cast<graphPrimitive>(op.code), {}});
                open = true;
                break;
            case graphDrawCall::end: open = false; break;
            case graphDrawCall::vertex2:
            case graphDrawCall::vertex3:
                if (open)
                    result.back().vertices.push_back({static_cast<float>(op.args[0]),
                                                      static_cast<float>(op.args[1]),
                                                      static_cast<float>(op.args[2])});
                break;
            default: break;
        }
    }
    return result;
}

std::vector<graphDrawText> graphRecordingDraw::texts(const std::vector<graphDrawOp> &ops) {
    std::vector<graphDrawText> result;
    std::array<float, 4> current{1.0f, 1.0f, 1.0f, 1.0f};
    for (const graphDrawOp &op : ops) {
        if (op.call == graphDrawCall::color)
            current = {static_cast<float>(op.args[0]), static_cast<float>(op.args[1]),
                       static_cast<float>(op.args[2]), static_cast<float>(op.args[3])};
        else if (op.call == graphDrawCall::text)
            result.push_back({op.args[0], op.args[1], op.args[2], op.text,
                              static_cast<graphFont>(op.code), current});
    }
    return result;
}

bool graphRecordingDraw::endsInsideBlock(const std::vector<graphDrawOp> &ops) {
    bool open = false;
    for (const graphDrawOp &op : ops) {
        if (op.call == graphDrawCall::begin)
            open = true;
        else if (op.call == graphDrawCall::end)
            open = false;
    }
    return open;
}

void graphRecordingDraw::record(graphDrawCall call, int code, std::initializer_list<double> args,
                                std::string text) {
    graphDrawOp op{call, code, {}, std::move(text)};
    size_t i = 0;
    for (double a : args) op.args[i++] = a;
    if (compiling != 0)
        lists[compiling].push_back(std::move(op));
    else
        mainOps.push_back(std::move(op));
}

void graphRecordingDraw::prepareState() {
    record(graphDrawCall::prepareState);
}

unsigned graphRecordingDraw::genList() {
    unsigned name = nextList++;
    lists[name];
    return name;
}

void graphRecordingDraw::deleteList(unsigned list) {
    lists.erase(list);
    record(graphDrawCall::deleteList, static_cast<int>(list));
}

void graphRecordingDraw::newList(unsigned list) {
    lists[list].clear();
    compiling = list;
}

void graphRecordingDraw::endList() {
    compiling = 0;
}

void graphRecordingDraw::callList(unsigned list) {
    record(graphDrawCall::callList, static_cast<int>(list));
}

void graphRecordingDraw::begin(graphPrimitive primitive) {
    record(graphDrawCall::begin, static_cast<int>(primitive));
}

void graphRecordingDraw::end() {
    record(graphDrawCall::end);
}

void graphRecordingDraw::vertex(float x, float y) {
    record(graphDrawCall::vertex2, 0, {x, y, 0.0});
}

void graphRecordingDraw::vertex(float x, float y, float z) {
    record(graphDrawCall::vertex3, 0, {x, y, z});
}

void graphRecordingDraw::vertices(graphPrimitive primitive, const float *xy, int count) {
    begin(primitive);
    for (int i = 0; i < count; i++) vertex(xy[2 * i], xy[2 * i + 1]);
    end();
}

void graphRecordingDraw::normal(float x, float y, float z) {
    record(graphDrawCall::normal, 0, {x, y, z});
}

void graphRecordingDraw::color(float red, float green, float blue, float alpha) {
    record(graphDrawCall::color, 0, {red, green, blue, alpha});
}

void graphRecordingDraw::material(graphMaterial parameter, const float value[4]) {
    if (parameter == graphMaterial::shininess)
        record(graphDrawCall::material, static_cast<int>(parameter), {value[0]});
    else
        record(graphDrawCall::material, static_cast<int>(parameter),
               {value[0], value[1], value[2], value[3]});
}

void graphRecordingDraw::pointSize(float size) {
    record(graphDrawCall::pointSize, 0, {size});
}

void graphRecordingDraw::lineWidth(float width) {
    record(graphDrawCall::lineWidth, 0, {width});
}

void graphRecordingDraw::enable(graphCapability capability) {
    record(graphDrawCall::enable, static_cast<int>(capability));
}

void graphRecordingDraw::disable(graphCapability capability) {
    record(graphDrawCall::disable, static_cast<int>(capability));
}

void graphRecordingDraw::viewport(int x, int y, int width, int height) {
    record(graphDrawCall::viewport, 0,
           {static_cast<double>(x), static_cast<double>(y), static_cast<double>(width),
            static_cast<double>(height)});
}

void graphRecordingDraw::clear(float red, float green, float blue, float alpha) {
    record(graphDrawCall::clear, 0, {red, green, blue, alpha});
}

void graphRecordingDraw::loadProjectionIdentity() {
    record(graphDrawCall::loadProjectionIdentity);
}

void graphRecordingDraw::loadModelViewIdentity() {
    record(graphDrawCall::loadModelViewIdentity);
}

void graphRecordingDraw::ortho(double left, double right, double bottom, double top, double nearZ,
                               double farZ) {
    record(graphDrawCall::ortho, 0, {left, right, bottom, top, nearZ, farZ});
}

void graphRecordingDraw::perspective(double fovY, double aspect, double nearZ, double farZ) {
    record(graphDrawCall::perspective, 0, {fovY, aspect, nearZ, farZ});
}

void graphRecordingDraw::lookAt(double eyeX, double eyeY, double eyeZ, double centerX,
                                double centerY, double centerZ, double upX, double upY,
                                double upZ) {
    record(graphDrawCall::lookAt, 0, {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ});
}

void graphRecordingDraw::rotate(double degrees, double x, double y, double z) {
    record(graphDrawCall::rotate, 0, {degrees, x, y, z});
}

void graphRecordingDraw::translate(double x, double y, double z) {
    record(graphDrawCall::translate, 0, {x, y, z});
}

void graphRecordingDraw::scaleAxes(double x, double y, double z) {
    record(graphDrawCall::scaleAxes, 0, {x, y, z});
}

void graphRecordingDraw::pushMatrix() {
    record(graphDrawCall::pushMatrix);
}

void graphRecordingDraw::popMatrix() {
    record(graphDrawCall::popMatrix);
}

void graphRecordingDraw::lightColor(const float ambient[4], const float diffuse[4]) {
    record(graphDrawCall::lightColor, 0,
           {ambient[0], ambient[1], ambient[2], ambient[3], diffuse[0], diffuse[1], diffuse[2],
            diffuse[3]});
}

void graphRecordingDraw::lineStipple(int factor, uint16_t pattern) {
    record(graphDrawCall::lineStipple, factor, {static_cast<double>(pattern)});
}

void graphRecordingDraw::text(double x, double y, double z, std::string_view text, graphFont font) {
    record(graphDrawCall::text, static_cast<int>(font), {x, y, z}, std::string(text));
}

void graphRecordingDraw::flush() {
    record(graphDrawCall::flush);
}

void graphRecordingDraw::readPixels(int width, int height, graphPixelFormat format,
                                    int packAlignment, uint8_t *destination) {
    // Nothing was drawn: the pixels read back are all zero.
    if (width > 0 && height > 0) {
        size_t bytesPerPixel = format == graphPixelFormat::rgba ? 4 : 1;
        size_t pixels = static_cast<size_t>(width) * bytesPerPixel;
        size_t align = packAlignment > 0 ? static_cast<size_t>(packAlignment) : 1;
        size_t row = (pixels + align - 1) / align * align;
        // Like OpenGL, the last row is not padded.
        std::memset(destination, 0, row * static_cast<size_t>(height - 1) + pixels);
    }
    record(graphDrawCall::readPixels, static_cast<int>(format),
           {static_cast<double>(width), static_cast<double>(height),
            static_cast<double>(packAlignment)});
}

// The calls that change state or draw outside a begin/end block, made again on target.
void graphReplayState(const graphDrawOp &op, graphDraw &target) {
    auto f = [](double v) { return static_cast<float>(v); };
    const auto &a = op.args;
    switch (op.call) {
        case graphDrawCall::normal: target.normal(f(a[0]), f(a[1]), f(a[2])); break;
        case graphDrawCall::color: target.color(f(a[0]), f(a[1]), f(a[2]), f(a[3])); break;
        case graphDrawCall::material: {
            const float value[4] = {f(a[0]), f(a[1]), f(a[2]), f(a[3])};
            target.material(static_cast<graphMaterial>(op.code), value);
            break;
        }
        case graphDrawCall::pointSize: target.pointSize(f(a[0])); break;
        case graphDrawCall::lineWidth: target.lineWidth(f(a[0])); break;
        case graphDrawCall::enable: target.enable(static_cast<graphCapability>(op.code)); break;
        case graphDrawCall::disable: target.disable(static_cast<graphCapability>(op.code)); break;
        case graphDrawCall::viewport:
            target.viewport(static_cast<int>(a[0]), static_cast<int>(a[1]), static_cast<int>(a[2]),
                            static_cast<int>(a[3]));
            break;
        case graphDrawCall::clear: target.clear(f(a[0]), f(a[1]), f(a[2]), f(a[3])); break;
        case graphDrawCall::loadProjectionIdentity: target.loadProjectionIdentity(); break;
        case graphDrawCall::loadModelViewIdentity: target.loadModelViewIdentity(); break;
        case graphDrawCall::ortho: target.ortho(a[0], a[1], a[2], a[3], a[4], a[5]); break;
        case graphDrawCall::perspective: target.perspective(a[0], a[1], a[2], a[3]); break;
        case graphDrawCall::lookAt:
            target.lookAt(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
            break;
        case graphDrawCall::rotate: target.rotate(a[0], a[1], a[2], a[3]); break;
        case graphDrawCall::translate: target.translate(a[0], a[1], a[2]); break;
        case graphDrawCall::scaleAxes: target.scaleAxes(a[0], a[1], a[2]); break;
        case graphDrawCall::pushMatrix: target.pushMatrix(); break;
        case graphDrawCall::popMatrix: target.popMatrix(); break;
        case graphDrawCall::lightColor: {
            const float ambient[4] = {f(a[0]), f(a[1]), f(a[2]), f(a[3])};
            const float diffuse[4] = {f(a[4]), f(a[5]), f(a[6]), f(a[7])};
            target.lightColor(ambient, diffuse);
            break;
        }
        case graphDrawCall::lineStipple:
            target.lineStipple(op.code, static_cast<uint16_t>(a[0]));
            break;
        case graphDrawCall::text:
            target.text(a[0], a[1], a[2], op.text, static_cast<graphFont>(op.code));
            break;
        default: break;
    }
}

void graphRecordingDraw::replay(const std::vector<graphDrawOp> &ops, graphDraw &target) const {
    auto f = [](double v) { return static_cast<float>(v); };
    for (const graphDrawOp &op : ops) {
        const auto &a = op.args;
        switch (op.call) {
            case graphDrawCall::prepareState: target.prepareState(); break;
            case graphDrawCall::deleteList: break;
            case graphDrawCall::newList: break;
            case graphDrawCall::endList: break;
            case graphDrawCall::callList:
                replay(list(static_cast<unsigned>(op.code)), target);
                break;
            case graphDrawCall::begin: target.begin(static_cast<graphPrimitive>(op.code)); break;
            case graphDrawCall::end: target.end(); break;
            case graphDrawCall::vertex2: target.vertex(f(a[0]), f(a[1])); break;
            case graphDrawCall::vertex3: target.vertex(f(a[0]), f(a[1]), f(a[2])); break;
            case graphDrawCall::flush: target.flush(); break;
            case graphDrawCall::readPixels: break;
            default: graphReplayState(op, target); break;
        }
    }
}
