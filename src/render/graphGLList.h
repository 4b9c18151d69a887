// One display list of graphGLDraw, kept in memory instead of compiled by OpenGL.
//
// State calls are kept as ops and replayed through the drawing interface. Each begin/end
// block (and each vertices() call) becomes a run of vertices, (x, y) or (x, y, z); the normal
// and colour go with every vertex only where they change inside the block, otherwise
// they are set once before it is drawn. upload() puts all vertex data in one buffer
// object; replay() draws each block from it with glDrawArrays, between the ops, in the
// order the calls were made, and leaves the current normal and colour as the calls would.
#pragma once

#include "render/graphDraw.h"
#include "render/graphRecordingDraw.h"

#include <array>
#include <vector>

// The GL enum of a primitive, for glBegin and glDrawArrays.
unsigned graphGLPrimitive(graphPrimitive primitive);

class graphGLList {
public:
    graphGLList() = default;
    graphGLList(const graphGLList &) = delete;
    graphGLList &operator=(const graphGLList &) = delete;
    graphGLList(graphGLList &&other) noexcept;
    graphGLList &operator=(graphGLList &&other) noexcept;
    // The buffer belongs to the context; release() frees it while that context is current.
    ~graphGLList() = default;

    void record(graphDrawOp op);
    void begin(graphPrimitive primitive);
    void end();
    void vertex(float x, float y);
    void vertex(float x, float y, float z);
    void vertices(graphPrimitive primitive, const float *xy, int count);
    void normal(float x, float y, float z);
    void color(float red, float green, float blue, float alpha);

    // Closes an unfinished block and moves the vertex data into a buffer object of the
    // current context; the copy in memory is dropped.
    void upload();
    void release();
    // Makes the recorded calls on draw (which must not be compiling a list) and draws the
    // blocks from the buffer.
    void replay(graphDraw &draw) const;

    size_t vertexCount() const { return vertexTotal; }
    size_t blockCount() const { return blocks.size(); }

private:
    struct block {
        graphPrimitive primitive = graphPrimitive::points;
        size_t start = 0;    // the first position's index among all position floats
        int components = 2;  // per position: 2 while the block has only 2D vertices
        int count = 0;
        // Offsets of the block's own normals and colours among all kept ones, -1 if the
        // block has one normal (colour) for all its vertices.
        int normalFirst = -1, colorFirst = -1;
        // Vertices at the start of the block made before the list set a normal (colour):
        // they take the context's current one, read when the list is replayed.
        int normalsInherited = 0, colorsInherited = 0;
        bool setsNormal = false, setsColor = false;
        std::array<float, 3> lastNormal{};
        std::array<float, 4> lastColor{};
    };

    void addVertex();
    void drawBlock(const block &b) const;

    std::vector<graphDrawOp> ops;  // a begin op stands for the block numbered by its code
    std::vector<block> blocks;
    std::vector<float> positions, normals, colors;
    // The open block's per-vertex normals and colours, kept only if they change.
    std::vector<float> blockNormals, blockColors;
    bool open = false, normalChanged = false, colorChanged = false;
    bool normalKnown = false, colorKnown = false;
    std::array<float, 3> currentNormal{0.0f, 0.0f, 1.0f};
    std::array<float, 4> currentColor{1.0f, 1.0f, 1.0f, 1.0f};
    unsigned buffer = 0;
    size_t vertexTotal = 0;
    size_t normalOffset = 0, colorOffset = 0;  // bytes into the buffer
};
