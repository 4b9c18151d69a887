// Graphing requests and the drawing pass, observed through the recording interface.
#include "render/graph2DRender.h"
#include "render/graphRecordingDraw.h"
#include "view/graphLabels.h"
#include "viewTestSupport.h"

#include <QMatrix4x4>

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>

namespace {

// A stand-in 3D renderer, so the 3D pass can be drawn before the surface renderers exist.
class fake3DRender : public graphRender {
public:
    using graphRender::graphRender;
    bool is3D() const override { return true; }
    void setDrawMode(int mode) override { drawMode = mode; }
    int drawMode = -1;
};

std::unique_ptr<graphRender> withFake3D(uint8_t kind, graphDraw &draw) {
    if (kind == grKindZOfXY) return std::make_unique<fake3DRender>(draw);
    if (kind == grKindYOfX) return std::make_unique<graph2DRender>(draw);
    return nullptr;
}

// A stand-in parametric renderer that remembers what the view handed it.
class fakeParametricRender : public graphRender {
public:
    using graphRender::graphRender;
    bool isParametric() const override { return true; }
    void setTStart(double start, double length) override { t = {start, length}; }
    void setSStart(double start, double length) override { s = {start, length}; }
    void setDivisions3D(int divisions) override { this->divisions = divisions; }
    void compileWithBounds(graphRect, graphRect, const QColor &) override { compiles++; }
    std::pair<double, double> t{-1, -1}, s{-1, -1};
    int divisions = 0, compiles = 0;
};

std::unique_ptr<graphRender> withFakeParametric(uint8_t kind, graphDraw &draw) {
    if (kind == grKind2DParametricCurve) return std::make_unique<fakeParametricRender>(draw);
    return nullptr;
}

std::vector<std::string> textsOf(const std::vector<graphDrawText> &texts) {
    std::vector<std::string> result;
    for (auto &t : texts) result.push_back(t.text);
    return result;
}

// The blocks of lines drawn by the pass; the grid is the first one.
std::vector<graphDrawStrip> lineBlocks(const graphRecordingDraw &draw) {
    std::vector<graphDrawStrip> lines;
    for (auto &s : graphRecordingDraw::strips(draw.ops()))
        if (s.primitive == graphPrimitive::lines) lines.push_back(s);
    return lines;
}

TEST(graphViewGraphing, makesOneRendererPerEquationAndCompilesIt) {
    recordedView v;
    v.list = {{"y = x^2", Qt::red}, {"x = y", Qt::blue}};
    v.view.scrollX(5, 0);
    v.view.setK(3.0);
    EXPECT_EQ(v.view.graphMultipleEquations(), QString());
    ASSERT_EQ(v.view.rendererCount(), 2u);
    EXPECT_TRUE(v.view.isGraphed());
    EXPECT_FALSE(v.view.isThreeD());
    EXPECT_EQ(v.status.text, "(0.0, 0.0)");
    EXPECT_EQ(v.status.cursor, graphCursor::arrow);
    EXPECT_FALSE(v.inspector.page3D);
    EXPECT_FALSE(v.inspector.parametricVisible);
    EXPECT_EQ(v.surface.broughtToFront, 1);
    // resetGraph restored the default region before compiling.
    EXPECT_EQ(v.view.rendererAt(0).getBounds(), (graphRect{-50.0f, -50.0f, 100.0f, 100.0f}));
    EXPECT_EQ(v.view.rendererAt(1).getK(), 3.0);

    // Each list starts with its entry's colour.
    auto &list = v.draw.list(v.view.rendererAt(0).getCompileList());
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].args[0], 1.0);
    EXPECT_EQ(list[0].args[2], 0.0);
}

TEST(graphViewGraphing, keepsTheRegionWithoutResetGraph) {
    recordedView v;
    v.list = {{"y = x", Qt::black}};
    v.view.setResetGraph(false);
    v.view.scrollX(5, 0);
    v.view.graphMultipleEquations();
    EXPECT_EQ(v.view.rendererAt(0).getBounds().x, -45.0f);
}

TEST(graphViewGraphing, aFailingEquationLeavesNoGraph) {
    recordedView v;
    v.list = {{"y = x", Qt::black}};
    v.view.graphMultipleEquations();
    ASSERT_EQ(v.view.rendererCount(), 1u);

    v.list = {{"y = x^2", Qt::black}, {"t = 5", Qt::black}, {"y = x", Qt::black}};
    int displays = v.surface.displays, needs = v.surface.needsDisplay;
    EXPECT_EQ(v.view.graphMultipleEquations(), "left hand side of '=' must be X, Y or Z.");
    EXPECT_EQ(v.view.rendererCount(), 0u);
    EXPECT_EQ(v.list.asked, 2);  // the third entry is never asked for
    // Every display list made so far is gone again.
    EXPECT_EQ(v.draw.liveListCount(), 0u);
    EXPECT_EQ(v.surface.displays, displays);
    EXPECT_EQ(v.surface.needsDisplay, needs);

    // The next pass draws the grid and no curve.
    v.draw.clearOps();
    v.view.renderMultipleEquations();
    for (auto &op : v.draw.ops()) EXPECT_NE(op.call, graphDrawCall::callList);
}

TEST(graphViewGraphing, kindsWithoutRendererAreSkipped) {
    // Every kind the engine produces has a renderer; a table without the parametric
    // curve stands for a kind outside it.
    recordedView v;
    v.view.setRenderFactory([](uint8_t kind, graphDraw &draw) -> std::unique_ptr<graphRender> {
        if (kind == grKindYOfX) return std::make_unique<graph2DRender>(draw);
        return nullptr;
    });
    v.list = {{"x = t, y = t", Qt::black}, {"y = x", Qt::black}};
    EXPECT_EQ(v.view.graphMultipleEquations(), QString());
    EXPECT_EQ(v.view.rendererCount(), 1u);
    EXPECT_EQ(v.draw.liveListCount(), 1u);
}

TEST(graphViewGraphing, oneSurfaceMakesTheWholeScene3D) {
    recordedView v;
    v.view.setRenderFactory(withFake3D);
    v.view.setDrawMode(3);
    v.inspector.setFieldValue(graphField::xBox, 4);
    v.list = {{"y = x^2", Qt::black}, {"z = x*y", Qt::black}};
    v.view.graphMultipleEquations();
    ASSERT_EQ(v.view.rendererCount(), 2u);
    EXPECT_TRUE(v.view.isThreeD());
    EXPECT_TRUE(v.inspector.page3D);
    EXPECT_EQ(v.field(graphField::xBox), 0.0);
    EXPECT_EQ(v.view.getGraphBounds(), (graphRect{-10.0f, -10.0f, 20.0f, 20.0f}));
    EXPECT_EQ(v.view.rotationDegreesY(), graphGLView::firstRotationY);
    EXPECT_EQ(v.view.rotationDegreesX(), graphGLView::firstRotationX);
    EXPECT_EQ(v.view.getIdleRotationY(), 1.2);
    EXPECT_EQ(static_cast<fake3DRender &>(v.view.rendererAt(1)).drawMode, 3);

    // Both renderers are drawn inside the 3D scene, followed by the axis names, the tick
    // labels and the caption.
    v.draw.clearOps();
    v.view.renderMultipleEquations();
    int calls = 0;
    for (auto &op : v.draw.ops()) calls += op.call == graphDrawCall::callList;
    EXPECT_EQ(calls, 2);
    auto texts = graphRecordingDraw::texts(v.draw.ops());
    ASSERT_GT(texts.size(), 4u);
    const std::vector<std::string> strings = textsOf(texts);
    EXPECT_EQ(std::vector<std::string>(strings.begin(), strings.begin() + 3),
              (std::vector<std::string>{"Z", "Y", "X"}));
    EXPECT_EQ(texts.back().text, "20x20");
    EXPECT_EQ(texts.back().x, -0.98);
    EXPECT_EQ(texts.back().color, (std::array<float, 4>{0, 0, 0, 1}));
}

TEST(graphViewGraphing, sceneKeepsItsProportionsAndAxisNamesInAnyViewShape) {
    const struct {
        float width, height;
        double turn;
    } rows[] = {{400, 400, -45},  {1200, 600, -45}, {1200, 600, 60},
                {600, 1200, -45}, {300, 900, 150},  {1000, 250, 10}};
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.width << " x " << row.height << " turned " << row.turn);
        recordedView v;
        v.view.setRenderFactory(withFake3D);
        v.view.setFrame(row.width, row.height);
        v.list = {{"z = x*y", Qt::black}};
        v.view.graphMultipleEquations();
        v.view.setRotationDegrees(15, row.turn);
        v.draw.clearOps();
        v.view.renderMultipleEquations();

        // The camera as the pass set it up, from the recorded calls.
        QMatrix4x4 m;
        for (const graphDrawOp &op : v.draw.ops()) {
            const auto &a = op.args;
            if (op.call == graphDrawCall::perspective) {
                // One graph unit spans as many pixels across as up; 40 degrees fit the
                // shorter side.
                EXPECT_DOUBLE_EQ(a[1], double(row.width) / row.height);
                EXPECT_NEAR(std::tan(a[0] / 2 * M_PI / 180) * std::min(1.0, a[1]),
                            std::tan(20 * M_PI / 180), 1e-12);
                m.perspective(float(a[0]), float(a[1]), float(a[2]), float(a[3]));
            } else if (op.call == graphDrawCall::lookAt) {
                m.lookAt(QVector3D(float(a[0]), float(a[1]), float(a[2])),
                         QVector3D(float(a[3]), float(a[4]), float(a[5])),
                         QVector3D(float(a[6]), float(a[7]), float(a[8])));
            } else if (op.call == graphDrawCall::rotate) {
                m.rotate(float(a[0]), float(a[1]), float(a[2]), float(a[3]));
            } else if (op.call == graphDrawCall::translate) {
                m.translate(float(a[0]), float(a[1]), float(a[2]));
            }
        }
        // The axis names, in view pixels, stand inside the view on their axes' screen
        // lines, at most just beyond the axes' ends.
        auto texts = graphRecordingDraw::texts(v.draw.ops());
        ASSERT_GE(texts.size(), 4u);
        const std::vector<std::string> strings = textsOf(texts);
        ASSERT_EQ(std::vector<std::string>(strings.begin(), strings.begin() + 3),
                  (std::vector<std::string>{"Z", "Y", "X"}));
        auto pixel = [&](QVector3D p) {
            const QVector3D q = m.map(p);
            return QPointF((q.x() + 1) / 2 * row.width, (q.y() + 1) / 2 * row.height);
        };
        const QPointF origin = pixel({0, 0, 0});
        const QVector3D ends[3] = {{0, 0, 12.6f}, {0, 12.6f, 0}, {12.6f, 0, 0}};
        for (int k = 0; k < 3; k++) {
            const float column = float(texts[k].x), line = float(texts[k].y);
            EXPECT_GE(column, 0.0f) << texts[k].text;
            EXPECT_LE(column + 9, row.width) << texts[k].text;
            EXPECT_GE(line, 0.0f) << texts[k].text;
            EXPECT_LE(line + 12, row.height) << texts[k].text;
            const QPointF end = pixel(ends[k]) - origin, at = QPointF(column, line) - origin;
            EXPECT_NEAR(end.x() * at.y() - end.y() * at.x(), 0.0,
                        1e-3 * QPointF::dotProduct(end, end))
                << texts[k].text;
            EXPECT_LE(QPointF::dotProduct(at, end), QPointF::dotProduct(end, end) * 1.0001)
                << texts[k].text;
        }
    }
}

TEST(graphViewGraphing, settingsReachTheRenderers) {
    recordedView v;
    v.view.setRenderFactory(withFakeParametric);
    v.inspector.setFieldValue(graphField::minT, 2);
    v.inspector.setFieldValue(graphField::maxT, 900);
    v.list = {{"x = t, y = t", Qt::black}};
    v.view.graphMultipleEquations();
    ASSERT_EQ(v.view.rendererCount(), 1u);
    auto &render = static_cast<fakeParametricRender &>(v.view.rendererAt(0));
    // Graphing a parametric set shows the panel and applies its clamped ranges.
    EXPECT_TRUE(v.inspector.parametricVisible);
    EXPECT_EQ(render.t, (std::pair<double, double>{2, 500}));
    EXPECT_EQ(render.s, (std::pair<double, double>{0, 20}));
    EXPECT_EQ(render.divisions, 60);

    int compiles = render.compiles;
    v.view.setK(4);  // k alone neither recompiles nor redraws
    EXPECT_EQ(render.getK(), 4.0);
    EXPECT_EQ(render.compiles, compiles);
    v.view.setDivisions3D(1000);
    EXPECT_EQ(render.divisions, 200);
    v.view.setAxisColor(Qt::red);  // colours recompile
    v.view.set3DDrawMode(2);
    EXPECT_EQ(v.view.getDrawMode(), 2);
    EXPECT_EQ(render.compiles, compiles + 3);
}

TEST(graphViewDrawing, gridLinesAndLabelsOfTheDefaultRegion) {
    recordedView v;
    v.view.setGridColor(QColor::fromRgbF(0.0f, 1.0f, 0.0f));
    v.view.renderMultipleEquations();
    auto lines = lineBlocks(v.draw);
    ASSERT_GE(lines.size(), 3u);
    std::vector<float> vertical;
    for (size_t i = 0; i < lines[0].vertices.size(); i += 2)
        if (lines[0].vertices[i][0] == lines[0].vertices[i + 1][0])
            vertical.push_back(lines[0].vertices[i][0]);
    EXPECT_EQ(vertical, (std::vector<float>{-40, -20, 0, 20, 40}));

    auto texts = graphRecordingDraw::texts(v.draw.ops());
    EXPECT_EQ(textsOf(texts),
              (std::vector<std::string>{"-40", "-20", "0", "20", "40", "-40", "-20", "20", "40"}));
    // Five pixels (of a quarter unit each) right of and above each crossing.
    EXPECT_DOUBLE_EQ(texts[0].x, -40 + 1.25);
    EXPECT_DOUBLE_EQ(texts[0].y, 1.25);
    EXPECT_DOUBLE_EQ(texts[5].x, 1.25);
    EXPECT_DOUBLE_EQ(texts[5].y, -40 + 1.25);
    EXPECT_EQ(texts[0].font, graphFont::sans10);

    // The solid axes follow the grid; nothing is stippled.
    EXPECT_EQ(lines[1].vertices[0], (std::array<float, 3>{0, -50, 0}));
    EXPECT_EQ(lines[2].vertices[0], (std::array<float, 3>{-50, 0, 0}));
    for (auto &op : v.draw.ops())
        EXPECT_FALSE(op.call == graphDrawCall::enable &&
                     op.code == int(graphCapability::lineStipple));
}

TEST(graphViewDrawing, offscreenAxesAreDashedFifteenPixelsInside) {
    recordedView v;
    v.view.setGraphBounds({10, 10, 100, 100});
    v.view.renderMultipleEquations();
    auto lines = lineBlocks(v.draw);
    ASSERT_GE(lines.size(), 3u);
    // A quarter unit per pixel: 15 pixels are 3.75 units.
    EXPECT_EQ(lines[1].vertices[0][0], 13.75f);
    EXPECT_EQ(lines[2].vertices[0][1], 13.75f);
    int stippled = 0;
    for (auto &op : v.draw.ops())
        stippled +=
            op.call == graphDrawCall::enable && op.code == int(graphCapability::lineStipple);
    EXPECT_EQ(stippled, 2);
    auto texts = graphRecordingDraw::texts(v.draw.ops());
    ASSERT_FALSE(texts.empty());
    // The first grid line, at the multiple of 20 towards 0, lies outside the region and
    // its label would start off the left edge.
    EXPECT_EQ(texts[0].text, "20");
    EXPECT_DOUBLE_EQ(texts[0].y, 13.75 + 1.25);
}

TEST(graphViewDrawing, emptyRegionDrawsTheBackgroundOnly) {
    for (graphRect region : {graphRect{3, -1, 0, 2}, graphRect{3, -1, 2, 0}}) {
        recordedView v;
        v.list = {{"y = x", Qt::black}};
        v.view.setResetGraph(false);
        v.view.setGraphBounds(region);
        v.view.graphMultipleEquations();
        v.draw.clearOps();
        v.view.renderMultipleEquations();
        for (auto &op : v.draw.ops()) {
            EXPECT_TRUE(op.call == graphDrawCall::viewport || op.call == graphDrawCall::clear ||
                        op.call == graphDrawCall::flush);
            for (double a : op.args) EXPECT_TRUE(std::isfinite(a));
        }
    }
}

TEST(graphViewDrawing, traceMarksAroundTheCurves) {
    recordedView v;
    v.list = {{"y = x", Qt::black}};
    v.view.graphMultipleEquations();
    v.view.setSelection(true, {3, 4});
    v.draw.clearOps();
    v.view.renderMultipleEquations();
    const auto &ops = v.draw.ops();
    auto call = std::find_if(ops.begin(), ops.end(),
                             [](auto &op) { return op.call == graphDrawCall::callList; });
    auto point = std::find_if(ops.begin(), ops.end(), [](auto &op) {
        return op.call == graphDrawCall::begin && op.code == int(graphPrimitive::points);
    });
    ASSERT_NE(call, ops.end());
    ASSERT_NE(point, ops.end());
    EXPECT_LT(point, call);
    auto lines = lineBlocks(v.draw);
    EXPECT_EQ(lines.back().vertices[0], (std::array<float, 3>{3, -50, 0}));
    EXPECT_EQ(lines.back().vertices[3], (std::array<float, 3>{50, 4, 0}));
}

TEST(graphViewLabels, formatsFollowTheSpacing) {
    struct {
        double value;
        float spacing;
        const char *text;
    } cases[] = {
        {1.5, 0.5f, "1.500"},    {0.04, 0.02f, "4.000000e-02"},
        {20000, 10000, "20000"}, {40000, 20000, "4.000000e+04"},
        {-40, 20, "-40"},        {0, 20, "0"},
    };
    struct {
        float size;
        const char *text;
    } captions[] = {{20, "20x20"},
                    {2.5f, "2.500x2.500"},
                    {0.04f, "4.000000e-02x4.000000e-02"},
                    {25000, "2.500000e+04x2.500000e+04"}};
    // The notation stays the C one under a locale that writes "1,500".
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale)) {
            std::setlocale(LC_ALL, "C");
            GTEST_SKIP() << "locale " << locale << " is not installed";
        }
        for (auto &c : cases)
            EXPECT_EQ(graphLabelText(c.value, c.spacing), c.text) << c.value << " " << locale;
        for (auto &c : captions)
            EXPECT_EQ(graphSizeCaption(c.size, c.size), c.text) << c.size << " " << locale;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(graphViewLabels, readCleanlyOnceAndNeverOverlap) {
    // Every label must read as a whole multiple of the typed spacing.
    struct {
        graphRect region;
        float counts;
        double spacingX, spacingY;
        size_t fewestPerAxis;
        int zeros = 1;
    } cases[] = {
        // Regions whose grid positions, summed in float, used to read 4.999999e-08, -0.000
        // or -2.842171e-14 for zero.
        {{-1e-6f, -1e-6f, 2e-6f, 2e-6f}, 10, 2e-7, 2e-7, 3},
        {{-3e-7f, -3e-7f, 1e-6f, 1e-6f}, 20, 5e-8, 5e-8, 3},
        {{-0.35f, -0.35f, 1, 1}, 20, 0.05, 0.05, 5},
        {{-5e-5f, -5e-5f, 1.3e-4f, 1.3e-4f}, 13, 1e-5, 1e-5, 3},
        {{-0.7f, -0.7f, 1.4f, 1.4f}, 14, 0.1, 0.1, 5},
        // Dense and wide labels, and axes far from the origin.
        {{-12000, -2e5f, 24000, 4e5f}, 20, 1200, 20000, 3},
        {{1000, 1000, 1, 1}, 20, 0.05, 0.05, 3, 0},
        // The vertical axis is off to the left: its labels show the 0 of the x axis.
        {{5, -5, 10, 10}, 10, 1, 1, 3},
    };
    for (auto &c : cases) {
        recordedView v;
        v.view.setGraphBounds(c.region);
        v.view.setGridCounts(c.counts, c.counts);
        v.view.renderMultipleEquations();
        const graphRect r = c.region;
        const double ux = r.width / 400.0, uy = r.height / 400.0;
        struct box {
            double left, bottom, right, top;
        };
        std::vector<box> boxes;
        int zeros = 0;
        const auto texts = graphRecordingDraw::texts(v.draw.ops());
        ASSERT_FALSE(texts.empty());
        for (auto &t : texts) {
            SCOPED_TRACE(t.text + " in region at " + std::to_string(r.x));
            const double value = std::stod(t.text);
            // The horizontal axis's labels come first, all on one baseline.
            const double spacing = t.y == texts[0].y ? c.spacingX : c.spacingY;
            EXPECT_NEAR(value / spacing, std::round(value / spacing), 1e-9);
            zeros += value == 0.0;
            EXPECT_FALSE(value == 0.0 && t.text[0] == '-');
            const graphTextSize size = v.draw.textSize(t.text, t.font);
            const double x = (t.x - r.x) / ux, y = (t.y - r.y) / uy;
            const box b{x, y - size.height * 0.25, x + size.width, y + size.height * 0.75};
            EXPECT_GE(b.left, 0.0);
            EXPECT_GE(b.bottom, 0.0);
            EXPECT_LE(b.right, 400.0);
            EXPECT_LE(b.top, 400.0);
            for (const box &o : boxes)
                EXPECT_FALSE(b.left < o.right && o.left < b.right && b.bottom < o.top &&
                             o.bottom < b.top);
            boxes.push_back(b);
        }
        EXPECT_EQ(zeros, c.zeros) << r.x;
        EXPECT_GE(boxes.size(), 2 * c.fewestPerAxis) << r.x;
    }
}

TEST(graphViewLabels, niceSpacingsGiveFiveToTenLines) {
    struct {
        double extent, spacing;
    } cases[] = {{100, 20},    {20, 2},       {3, 0.5}, {1, 0.2}, {7, 1},       {2.4, 0.5},
                 {1e-6, 2e-7}, {24690, 5000}, {0, 0},   {-5, 0},  {INFINITY, 0}};
    for (auto &c : cases)
        EXPECT_NEAR(graphNiceSpacing(c.extent), c.spacing, c.spacing * 1e-9) << c.extent;
    // Across every scale the count stays near five to ten.
    for (double extent = 1e-5; extent < 1e6; extent *= 1.37) {
        const double count = extent / graphNiceSpacing(extent);
        EXPECT_GE(count, 4.0) << extent;
        EXPECT_LE(count, 12.5) << extent;
    }
}

TEST(graphViewSpin, anglesWrapAndTheLockIsOnlyTried) {
    recordedView v;
    v.view.rotate();  // 2D: nothing
    EXPECT_EQ(v.surface.needsDisplay, 0);

    v.view.setRenderFactory(withFake3D);
    v.list = {{"z = x*y", Qt::black}};
    v.view.graphMultipleEquations();
    v.view.setRotationDegrees(-359.9, 359.5);
    v.view.setIdleRotation(-0.2, 1.2);
    int needs = v.surface.needsDisplay;
    v.view.rotate();
    EXPECT_NEAR(v.view.rotationDegreesY(), 0.7, 1e-9);
    EXPECT_NEAR(v.view.rotationDegreesX(), -0.1, 1e-9);
    EXPECT_EQ(v.surface.needsDisplay, needs + 1);

    // While a drag turns the scene the tick is skipped; after it the spin goes on.
    v.view.mouseDown({10.0f, 10.0f});
    ASSERT_EQ(v.view.currentTracking(), graphGLView::tracking::rotate3D);
    needs = v.surface.needsDisplay;
    v.view.rotate();
    EXPECT_NEAR(v.view.rotationDegreesY(), 0.7, 1e-9);
    EXPECT_EQ(v.surface.needsDisplay, needs);
    v.view.mouseUp({10.0f, 10.0f});
    v.view.setIdleRotation(0.0, 1.0);
    v.view.rotate();
    EXPECT_NEAR(v.view.rotationDegreesY(), 1.7, 1e-9);
}

}  // namespace
