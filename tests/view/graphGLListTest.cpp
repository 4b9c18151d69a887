// Lists of the OpenGL drawing interface are kept in memory and drawn from buffer objects;
// a scene drawn through a list must give the same pixels as the same calls made directly.
#include "platform/headlessGLContext.h"
#include "render/graphGLDraw.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr int size = 48;

using scene = std::function<void(graphDraw &)>;

struct glFrame {
    headlessGLContext context;
    graphGLDraw draw;

    glFrame() {
        if (!context.create(size, size)) throw std::runtime_error(context.error());
        draw.prepareState();
        draw.viewport(0, 0, size, size);
    }

    void start() {
        draw.loadProjectionIdentity();
        draw.ortho(-1, 1, -1, 1, -2, 2);
        draw.loadModelViewIdentity();
        draw.clear(0.2f, 0.3f, 0.4f, 1.0f);
    }

    std::vector<uint8_t> pixels() {
        std::vector<uint8_t> out(size * size * 4);
        draw.readPixels(size, size, graphPixelFormat::rgba, 1, out.data());
        return out;
    }
};

void lightFromFront(graphDraw &d) {
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f}, diffuse[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    d.lightColor(ambient, diffuse);
    d.enable(graphCapability::lighting);
    d.enable(graphCapability::light0);
}

struct sceneCase {
    const char *name;
    scene before;  // drawn directly before the list is called, in both frames
    scene body;    // made directly, or compiled into a list and called
};

std::vector<sceneCase> scenes() {
    return {
        {"colour per vertex on a stippled wide strip", [](graphDraw &) {},
         [](graphDraw &d) {
             d.lineWidth(3.0f);
             d.enable(graphCapability::lineStipple);
             d.begin(graphPrimitive::lineStrip);
             for (int i = 0; i <= 8; ++i) {
                 d.color(i / 8.0f, 1.0f - i / 8.0f, 0.5f, 1.0f);
                 d.vertex(-0.9f + 0.225f * i, (i % 2) ? 0.6f : -0.6f);
             }
             d.end();
             d.disable(graphCapability::lineStipple);
         }},
        {"lit strip with a normal and colour per vertex", [](graphDraw &) {},
         [](graphDraw &d) {
             lightFromFront(d);
             const float specular[4] = {0.5f, 0.5f, 0.5f, 1.0f}, shine[4] = {20, 0, 0, 0};
             d.material(graphMaterial::specular, specular);
             d.material(graphMaterial::shininess, shine);
             d.begin(graphPrimitive::triangleStrip);
             for (int i = 0; i <= 6; ++i) {
                 float x = -0.9f + 0.3f * i;
                 d.color(0.3f + 0.1f * i, 0.5f, 0.9f - 0.1f * i, 1.0f);
                 d.normal(x, 0.3f, 1.0f);
                 d.vertex(x, -0.5f, 0.1f * i);
                 d.normal(-x, -0.3f, 1.0f);
                 d.vertex(x, 0.5f, -0.1f * i);
             }
             d.end();
             d.disable(graphCapability::lighting);
         }},
        {"one normal and colour set inside the block carry over to text", [](graphDraw &) {},
         [](graphDraw &d) {
             lightFromFront(d);
             d.begin(graphPrimitive::triangles);
             d.normal(0.0f, 0.6f, 1.0f);
             d.color(0.9f, 0.4f, 0.1f, 1.0f);
             d.vertex(-0.8f, -0.8f);
             d.vertex(0.8f, -0.8f);
             d.vertex(0.0f, 0.2f);
             d.end();
             d.disable(graphCapability::lighting);
             d.text(-0.9f, 0.5f, 0.0f, "k=3", graphFont::fixed9By15);
         }},
        {"vertices before the first colour take the caller's colour",
         [](graphDraw &d) { d.color(0.1f, 0.9f, 0.2f, 1.0f); },
         [](graphDraw &d) {
             d.pointSize(4.0f);
             d.begin(graphPrimitive::points);
             d.vertex(-0.6f, 0.0f);
             d.vertex(-0.3f, 0.0f);
             d.color(1.0f, 0.0f, 1.0f, 1.0f);
             d.vertex(0.3f, 0.0f);
             d.vertex(0.6f, 0.0f);
             d.end();
             d.text(-0.9f, -0.7f, 0.0f, "0.5", graphFont::sans10);
         }},
        {"arrays of 2D vertices between matrix calls", [](graphDraw &) {},
         [](graphDraw &d) {
             const float xy[] = {-0.5f, -0.5f, 0.5f, -0.5f, 0.5f, 0.5f, -0.5f, 0.5f};
             d.color(1.0f, 1.0f, 0.0f, 0.5f);
             d.pushMatrix();
             d.rotate(30.0, 0.0, 0.0, 1.0);
             d.scaleAxes(1.5, 0.5, 1.0);
             d.vertices(graphPrimitive::lineStrip, xy, 4);
             d.popMatrix();
             d.vertices(graphPrimitive::triangleStrip, xy, 4);
             d.vertices(graphPrimitive::points, xy, 0);
         }},
    };
}

TEST(graphGLList, listDrawsTheSamePixelsAsDirectCalls) {
    for (const sceneCase &c : scenes()) {
        SCOPED_TRACE(c.name);
        glFrame frame;
        frame.start();
        c.before(frame.draw);
        c.body(frame.draw);
        const std::vector<uint8_t> direct = frame.pixels();

        glFrame listed;
        unsigned list = listed.draw.genList();
        listed.draw.newList(list);
        c.body(listed.draw);
        listed.draw.endList();
        listed.start();
        c.before(listed.draw);
        listed.draw.callList(list);
        EXPECT_EQ(listed.pixels(), direct);

        // The body changes the frame, so the comparison above saw it drawn by the list.
        listed.start();
        c.before(listed.draw);
        EXPECT_NE(listed.pixels(), direct);
    }
}

TEST(graphGLList, nestedListsAreLookedUpWhenCalled) {
    const float xy[] = {-0.2f, -0.2f, 0.2f, 0.2f};
    auto mark = [&](graphDraw &d, float red) {
        d.color(red, 1.0f, 1.0f, 1.0f);
        d.vertices(graphPrimitive::lines, xy, 2);
    };
    glFrame direct;
    direct.start();
    for (float dx : {-0.5, 0.5}) {
        direct.draw.pushMatrix();
        direct.draw.translate(dx, 0.0, 0.0);
        mark(direct.draw, 0.0f);
        direct.draw.popMatrix();
    }
    const std::vector<uint8_t> expected = direct.pixels();

    glFrame listed;
    graphGLDraw &d = listed.draw;
    unsigned inner = d.genList(), outer = d.genList();
    ASSERT_NE(inner, outer);
    d.newList(inner);
    mark(d, 1.0f);
    d.endList();
    d.newList(outer);
    for (float dx : {-0.5, 0.5}) {
        d.pushMatrix();
        d.translate(dx, 0.0, 0.0);
        d.callList(inner);
        d.popMatrix();
    }
    d.endList();
    // Redefining the inner list changes what the outer one draws.
    d.newList(inner);
    mark(d, 0.0f);
    d.endList();
    listed.start();
    d.callList(outer);
    EXPECT_EQ(listed.pixels(), expected);

    // A deleted list, and an outer list calling it, draw nothing.
    d.deleteList(inner);
    listed.start();
    const std::vector<uint8_t> empty = listed.pixels();
    d.callList(inner);
    d.callList(outer);
    EXPECT_EQ(listed.pixels(), empty);
}

TEST(graphGLList, badListCallsAreIgnored) {
    glFrame frame;
    graphGLDraw &d = frame.draw;
    unsigned self = d.genList(), other = d.genList();
    d.newList(self);
    d.callList(self);  // a list calling itself stops at the nesting limit
    d.newList(other);  // ignored: a list is already open
    d.begin(graphPrimitive::points);
    d.vertex(0.0f, 0.0f);
    d.endList();  // closes the unfinished block too
    d.endList();  // nothing open
    d.newList(0);
    d.endList();
    frame.start();
    d.callList(self);
    d.callList(other);
    d.callList(0);
    d.deleteList(other);
    const std::vector<uint8_t> pixels = frame.pixels();
    int drawn = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) drawn += pixels[i] > 200;
    EXPECT_GT(drawn, 0);  // the point, in the default white
}

}  // namespace
