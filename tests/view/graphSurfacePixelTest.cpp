// Surfaces and curves of the 3D scene drawn headless: each draw mode shows where its
// geometry projects and in its colours, and a mixed set of kinds shares one scene.
// Set PLOTWEAVE_PIXEL_DUMP to a folder to keep every frame as a PNG.
#include "render/graphSurfaceMesh.h"
#include "viewTestSupport.h"

#include <QImage>
#include <QMatrix4x4>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

namespace {

constexpr int side = 240;

// A 3D scene of the equations drawn headless on a grey background, at the camera that a
// graphing request sets up: region -10..10, turned -45 degrees about z.
struct drawnScene : headlessView {
    explicit drawnScene(std::initializer_list<std::pair<const char *, QColor>> equations,
                        int width = side, int height = side)
        : headlessView(width, height, equations) {
        view->setBackgroundColor3D(QColor::fromRgbF(0.5f, 0.5f, 0.5f));
        view->setAxisColor(Qt::black);
    }

    void setRanges(double sStart, double sEnd, double tStart, double tEnd) {
        inspector.setFieldValue(graphField::minS, sStart);
        inspector.setFieldValue(graphField::maxS, sEnd);
        inspector.setFieldValue(graphField::minT, tStart);
        inspector.setFieldValue(graphField::maxT, tEnd);
    }

    // Draws a graphing request; looking down the z axis when topDown is set.
    void drawNow(const char *name, int mode, int divisions, bool topDown = false) {
        view->set3DDrawMode(mode);
        view->setDivisions3D(divisions);
        if (view->graphMultipleEquations() != QString()) throw std::runtime_error("not graphed");
        // The camera sits at (0, 20, 25): tilting by atan(20 / 25) turns z towards it.
        if (topDown)
            view->setRotationDegrees(std::atan2(20.0, 25.0) * 180 / M_PI, view->rotationDegreesY());
        view->drawRect();
        pixels = view->RGBAPixels();
        if (const char *folder = std::getenv("PLOTWEAVE_PIXEL_DUMP"))
            QImage(pixels, width, height, QImage::Format_RGBA8888)
                .save(QString::fromUtf8(folder) + "/" + name + ".png");
    }

    // The pixel (column, row from the top) that a graph point projects to, by the
    // camera of the drawing pass.
    QPoint project(double x, double y, double z) const {
        const double W = 20.0, H = 20.0;
        QMatrix4x4 m;
        m.perspective(40.0f, float(width) / height, float(W / 200), float(W * 5));
        m.lookAt({0.0f, float(W), float(1.25 * H)}, {0, 0, 0}, {0, 0, 1});
        m.rotate(float(view->rotationDegreesX()), -1, 0, 0);
        m.rotate(float(view->rotationDegreesY()), 0, 0, 1);
        m.scale(1.0f, 1.0f, view->sceneZScale());
        const QVector3D p = m.map(QVector3D(float(x), float(y), float(z)));
        return {int(std::floor((p.x() + 1) / 2 * width)),
                height - 1 - int(std::floor((p.y() + 1) / 2 * height))};
    }
};

bool isRed(rgb c) {
    return c.r > 150 && c.g < 60 && c.b < 60;
}
bool isReddish(rgb c) {
    return c.r > 40 && c.r > 2 * c.g && c.r > 2 * c.b;
}
bool isWhite(rgb c) {
    return c.r > 240 && c.g > 240 && c.b > 240;
}
bool isGrey(rgb c) {
    return c.r == 128 && c.g == 128 && c.b == 128;
}
bool isBlue(rgb c) {
    return c.b > 150 && c.r < 60 && c.g < 60;
}

// The bowl z = x^2 + y^2 over -10..10 on a grid of spacing 1 (21 lines); near its bottom the grid
// points and the cell centres are a few pixels apart.
double bowl(double x, double y) {
    return x * x + y * y;
}

// The ring of grid points two units around the bowl's bottom, which leaves out the middle,
// where the z axis and its name are drawn over the surface.
std::vector<std::pair<double, double>> aroundTheBottom() {
    std::vector<std::pair<double, double>> points;
    for (int x = -2; x <= 2; x++)
        for (int y = -2; y <= 2; y++)
            if (std::max(std::abs(x), std::abs(y)) == 2) points.push_back({x, y});
    return points;
}

// Looking down on the bowl, each mode shows where its geometry projects, in its colours.
TEST(graphSurfacePixels, bowlInEveryMode) {
    auto cellMiddle = [](drawnScene &s, double x, double y) {
        return s.at(s.project(x + 0.5, y + 0.5, bowl(x + 0.5, y + 0.5)));
    };
    const struct {
        const char *name;
        int mode, divisions;
        std::function<void(drawnScene &, double, double)>
            check;  // at each grid point around the bottom
    } rows[] = {
        // Every grid point shows, and nothing between them.
        {"bowlPoints", graphDrawPoints, 21,
         [&](drawnScene &s, double x, double y) {
             EXPECT_GT(s.count(s.project(x, y, bowl(x, y)), 1, isRed), 0);
             EXPECT_PRED1(isGrey, cellMiddle(s, x, y));
         }},
        // The middles of the segments along x and along y, on the chords, are on lines; the
        // middle of the cell is not.
        {"bowlWireframe", graphDrawWireframe, 21,
         [&](drawnScene &s, double x, double y) {
             EXPECT_GT(s.count(s.project(x + 0.5, y, (bowl(x, y) + bowl(x + 1, y)) / 2), 1, isRed),
                       0);
             EXPECT_GT(s.count(s.project(x, y + 0.5, (bowl(x, y) + bowl(x, y + 1)) / 2), 1, isRed),
                       0);
             EXPECT_PRED1(isGrey, cellMiddle(s, x, y));
         }},
        {"bowlShaded", graphDrawShaded, 61,
         [](drawnScene &s, double x, double y) {
             EXPECT_PRED1(isReddish, s.at(s.project(x, y, bowl(x, y))));
         }},
        // With n = 21 a 4 x 4-cell block spans 4 units: the block of x and y from -2 to 2 is
        // white, its neighbours along x and y red, its diagonal neighbours white again.
        {"bowlCheckerboard", graphDrawCheckerboard, 21,
         [](drawnScene &s, double x, double y) {
             const double cx = x + (x < 0 ? -0.5 : 0.5), cy = y + (y < 0 ? -0.5 : 0.5);
             const bool white = (std::abs(cx) < 2) == (std::abs(cy) < 2);
             EXPECT_PRED1(white ? isWhite : isRed, s.at(s.project(cx, cy, bowl(cx, cy))));
         }},
    };
    for (const auto &row : rows) {
        drawnScene s({{"z = x^2 + y^2", Qt::red}});
        s.drawNow(row.name, row.mode, row.divisions, true);
        for (auto [x, y] : aroundTheBottom()) {
            SCOPED_TRACE(testing::Message() << row.name << " at " << x << ", " << y);
            row.check(s, x, y);
        }
        if (row.mode == graphDrawShaded) {
            // The light comes from the eye, so the walls, turned away from it, are darker
            // than the bottom, and symmetric walls about equally dark.
            const rgb bottom = s.at(s.project(0.3, 0.3, bowl(0.3, 0.3)));
            const rgb wall = s.at(s.project(8, 0, 64)), opposite = s.at(s.project(-8, 0, 64));
            EXPECT_GT(bottom.r, wall.r + 20);
            EXPECT_NEAR(wall.r, opposite.r, 15);  // perspective sees them at slightly other angles
        }
        if (row.mode == graphDrawCheckerboard) {
            EXPECT_PRED1(isWhite, s.at(s.project(1.5, 1.5, bowl(1.5, 1.5))));
        }
    }
}

TEST(graphSurfacePixels, mixedKindsShareOneScene) {
    // y = x^2 lies in the plane z = 0; the saddle z = x y is above it where x > 0 and
    // below it where x < 0, so from the camera above only the left branch shows.
    drawnScene s({{"y = x^2", Qt::blue}, {"z = x*y", Qt::red}});
    s.drawNow("mixed", graphDrawShaded, 60);
    EXPECT_TRUE(s.view->isThreeD());
    EXPECT_GT(s.count(s.project(-2, 4, 0), 1, isBlue), 0);
    EXPECT_EQ(s.count(s.project(2, 4, 8), 2, isBlue), 0);
    EXPECT_PRED1(isReddish, s.at(s.project(2, 4, 8)));
    EXPECT_PRED1(isReddish, s.at(s.project(-3, 5, -15)));
}

TEST(graphSurfacePixels, sphereAndHelixInTheParametricRanges) {
    // A parametric sphere of radius 3 and a helix of radius 6 around it; the ranges come
    // from the parametric fields, s over 0..2 pi and t over -pi/2..pi/2.
    drawnScene s({{"x = 3*cos(s)*cos(t), y = 3*sin(s)*cos(t), z = 3*sin(t)", Qt::red},
                  {"x = 6*cos(t), y = 6*sin(t), z = t", Qt::blue}});
    s.setRanges(0.0, 2 * M_PI, -M_PI / 2, M_PI / 2);
    s.drawNow("sphereHelix", graphDrawCheckerboard, 40);
    // The checkerboard of the sphere's cells on the side facing the camera, which looks
    // from (-1, 1, 1.77) after the turn of -45 degrees: cell (i, j) has t along i and s
    // along j, and is red where i div 4 + j div 4 is odd.
    const double dt = M_PI / 39, ds = 2 * M_PI / 39;
    int checked = 0;
    for (int i = 18; i < 30; i++) {
        for (int j = 12; j < 18; j++) {
            const double t = -M_PI / 2 + (i + 0.5) * dt, sv = (j + 0.5) * ds;
            const double x = 3 * std::cos(sv) * std::cos(t), y = 3 * std::sin(sv) * std::cos(t),
                         z = 3 * std::sin(t);
            if ((-x + y + 1.77 * z) / (3 * std::sqrt(2 + 1.77 * 1.77)) < 0.6)
                continue;  // near the outline
            SCOPED_TRACE(testing::Message() << "cell " << i << ", " << j);
            EXPECT_PRED1((i / 4 + j / 4) % 2 == 1 ? isRed : isWhite, s.at(s.project(x, y, z)));
            checked++;
        }
    }
    EXPECT_GT(checked, 20);
    // The helix at t = 1 and t = 1.4 (from 30 degrees above, the sphere hides its lower
    // half), and nothing outside the sphere's outline.
    EXPECT_GT(s.count(s.project(6 * std::cos(1.0), 6 * std::sin(1.0), 1.0), 1, isBlue), 0);
    EXPECT_GT(s.count(s.project(6 * std::cos(1.4), 6 * std::sin(1.4), 1.4), 1, isBlue), 0);
    EXPECT_EQ(s.count(s.project(-3, -3, 0), 2, [](rgb c) { return !isGrey(c); }), 0);
}

TEST(graphSurfacePixels, closedSurfacesAreLitOnTheSideTheCameraSees) {
    // Both parametrisations turn their normals inwards; the faces the camera sees are
    // lit like outward ones, in the surface's colour.
    const struct {
        const char *name, *equation;
        double tStart, tLength;
        QVector3D facing;  // a point of the surface facing the camera and the light
    } rows[] = {
        {"sphere", "x = 4*cos(s)*cos(t), y = 4*sin(s)*cos(t), z = 4*sin(t)", -M_PI / 2, M_PI,
         QVector3D(-4, 4, 7.08f).normalized() * 4},
        {"torus", "x = (5 + 2*cos(t))*cos(s), y = (5 + 2*cos(t))*sin(s), z = 2*sin(t)", 0, 2 * M_PI,
         QVector3D(-5 / std::sqrt(2.0f), 5 / std::sqrt(2.0f), 2)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        drawnScene s({{row.equation, Qt::red}});
        s.setRanges(0.0, 2 * M_PI, row.tStart, row.tStart + row.tLength);
        s.drawNow(row.name, graphDrawShaded, 60);
        // Beside the highlight, which is white.
        const rgb lit =
            s.at(s.project(row.facing.x(), row.facing.y(), row.facing.z()) + QPoint(12, 0));
        EXPECT_PRED1(isReddish, lit);
        EXPECT_GT(lit.r, 150);
    }
}

TEST(graphSurfacePixels, sphereStaysRoundInAWideView) {
    // The silhouette of a sphere at the centre of a 1200 x 600 view, the box around its
    // red pixels, is as wide as it is tall.
    drawnScene s({{"x = 4*cos(s)*cos(t), y = 4*sin(s)*cos(t), z = 4*sin(t)", Qt::red}}, 1200, 600);
    s.setRanges(0.0, 2 * M_PI, -M_PI / 2, M_PI / 2);
    s.drawNow("wideSphere", graphDrawShaded, 60);
    QRect box;
    for (int y = 0; y < 600; y++)
        for (int x = 0; x < 1200; x++)
            if (isReddish(s.at({x, y}))) box |= QRect(x, y, 1, 1);
    EXPECT_GT(box.height(), 150);
    EXPECT_NEAR(box.width(), box.height(), 0.03 * box.height());
    EXPECT_NEAR(box.center().x(), 600, 3);
}

}  // namespace

namespace {

// A shaded blue z = sin(x) cos(y) at the default 60 divisions, seen from the first view:
// highlights must not wash the surface out to white at its grid's vertices.
TEST(graphSurfacePixels, shadedSurfaceHasNoWashedOutHighlights) {
    drawnScene s({{"z = sin(x)*cos(y)", QColor(30, 80, 255)}}, 480, 360);
    s.view->setGridColor(Qt::black);
    s.drawNow("sinCosShaded", graphDrawShaded, 60);
    const int all = s.count(QRect(0, 0, 480, 360), [](rgb c) { return c.b > c.r + 30; });
    const int washed =
        s.count(QRect(0, 0, 480, 360), [](rgb c) { return c.r > 190 && c.g > 190 && c.b > 190; });
    ASSERT_GT(all, 480 * 360 / 5);
    EXPECT_LT(washed, all / 200) << washed << " of " << all;
}

// Coloured by height, a bump at (4, 4) and a dip at (-4, -4) take the map's two ends.
TEST(graphSurfacePixels, colourByHeightGivesTheEndsOfTheMap) {
    drawnScene s({{"z = e^(0 - (x-4)^2 - (y-4)^2) - e^(0 - (x+4)^2 - (y+4)^2)", Qt::red}});
    s.view->setColorByHeight(true);
    s.drawNow("heightColours", graphDrawShaded, 61, true);
    const rgb top = s.at(s.project(4, 4, 1)), bottom = s.at(s.project(-4, -4, -1));
    EXPECT_TRUE(top.r > top.b + 80 && top.g > top.b + 80) << top;                 // yellow
    EXPECT_TRUE(bottom.b > bottom.g + 30 && bottom.r > bottom.g + 10) << bottom;  // violet
    // Between them, at height 0, the middle of the map: green over red.
    const rgb middle = s.at(s.project(4, -4, 0));
    EXPECT_GT(middle.g, middle.r + 40) << middle;
}

}  // namespace
