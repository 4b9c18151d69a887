// Graph-space rectangles and points, in single precision: the region arithmetic and its
// rounding follow float, while samples are computed in double and rounded on hand-over.
#pragma once

struct graphRect {
    float x = 0.0f, y = 0.0f, width = 0.0f, height = 0.0f;
};

struct graphPoint {
    float x = 0.0f, y = 0.0f;
};

inline bool operator==(const graphRect &a, const graphRect &b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

inline bool operator==(const graphPoint &a, const graphPoint &b) {
    return a.x == b.x && a.y == b.y;
}
