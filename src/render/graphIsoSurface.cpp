#include "render/graphIsoSurface.h"

#include "render/graphStop.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

using vec3 = std::array<double, 3>;

vec3 sub(const vec3 &a, const vec3 &b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
vec3 cross(const vec3 &a, const vec3 &b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const vec3 &a, const vec3 &b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Corner offsets of a cell, bit 0 along x, bit 1 along y, bit 2 along z.
constexpr int bitX = 1, bitY = 2, bitZ = 4;
// The six tetrahedra from corner 0 to corner 7, one axis at a time in each order.
constexpr int tetrahedra[6][4] = {
    {0, bitX, bitX | bitY, 7}, {0, bitX, bitX | bitZ, 7}, {0, bitY, bitX | bitY, 7},
    {0, bitY, bitY | bitZ, 7}, {0, bitZ, bitX | bitZ, 7}, {0, bitZ, bitY | bitZ, 7},
};
constexpr int refinements = 10;

class polygoniser {
public:
    polygoniser(const graphIsoBox &box, const double *values,
                const std::function<double(double, double, double)> &value)
        : box(box), values(values), value(value), side(box.n + 1) {}

    graphIsoMesh run();

private:
    struct corner {
        int a, b, c;
        vec3 p;
        double v;
    };
    corner cornerAt(int a, int b, int c) const {
        return {
            a, b, c, {box.at(0, a), box.at(1, b), box.at(2, c)}, values[(a * side + b) * side + c]};
    }
    int vertexOn(const corner &inside, const corner &outside);
    void triangle(int i0, int i1, int i2, const vec3 &towardsOutside,
                  const std::array<int, 3> &cell);
    void smoothNormals();

    const graphIsoBox &box;
    const double *values;
    const std::function<double(double, double, double)> &value;
    const int side;
    graphIsoMesh mesh;
    std::unordered_map<uint64_t, int> edgeVertex;
};

int polygoniser::vertexOn(const corner &inside, const corner &outside) {
    // An edge is named by its lower grid point and its direction, the same from both
    // cells and tetrahedra that share it.
    const bool insideLower =
        inside.a <= outside.a && inside.b <= outside.b && inside.c <= outside.c;
    const corner &lower = insideLower ? inside : outside, &upper = insideLower ? outside : inside;
    const uint64_t direction = static_cast<uint64_t>(
        (upper.a - lower.a) * bitX + (upper.b - lower.b) * bitY + (upper.c - lower.c) * bitZ);
    const uint64_t key =
        (static_cast<uint64_t>((lower.a * side + lower.b) * side + lower.c) << 3) | direction;
    const auto found = edgeVertex.find(key);
    if (found != edgeVertex.end()) return found->second;

    // Bisection keeps the sign change between in (negative) and out, then a linear step
    // between the last two.
    vec3 in = inside.p, out = outside.p;
    double vin = inside.v, vout = outside.v;
    for (int step = 0; step < refinements; step++) {
        const vec3 middle{(in[0] + out[0]) * 0.5, (in[1] + out[1]) * 0.5, (in[2] + out[2]) * 0.5};
        const double v = value(middle[0], middle[1], middle[2]);
        if (std::isnan(v)) break;
        if (v < 0.0)
            in = middle, vin = v;
        else
            out = middle, vout = v;
    }
    const double w = vout - vin > 0.0 ? -vin / (vout - vin) : 0.5;
    const vec3 p{in[0] + (out[0] - in[0]) * w, in[1] + (out[1] - in[1]) * w,
                 in[2] + (out[2] - in[2]) * w};

    // The gradient by central differences a thousandth of a cell wide.
    vec3 normal{0.0, 0.0, 0.0};
    for (int axis = 0; axis < 3; axis++) {
        const double h = (box.high[axis] - box.low[axis]) / box.n * 1e-3;
        vec3 plus = p, minus = p;
        plus[axis] += h;
        minus[axis] -= h;
        normal[axis] =
            (value(plus[0], plus[1], plus[2]) - value(minus[0], minus[1], minus[2])) / (2.0 * h);
    }
    const double length = std::sqrt(dot(normal, normal));
    const bool usable = std::isfinite(length) && length > 0.0;
    const int index = static_cast<int>(mesh.positions.size());
    mesh.positions.push_back(
        {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])});
    // A zero vector marks a vertex whose normal comes from its faces.
    mesh.normals.push_back(usable ? std::array<float, 3>{static_cast<float>(normal[0] / length),
                                                         static_cast<float>(normal[1] / length),
                                                         static_cast<float>(normal[2] / length)}
                                  : std::array<float, 3>{0.0f, 0.0f, 0.0f});
    edgeVertex.emplace(key, index);
    return index;
}

void polygoniser::triangle(int i0, int i1, int i2, const vec3 &towardsOutside,
                           const std::array<int, 3> &cell) {
    if (i0 == i1 || i1 == i2 || i0 == i2) return;
    auto at = [this](int i) {
        const auto &p = mesh.positions[static_cast<size_t>(i)];
        return vec3{p[0], p[1], p[2]};
    };
    const vec3 face = cross(sub(at(i1), at(i0)), sub(at(i2), at(i0)));
    if (dot(face, towardsOutside) < 0.0) std::swap(i1, i2);
    mesh.triangles.push_back({i0, i1, i2});
    mesh.cells.push_back(cell);
}

void polygoniser::smoothNormals() {
    std::vector<vec3> sums(mesh.positions.size(), vec3{0.0, 0.0, 0.0});
    bool needed = false;
    for (const auto &n : mesh.normals)
        needed = needed || (n[0] == 0.0f && n[1] == 0.0f && n[2] == 0.0f);
    if (!needed) return;
    for (const auto &t : mesh.triangles) {
        auto at = [this](int i) {
            const auto &p = mesh.positions[static_cast<size_t>(i)];
            return vec3{p[0], p[1], p[2]};
        };
        const vec3 face = cross(sub(at(t[1]), at(t[0])), sub(at(t[2]), at(t[0])));
        for (int i : t)
            for (int k = 0; k < 3; k++) sums[static_cast<size_t>(i)][k] += face[k];
    }
    for (size_t i = 0; i < mesh.normals.size(); i++) {
        auto &n = mesh.normals[i];
        if (n[0] != 0.0f || n[1] != 0.0f || n[2] != 0.0f) continue;
        const double length = std::sqrt(dot(sums[i], sums[i]));
        if (length > 0.0)
            n = {static_cast<float>(sums[i][0] / length), static_cast<float>(sums[i][1] / length),
                 static_cast<float>(sums[i][2] / length)};
        else
            n = {0.0f, 0.0f, 1.0f};
    }
}

graphIsoMesh polygoniser::run() {
    const int n = box.n;
    for (int a = 0; a < n; a++) {
        if (graphStopRequested()) return {};  // a stopped graphing discards the mesh
        for (int b = 0; b < n; b++) {
            for (int c = 0; c < n; c++) {
                corner corners[8];
                for (int k = 0; k < 8; k++)
                    corners[k] = cornerAt(a + (k & bitX ? 1 : 0), b + (k & bitY ? 1 : 0),
                                          c + (k & bitZ ? 1 : 0));
                const std::array<int, 3> cell{a, b, c};
                for (const auto &tetrahedron : tetrahedra) {
                    const corner *t[4];
                    int insideCount = 0;
                    bool valid = true;
                    for (int k = 0; k < 4; k++) {
                        t[k] = &corners[tetrahedron[k]];
                        valid = valid && !std::isnan(t[k]->v);
                        insideCount += t[k]->v < 0.0 ? 1 : 0;
                    }
                    if (!valid || insideCount == 0 || insideCount == 4) continue;
                    // Inside corners first.
                    const corner *in[4], *out[4];
                    int ni = 0, no = 0;
                    for (const corner *k : t) (k->v < 0.0 ? in[ni++] : out[no++]) = k;
                    vec3 inMean{0, 0, 0}, outMean{0, 0, 0};
                    for (int k = 0; k < ni; k++)
                        for (int d = 0; d < 3; d++) inMean[d] += in[k]->p[d] / ni;
                    for (int k = 0; k < no; k++)
                        for (int d = 0; d < 3; d++) outMean[d] += out[k]->p[d] / no;
                    const vec3 outwards = sub(outMean, inMean);
                    if (ni == 1) {
                        triangle(vertexOn(*in[0], *out[0]), vertexOn(*in[0], *out[1]),
                                 vertexOn(*in[0], *out[2]), outwards, cell);
                    } else if (ni == 3) {
                        triangle(vertexOn(*in[0], *out[0]), vertexOn(*in[1], *out[0]),
                                 vertexOn(*in[2], *out[0]), outwards, cell);
                    } else {
                        // The quad in0-out0, in0-out1, in1-out1, in1-out0, in that order.
                        const int q0 = vertexOn(*in[0], *out[0]), q1 = vertexOn(*in[0], *out[1]);
                        const int q2 = vertexOn(*in[1], *out[1]), q3 = vertexOn(*in[1], *out[0]);
                        triangle(q0, q1, q2, outwards, cell);
                        triangle(q0, q2, q3, outwards, cell);
                    }
                }
            }
        }
    }
    smoothNormals();
    return std::move(mesh);
}

}  // namespace

graphIsoMesh graphPolygonise(const graphIsoBox &box, const double *values,
                             const std::function<double(double, double, double)> &value) {
    if (box.n < 1 || values == nullptr) return {};
    return polygoniser(box, values, value).run();
}
