// The 3D scene's first view and scale, observed through the recording interface.
#include "render/graphRecordingDraw.h"
#include "view/graphFit.h"
#include "viewTestSupport.h"

#include <QMatrix4x4>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// A surface that reports heights from -4 to 6 and draws nothing.
class fakeSurface : public graphRender {
public:
    using graphRender::graphRender;
    bool is3D() const override { return true; }
    bool heightRange(float *low, float *high) override {
        *low = -4.0f, *high = 6.0f;
        return true;
    }
};

std::unique_ptr<graphRender> withFakeSurface(uint8_t kind, graphDraw &draw) {
    if (kind == grKindZOfXY) return std::make_unique<fakeSurface>(draw);
    return nullptr;
}

// The projection and camera of the last 3D pass, from the recorded calls.
QMatrix4x4 sceneTransform(const std::vector<graphDrawOp> &ops) {
    QMatrix4x4 m;
    for (const graphDrawOp &op : ops) {
        const auto &a = op.args;
        if (op.call == graphDrawCall::perspective)
            m.perspective(float(a[0]), float(a[1]), float(a[2]), float(a[3]));
        else if (op.call == graphDrawCall::lookAt)
            m.lookAt(QVector3D(float(a[0]), float(a[1]), float(a[2])),
                     QVector3D(float(a[3]), float(a[4]), float(a[5])),
                     QVector3D(float(a[6]), float(a[7]), float(a[8])));
        else if (op.call == graphDrawCall::rotate)
            m.rotate(float(a[0]), float(a[1]), float(a[2]), float(a[3]));
        else if (op.call == graphDrawCall::translate)
            m.translate(float(a[0]), float(a[1]), float(a[2]));
        else if (op.call == graphDrawCall::scaleAxes)
            m.scale(float(a[0]), float(a[1]), float(a[2]));
    }
    return m;
}

TEST(graphViewScale, firstViewHasZUpFromThirtyDegreesAboveAndFitKeepsIt) {
    recordedView v;
    v.list = {{"z = x*y/20", Qt::black}};
    v.view.setRotationDegrees(70, 10);
    ASSERT_EQ(v.view.graphMultipleEquations(), QString());
    for (bool fitted : {false, true}) {
        SCOPED_TRACE(fitted ? "fitted" : "first view");
        if (fitted) {
            ASSERT_TRUE(graphFitCamera(v.view, v.list));
        }
        v.draw.clearOps();
        v.view.drawRect();
        const QMatrix4x4 m = sceneTransform(v.draw.ops());
        // The z axis points straight up the screen.
        const QVector3D origin = m.map(QVector3D(0, 0, 0)), up = m.map(QVector3D(0, 0, 1));
        EXPECT_NEAR(up.x(), origin.x(), 1e-5);
        EXPECT_GT(up.y(), origin.y());
        // The camera looks down on the x-y plane from about 30 degrees.
        const QVector3D eye = m.inverted().map(QVector3D(0, 0, -1)),
                        focus = m.inverted().map(QVector3D(0, 0, 1));
        const QVector3D view = (eye - focus).normalized();
        EXPECT_NEAR(std::asin(view.z()) * 180 / M_PI, 30.0, 1.0);
    }
    EXPECT_EQ(v.view.rotationDegreesX(), graphGLView::firstRotationX);
    EXPECT_EQ(v.view.rotationDegreesY(), graphGLView::firstRotationY);
}

TEST(graphViewScale, tickLabelsOnThreeEdgesNeverOverlapAndStayInTheirRanges) {
    const struct {
        float width, height;
        double tilt, turn;
    } rows[] = {{400, 400, graphGLView::firstRotationX, graphGLView::firstRotationY},
                {400, 400, 0, 30},
                {800, 300, -10, 100},
                {300, 700, 20, 200},
                {400, 400, 15, -120}};
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << " x " << row.height << " tilt " << row.tilt
                                        << " turn " << row.turn);
        recordedView v;
        v.view.setRenderFactory(withFakeSurface);
        v.view.setFrame(row.width, row.height);
        v.list = {{"z = x*y", Qt::black}};
        v.view.graphMultipleEquations();
        // A region away from the origin, so x and y labels read 100 to 120.
        v.view.setGraphBounds({100.0f, 100.0f, 20.0f, 20.0f});
        v.view.setFocus(110.0f, 110.0f, 1.0f);
        v.view.setCameraDistance(1.6);  // the whole box and its labels in view
        v.view.compileEquations();
        v.view.setRotationDegrees(row.tilt, row.turn);
        v.draw.clearOps();
        v.view.drawRect();
        // The tick labels: every text but the axis names and the size caption.
        std::vector<graphDrawText> texts;
        for (const graphDrawText &t : graphRecordingDraw::texts(v.draw.ops()))
            if (t.text != "X" && t.text != "Y" && t.text != "Z" &&
                t.text.find('x') == std::string::npos)
                texts.push_back(t);
        // x and y run over 100..120, the heights over -4..6.
        std::set<double> heights, others;
        for (const graphDrawText &t : texts) {
            const double value = std::stod(t.text);
            if (value >= 100.0) {
                EXPECT_LE(value, 120.0) << t.text;
                others.insert(value);
            } else {
                EXPECT_GE(value, -4.0) << t.text;
                EXPECT_LE(value, 6.0) << t.text;
                heights.insert(value);
            }
        }
        EXPECT_GE(heights.size(), 2u);
        EXPECT_GE(others.size(), 3u);
        // Inside the view and apart from each other.
        graphRecordingDraw measure;
        for (size_t i = 0; i < texts.size(); i++) {
            const graphTextSize a = measure.textSize(texts[i].text, graphFont::sans10);
            EXPECT_GE(texts[i].x, 0.0);
            EXPECT_LE(texts[i].x + a.width, row.width);
            for (size_t j = 0; j < i; j++) {
                const graphTextSize b = measure.textSize(texts[j].text, graphFont::sans10);
                const bool apart =
                    texts[i].x + a.width <= texts[j].x || texts[j].x + b.width <= texts[i].x ||
                    texts[i].y + a.height <= texts[j].y || texts[j].y + b.height <= texts[i].y;
                EXPECT_TRUE(apart) << texts[i].text << " and " << texts[j].text;
            }
        }
    }
}

}  // namespace
