#include "render/graphGLList.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <utility>

unsigned graphGLPrimitive(graphPrimitive primitive) {
    switch (primitive) {
        case graphPrimitive::points: return GL_POINTS;
        case graphPrimitive::lines: return GL_LINES;
        case graphPrimitive::lineStrip: return GL_LINE_STRIP;
        case graphPrimitive::triangles: return GL_TRIANGLES;
        case graphPrimitive::triangleStrip: return GL_TRIANGLE_STRIP;
    }
    return GL_POINTS;
}

namespace {

const void *bufferOffset(size_t bytes) {
    return reinterpret_cast<const void *>(static_cast<uintptr_t>(bytes));
}

void uploadPart(GLintptr offset, const std::vector<float> &data) {
    if (!data.empty())
        glBufferSubData(GL_ARRAY_BUFFER, offset,
                        static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data());
}

// Overwrites the first count entries of an array of size-float items at offset with the
// context's current value.
void patchInherited(GLenum current, int size, size_t offset, int count) {
    float value[4] = {};
    glGetFloatv(current, value);
    std::vector<float> items(static_cast<size_t>(count) * size);
    for (size_t i = 0; i < items.size(); ++i) items[i] = value[i % size];
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(offset),
                    static_cast<GLsizeiptr>(items.size() * sizeof(float)), items.data());
}

}  // namespace

graphGLList::graphGLList(graphGLList &&other) noexcept {
    *this = std::move(other);
}

graphGLList &graphGLList::operator=(graphGLList &&other) noexcept {
    ops = std::move(other.ops);
    blocks = std::move(other.blocks);
    positions = std::move(other.positions);
    normals = std::move(other.normals);
    colors = std::move(other.colors);
    blockNormals = std::move(other.blockNormals);
    blockColors = std::move(other.blockColors);
    open = other.open;
    normalChanged = other.normalChanged;
    colorChanged = other.colorChanged;
    normalKnown = other.normalKnown;
    colorKnown = other.colorKnown;
    currentNormal = other.currentNormal;
    currentColor = other.currentColor;
    buffer = std::exchange(other.buffer, 0);
    vertexTotal = other.vertexTotal;
    normalOffset = other.normalOffset;
    colorOffset = other.colorOffset;
    return *this;
}

void graphGLList::record(graphDrawOp op) {
    ops.push_back(std::move(op));
}

void graphGLList::begin(graphPrimitive primitive) {
    if (open) end();
    open = true;
    normalChanged = colorChanged = false;
    block b;
    b.primitive = primitive;
    b.start = positions.size();
    ops.push_back(graphDrawOp{graphDrawCall::begin, static_cast<int>(blocks.size()), {}, {}});
    blocks.push_back(b);
}

void graphGLList::end() {
    if (!open) return;
    open = false;
    block &b = blocks.back();
    b.lastNormal = currentNormal;
    b.lastColor = currentColor;
    if (normalChanged) {
        b.normalFirst = static_cast<int>(normals.size() / 3);
        normals.insert(normals.end(), blockNormals.begin(), blockNormals.end());
        blockNormals.clear();
    }
    if (colorChanged) {
        b.colorFirst = static_cast<int>(colors.size() / 4);
        colors.insert(colors.end(), blockColors.begin(), blockColors.end());
        blockColors.clear();
    }
}

void graphGLList::vertex(float x, float y) {
    if (!open) return;
    if (blocks.back().components == 2)
        positions.insert(positions.end(), {x, y});
    else
        positions.insert(positions.end(), {x, y, 0.0f});
    addVertex();
}

void graphGLList::vertex(float x, float y, float z) {
    if (!open) return;
    block &b = blocks.back();
    if (b.components == 2) {
        // The block's 2D vertices so far get z = 0.
        std::vector<float> widened;
        widened.reserve(static_cast<size_t>(b.count) * 3);
        for (size_t i = b.start; i < positions.size(); i += 2)
            widened.insert(widened.end(), {positions[i], positions[i + 1], 0.0f});
        positions.resize(b.start);
        positions.insert(positions.end(), widened.begin(), widened.end());
        b.components = 3;
    }
    positions.insert(positions.end(), {x, y, z});
    addVertex();
}

void graphGLList::addVertex() {
    if (normalChanged)
        blockNormals.insert(blockNormals.end(), currentNormal.begin(), currentNormal.end());
    if (colorChanged)
        blockColors.insert(blockColors.end(), currentColor.begin(), currentColor.end());
    block &b = blocks.back();
    if (!normalKnown) ++b.normalsInherited;
    if (!colorKnown) ++b.colorsInherited;
    ++b.count;
    ++vertexTotal;
}

void graphGLList::vertices(graphPrimitive primitive, const float *xy, int count) {
    begin(primitive);
    if (count > 0) {
        positions.insert(positions.end(), xy, xy + 2 * static_cast<size_t>(count));
        blocks.back().count = count;
        vertexTotal += static_cast<size_t>(count);
    }
    end();
}

void graphGLList::normal(float x, float y, float z) {
    const std::array<float, 3> value{x, y, z};
    if (!open) {
        ops.push_back(graphDrawOp{graphDrawCall::normal, 0, {x, y, z}, {}});
    } else {
        block &b = blocks.back();
        b.setsNormal = true;
        // From the first change on, every vertex of the block keeps its own normal; the
        // ones before it share the normal they were made with.
        if (!normalChanged && b.count > 0 && (!normalKnown || value != currentNormal)) {
            normalChanged = true;
            blockNormals.clear();
            for (int i = 0; i < b.count; ++i)
                blockNormals.insert(blockNormals.end(), currentNormal.begin(), currentNormal.end());
        }
    }
    currentNormal = value;
    normalKnown = true;
}

void graphGLList::color(float red, float green, float blue, float alpha) {
    const std::array<float, 4> value{red, green, blue, alpha};
    if (!open) {
        ops.push_back(graphDrawOp{graphDrawCall::color, 0, {red, green, blue, alpha}, {}});
    } else {
        block &b = blocks.back();
        b.setsColor = true;
        if (!colorChanged && b.count > 0 && (!colorKnown || value != currentColor)) {
            colorChanged = true;
            blockColors.clear();
            for (int i = 0; i < b.count; ++i)
                blockColors.insert(blockColors.end(), currentColor.begin(), currentColor.end());
        }
    }
    currentColor = value;
    colorKnown = true;
}

void graphGLList::upload() {
    if (open) end();
    if (!positions.empty()) {
        normalOffset = positions.size() * sizeof(float);
        colorOffset = normalOffset + normals.size() * sizeof(float);
        const size_t bytes = colorOffset + colors.size() * sizeof(float);
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STATIC_DRAW);
        uploadPart(0, positions);
        uploadPart(static_cast<GLintptr>(normalOffset), normals);
        uploadPart(static_cast<GLintptr>(colorOffset), colors);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    positions = {};
    normals = {};
    colors = {};
    blockNormals = {};
    blockColors = {};
}

void graphGLList::release() {
    if (buffer != 0) glDeleteBuffers(1, &buffer);
    buffer = 0;
}

void graphGLList::drawBlock(const block &b) const {
    const bool normalArray = b.normalFirst >= 0 && b.count > 0;
    const bool colorArray = b.colorFirst >= 0 && b.count > 0;
    if (b.setsNormal && !normalArray) glNormal3fv(b.lastNormal.data());
    if (b.setsColor && !colorArray) glColor4fv(b.lastColor.data());
    if (b.count > 0 && buffer != 0) {
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(b.components, GL_FLOAT, 0, bufferOffset(b.start * sizeof(float)));
        if (normalArray) {
            const size_t offset =
                normalOffset + static_cast<size_t>(b.normalFirst) * 3 * sizeof(float);
            if (b.normalsInherited > 0)
                patchInherited(GL_CURRENT_NORMAL, 3, offset, b.normalsInherited);
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, bufferOffset(offset));
        }
        if (colorArray) {
            const size_t offset =
                colorOffset + static_cast<size_t>(b.colorFirst) * 4 * sizeof(float);
            if (b.colorsInherited > 0)
                patchInherited(GL_CURRENT_COLOR, 4, offset, b.colorsInherited);
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(4, GL_FLOAT, 0, bufferOffset(offset));
        }
        glDrawArrays(graphGLPrimitive(b.primitive), 0, b.count);
        if (colorArray) glDisableClientState(GL_COLOR_ARRAY);
        if (normalArray) glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    // The current normal and colour after an array draw are undefined; leave the ones the
    // block's last calls set, as begin/end would.
    if (normalArray) glNormal3fv(b.lastNormal.data());
    if (colorArray) glColor4fv(b.lastColor.data());
}

void graphGLList::replay(graphDraw &draw) const {
    for (const graphDrawOp &op : ops) {
        switch (op.call) {
            case graphDrawCall::begin: drawBlock(blocks[static_cast<size_t>(op.code)]); break;
            case graphDrawCall::callList: draw.callList(static_cast<unsigned>(op.code)); break;
            default: graphReplayState(op, draw); break;
        }
    }
}
