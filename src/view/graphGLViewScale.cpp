// The 3D scale: the box around the region and the drawn heights, and tick labels on
// three of its edges.
#include "view/graphGLView.h"

#include "view/graphLabels.h"

#include "engine/slNumberText.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The next 1-2-5 spacing above spacing.
double coarser(double spacing) {
    const double m = graphSpacingMantissa(spacing);
    return m < 1.5 ? spacing * 2.0 : m < 3.5 ? spacing * 2.5 : spacing * 2.0;
}

// The ticks of [low, high] at the finest 1-2-5 spacing (from about six ticks down) whose
// ticks lie at least apart pixels apart on an edge pixels long, keeping two ticks at
// least; both ends included when
// they fall on the spacing. Positions are index x spacing; labels are the shortest
// decimal of six digits ("0.5", "-10", "1e+06").
std::vector<std::pair<double, std::string>> scaleTicks(double low, double high, double pixels,
                                                       double apart) {
    std::vector<std::pair<double, std::string>> ticks;
    const double extent = high - low;
    double spacing = graphNiceSpacing(extent * 1.6);
    if (!(spacing > 0.0) || !(pixels > 0.0)) return ticks;
    auto count = [low, high](double step) {
        return std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1.0;
    };
    // Coarser while too close, but never down to fewer than two ticks.
    while (spacing / extent * pixels < apart && count(coarser(spacing)) >= 2.0)
        spacing = coarser(spacing);
    const long first = static_cast<long>(std::ceil(low / spacing - 1e-9));
    const long last = static_cast<long>(std::floor(high / spacing + 1e-9));
    for (long i = first; i <= last && ticks.size() < 50; i++) {
        const double position = static_cast<double>(i) * spacing;
        ticks.emplace_back(position, i == 0 ? std::string("0") : slFormatNumber(position, 'g', 6));
    }
    return ticks;
}

}  // namespace

void graphGLView::draw3DBox() {
    // The edges that meet at the box's top corner nearest the camera would cross in front
    // of the surfaces; the other nine frame them.
    const float x[2] = {graphBounds.x, graphBounds.x + graphBounds.width};
    const float y[2] = {graphBounds.y, graphBounds.y + graphBounds.height};
    const float z[2] = {sceneZ[0], sceneZ[1]};
    const scene3DCamera camera =
        sceneCamera(static_cast<int>(frameWidth), static_cast<int>(frameHeight));
    int nearX = 0, nearY = 0;
    float nearest = 0.0f;
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 2; j++) {
            QVector3D pixel;
            if (!camera.project({x[i], y[j], z[1]}, &pixel)) continue;
            if ((i == 0 && j == 0) || pixel.z() < nearest)
                nearX = i, nearY = j, nearest = pixel.z();
        }
    draw.color(gridColor.red, gridColor.green, gridColor.blue, 1.0f);
    draw.begin(graphPrimitive::lines);
    auto edge = [this](QVector3D a, QVector3D b) {
        draw.vertex(a.x(), a.y(), a.z());
        draw.vertex(b.x(), b.y(), b.z());
    };
    for (int level = 0; level < 2; level++) {
        for (int j = 0; j < 2; j++)
            if (level == 0 || j != nearY) edge({x[0], y[j], z[level]}, {x[1], y[j], z[level]});
        for (int i = 0; i < 2; i++)
            if (level == 0 || i != nearX) edge({x[i], y[0], z[level]}, {x[i], y[1], z[level]});
    }
    for (int i = 0; i < 2; i++)
        for (int j = 0; j < 2; j++)
            if (i != nearX || j != nearY) edge({x[i], y[j], z[0]}, {x[i], y[j], z[1]});
    draw.end();
}

void graphGLView::draw3DScale(int width, int height) {
    const scene3DCamera camera = sceneCamera(width, height);
    draw.loadProjectionIdentity();
    draw.viewport(0, 0, width, height);
    draw.ortho(0.0, width, 0.0, height, -1.0, 1.0);
    draw.loadModelViewIdentity();
    draw.disable(graphCapability::lighting);
    draw.disable(graphCapability::depthTest);
    draw.color(axisColor.red, axisColor.green, axisColor.blue, 1.0f);
    std::vector<labelBox> drawn;

    // 1. The axis names just beyond the axes' ends, or where an axis leaves the view.
    const float L = graphBounds.width * 0.6f;
    const QVector3D ends[3] = {
        {1.05f * L, 0.0f, 0.0f}, {0.0f, 1.05f * L, 0.0f}, {0.0f, 0.0f, 1.05f * L / zScale}};
    const char *names[3] = {"X", "Y", "Z"};
    for (int axis : {2, 1, 0}) {
        QVector3D at, pixel;
        if (!camera.placeLabel(ends[axis], &at) || !camera.project(at, &pixel)) continue;
        const graphTextSize size = draw.textSize(names[axis], graphFont::fixed9By15);
        drawn.push_back({pixel.x(), pixel.y(), size.width, size.height});
        draw.text(pixel.x(), pixel.y(), 0.0, names[axis], graphFont::fixed9By15);
    }

    // 2. The edges that carry the labels: the x and y edges of the floor nearer the
    //    camera, and the vertical edge at the floor's leftmost corner on the screen.
    const float lo[3] = {graphBounds.x, graphBounds.y, sceneZ[0]};
    const float hi[3] = {graphBounds.x + graphBounds.width, graphBounds.y + graphBounds.height,
                         sceneZ[1]};
    auto depth = [&camera](QVector3D p) {
        QVector3D pixel;
        return camera.project(p, &pixel) ? pixel.z() : 1e30f;
    };
    auto screenX = [&camera](QVector3D p) {
        QVector3D pixel;
        return camera.project(p, &pixel) ? pixel.x() : 1e30f;
    };
    const float midX = (lo[0] + hi[0]) * 0.5f, midY = (lo[1] + hi[1]) * 0.5f;
    const bool xEdgeAtHighY = depth({midX, hi[1], lo[2]}) < depth({midX, lo[1], lo[2]});
    const bool yEdgeAtHighX = depth({hi[0], midY, lo[2]}) < depth({lo[0], midY, lo[2]});
    int corner = 0;  // bit 0: high x, bit 1: high y
    for (int c = 1; c < 4; c++)
        if (screenX({c & 1 ? hi[0] : lo[0], c & 2 ? hi[1] : lo[1], lo[2]}) <
            screenX({corner & 1 ? hi[0] : lo[0], corner & 2 ? hi[1] : lo[1], lo[2]}))
            corner = c;
    struct edge {
        QVector3D start, outward;
    } edges[3] = {
        {{lo[0], xEdgeAtHighY ? hi[1] : lo[1], lo[2]}, {0.0f, xEdgeAtHighY ? 1.0f : -1.0f, 0.0f}},
        {{yEdgeAtHighX ? hi[0] : lo[0], lo[1], lo[2]}, {yEdgeAtHighX ? 1.0f : -1.0f, 0.0f, 0.0f}},
        {{corner & 1 ? hi[0] : lo[0], corner & 2 ? hi[1] : lo[1], lo[2]},
         {corner & 1 ? 1.0f : -1.0f, corner & 2 ? 1.0f : -1.0f, 0.0f}},
    };

    // 3. Each tick: a short mark pointing away from the box on the screen and its label
    //    beyond it, placed unless it would overlap a label already placed.
    const float s = draw.scale(), mark = 5.0f * s, offset = 8.0f * s;
    const float reach = graphBounds.width * 0.01f;
    struct placed {
        float x, y;
        std::string text;
    };
    std::vector<placed> labels;
    std::vector<float> marks;
    const graphTextSize sample = draw.textSize("-0.05", graphFont::sans10);
    for (int axis = 0; axis < 3; axis++) {
        // Ticks far enough apart on the screen for a label each: a label's width along
        // an edge that runs across the screen, about two line heights along an upright one.
        QVector3D from, to;
        QVector3D far = edges[axis].start;
        far[axis] = hi[axis];
        if (!camera.project(edges[axis].start, &from) || !camera.project(far, &to)) continue;
        const float ex = std::fabs(to.x() - from.x()), ey = std::fabs(to.y() - from.y());
        const float length = std::hypot(ex, ey);
        const double apart = length > 0.0f ? (sample.width + 6.0f * s) * ex / length +
                                                 2.0f * sample.height * ey / length
                                           : 0.0;
        for (const auto &[position, text] : scaleTicks(lo[axis], hi[axis], length, apart)) {
            QVector3D p = edges[axis].start;
            p[axis] = static_cast<float>(position);
            QVector3D pixel, beyond;
            if (!camera.project(p, &pixel) ||
                !camera.project(p + edges[axis].outward * reach, &beyond))
                continue;
            float dx = beyond.x() - pixel.x(), dy = beyond.y() - pixel.y();
            const float length = std::hypot(dx, dy);
            if (length > 1e-4f)
                dx /= length, dy /= length;
            else
                dx = 0.0f, dy = -1.0f;
            marks.insert(marks.end(),
                         {pixel.x(), pixel.y(), pixel.x() + dx * mark, pixel.y() + dy * mark});
            const graphTextSize size = draw.textSize(text, graphFont::sans10);
            const float centerX = pixel.x() + dx * (offset + size.width * 0.5f);
            const float centerY = pixel.y() + dy * (offset + size.height * 0.5f);
            const labelBox box{centerX - size.width * 0.5f, centerY - size.height * 0.25f,
                               size.width, size.height};
            if (placeLabel(box, drawn)) labels.push_back({box.x, box.y, text});
        }
    }
    if (!marks.empty())
        draw.vertices(graphPrimitive::lines, marks.data(), static_cast<int>(marks.size() / 2));
    for (const placed &label : labels)
        draw.text(label.x, label.y, 0.0, label.text, graphFont::sans10);
}
