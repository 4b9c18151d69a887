#include "render/graph3DImplicitRender.h"

#include "render/graphSurfaceMesh.h"

#include <cmath>
#include <limits>

graph3DImplicitRender::graph3DImplicitRender(graphDraw &draw) : graphRender(draw) {}

void graph3DImplicitRender::init() {
    drawMode = graphDrawShaded;
    divisions3D = 60;
    made.n = -1;
    const grExp *left = nullptr, *right = nullptr;
    if (equation != nullptr && equation->tree != nullptr && equation->tree->type == grExpBinary) {
        const auto *relation = static_cast<const grBinaryExp *>(equation->tree->payload);
        left = relation->left;
        right = relation->right;
    }
    function = std::make_unique<graphGridFunction>(left, right);
}

void graph3DImplicitRender::setDivisions3D(int divisions) {
    divisions3D = graphSurfaceMesh::clampDivisions(divisions);
    recompute();
}

double graph3DImplicitRender::valueAt(double x, double y, double z) const {
    return function ? function->at(x, y, z, kValue) : std::numeric_limits<double>::quiet_NaN();
}

void graph3DImplicitRender::recompute() {
    const int n = divisions3D;
    if (made.n == n && made.k == kValue && made.bounds.x == bounds.x && made.bounds.y == bounds.y &&
        made.bounds.width == bounds.width && made.bounds.height == bounds.height)
        return;
    made = {bounds, kValue, n};
    mesh = {};
    box = {{bounds.x, bounds.y, bounds.x}, {0.0, 0.0, 0.0}, n};
    box.high[0] = static_cast<double>(bounds.x) + bounds.width;
    box.high[1] = static_cast<double>(bounds.y) + bounds.height;
    box.high[2] = box.high[0];
    if (!function || n < 1 || !(bounds.width > 0.0f) || !(bounds.height > 0.0f)) return;
    const int side = n + 1;
    std::vector<double> axes[3];
    for (int axis = 0; axis < 3; axis++)
        for (int a = 0; a < side; a++) axes[axis].push_back(box.at(axis, a));
    values.resize(static_cast<size_t>(side) * side * side);
    function->evaluate(axes[0].data(), side, axes[1].data(), side, axes[2].data(), side, kValue,
                       values.data());
    mesh = graphPolygonise(box, values.data(),
                           [this](double x, double y, double z) { return valueAt(x, y, z); });
}

bool graph3DImplicitRender::heightRange(float *low, float *high) {
    if (mesh.positions.empty()) return false;
    *low = *high = mesh.positions[0][2];
    for (const auto &p : mesh.positions) {
        if (p[2] < *low) *low = p[2];
        if (p[2] > *high) *high = p[2];
    }
    return true;
}

void graph3DImplicitRender::compileWithBounds(graphRect, graphRect, const QColor &color) {
    const float c[4] = {static_cast<float>(color.redF()), static_cast<float>(color.greenF()),
                        static_cast<float>(color.blueF()), 1.0f};
    auto vertex = [this](int index, bool colored) {
        const auto &p = mesh.positions[static_cast<size_t>(index)];
        if (colored && heightColoring.on) {
            const std::array<float, 3> rgb = heightColoring.colorAt(p[2]);
            draw.color(rgb[0], rgb[1], rgb[2], 1.0f);
        }
        draw.vertex(p[0], p[1], p[2]);
    };

    draw.newList(compileList);
    draw.disable(graphCapability::blend);
    graphSurfaceMesh::setMaterial(draw, c);
    switch (drawMode) {
        case graphDrawPoints:
            draw.pointSize(2.0f);
            draw.begin(graphPrimitive::points);
            for (size_t i = 0; i < mesh.positions.size(); i++) vertex(static_cast<int>(i), true);
            draw.end();
            draw.pointSize(7.0f);
            break;
        case graphDrawWireframe:
            draw.begin(graphPrimitive::lines);
            for (const auto &t : mesh.triangles)
                for (int k = 0; k < 3; k++) {
                    vertex(t[k], true);
                    vertex(t[(k + 1) % 3], true);
                }
            draw.end();
            break;
        case graphDrawCheckerboard: {
            const int block = graphSurfaceMesh::checkerBlock;
            draw.begin(graphPrimitive::triangles);
            for (size_t i = 0; i < mesh.triangles.size(); i++) {
                const auto &cell = mesh.cells[i];
                const bool odd = (cell[0] / block + cell[1] / block + cell[2] / block) % 2 == 1;
                if (odd)
                    draw.color(c[0], c[1], c[2], 1.0f);
                else
                    draw.color(1.0f, 1.0f, 1.0f, 1.0f);
                for (int k : mesh.triangles[i]) vertex(k, false);
            }
            draw.end();
            break;
        }
        default:
            draw.enable(graphCapability::lighting);
            draw.begin(graphPrimitive::triangles);
            for (const auto &t : mesh.triangles)
                for (int k : t) {
                    const auto &normal = mesh.normals[static_cast<size_t>(k)];
                    draw.normal(normal[0], normal[1], normal[2]);
                    vertex(k, true);
                }
            draw.end();
            draw.disable(graphCapability::lighting);
            break;
    }
    draw.enable(graphCapability::blend);
    draw.endList();
}
