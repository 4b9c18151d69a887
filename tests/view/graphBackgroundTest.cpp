// Graphing requests carried out by a job on another thread and taken over by the view.
#include "render/graphHandOverDraw.h"
#include "render/graphStop.h"
#include "view/graphCompileJob.h"
#include "viewTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace {

// Keeps the requests the view hands over, to be run when the test says.
class heldRunner : public graphCompileRunner {
public:
    void start(std::unique_ptr<graphCompileJob> job) override {
        if (held) held->requestStop();
        superseded += held ? 1 : 0;
        held = std::move(job);
    }
    void stop() override {
        if (held) held->requestStop();
        held.reset();
    }
    // Runs the held job on a thread of its own and lets the view take it over.
    bool runAndAdopt(graphGLView &view) {
        if (!held) return false;
        std::thread worker([job = held.get()] { job->run(); });
        worker.join();
        const bool completed = held->completed();
        if (completed) view.adoptGraph(*held);
        held.reset();
        return completed;
    }
    std::unique_ptr<graphCompileJob> held;
    int superseded = 0;
};

// Notes which fields were written, whatever their values.
class notingInspector : public graphMemoryInspector {
public:
    void setFieldValue(graphField field, double value) override {
        graphMemoryInspector::setFieldValue(field, value);
        written.insert(field);
    }
    std::set<graphField> written;
};

// Everything a graph leaves in the view that the drawing pass and the inspector show.
struct graphOutcome {
    std::vector<std::vector<graphDrawStrip>> lists;
    graphRect bounds;
    bool is3D;
    float lowZ, highZ;
    std::vector<double> fields;
    QString status;
};

graphOutcome outcomeOf(recordedView &v) {
    graphOutcome o{{},
                   v.view.getGraphBounds(),
                   v.view.isThreeD(),
                   v.view.sceneLowZ(),
                   v.view.sceneHighZ(),
                   {},
                   v.status.text};
    for (size_t i = 0; i < v.view.rendererCount(); i++)
        o.lists.push_back(
            graphRecordingDraw::strips(v.draw.list(v.view.rendererAt(i).getCompileList())));
    for (int f = 0; f < graphFieldCount; f++)
        o.fields.push_back(v.view.getInspector().fieldValue(graphField(f)));
    return o;
}

void expectSame(const graphOutcome &a, const graphOutcome &b) {
    ASSERT_EQ(a.lists.size(), b.lists.size());
    for (size_t i = 0; i < a.lists.size(); i++) {
        ASSERT_EQ(a.lists[i].size(), b.lists[i].size()) << "renderer " << i;
        for (size_t s = 0; s < a.lists[i].size(); s++) {
            EXPECT_EQ(a.lists[i][s].primitive, b.lists[i][s].primitive);
            EXPECT_EQ(a.lists[i][s].vertices, b.lists[i][s].vertices) << "renderer " << i;
        }
    }
    EXPECT_EQ(a.bounds.x, b.bounds.x);
    EXPECT_EQ(a.bounds.width, b.bounds.width);
    EXPECT_EQ(a.is3D, b.is3D);
    EXPECT_EQ(a.lowZ, b.lowZ);
    EXPECT_EQ(a.highZ, b.highZ);
    EXPECT_EQ(a.fields, b.fields);
    EXPECT_EQ(a.status, b.status);
}

}  // namespace

// A graph made on a worker and taken over draws and shows exactly what the same request
// made on the view's own thread does, for every kind of scene set-up.
TEST(graphBackground, anAdoptedGraphIsTheGraphMadeInPlace) {
    const std::vector<std::vector<const char *>> lists = {
        {"y = x^2"},
        {"y = x^2", "x = y"},
        {"z = x*y"},
        {"x^2 + y^2 + z^2 = 9"},
        {"x = cos(t), y = sin(t)"},
        {"x = 4*cos(s)*cos(t), y = 4*sin(s)*cos(t), z = 4*sin(t)", "y = x"},
    };
    for (const auto &equations : lists) {
        SCOPED_TRACE(equations.front());
        recordedView inPlace, background;
        heldRunner runner;
        background.view.setCompileRunner(&runner);
        // Fields a graph sets to what they already hold are still set: a window's empty
        // field shows the value then.
        notingInspector inPlaceFields, backgroundFields;
        inPlace.view.setInspector(&inPlaceFields);
        background.view.setInspector(&backgroundFields);
        for (recordedView *v : {&inPlace, &background}) {
            for (const char *text : equations) v->list.add(text, Qt::red);
            v->view.setK(2.0);
            v->view.setDivisions3D(12);
            for (graphField f : {graphField::xBox, graphField::yBox, graphField::zBox})
                v->view.getInspector().setFieldValue(f, f == graphField::zBox ? 0.0 : 7.0);
            EXPECT_EQ(v->view.graphMultipleEquations(), QString());
        }
        // Until the job is taken over, nothing has changed.
        EXPECT_EQ(background.view.rendererCount(), 0u);
        EXPECT_FALSE(background.view.isGraphed());
        ASSERT_TRUE(runner.runAndAdopt(background.view));
        EXPECT_TRUE(background.view.isGraphed());
        expectSame(outcomeOf(inPlace), outcomeOf(background));
        EXPECT_EQ(inPlaceFields.written, backgroundFields.written);
    }
}

// What the user changes while the job runs is applied to the graph taken over.
TEST(graphBackground, changesMadeWhileAJobRunsApplyToItsGraph) {
    recordedView inPlace, background;
    heldRunner runner;
    background.view.setCompileRunner(&runner);
    for (recordedView *v : {&inPlace, &background}) {
        v->list.add("y = k*x^2", Qt::blue);
        v->view.setResetGraph(false);
    }
    background.view.graphMultipleEquations();
    // Meanwhile: another k and another region, as an animation and a zoom would.
    for (recordedView *v : {&inPlace, &background}) {
        v->view.setK(3.0);
        v->view.setGraphBounds({-5.0f, -5.0f, 10.0f, 10.0f});
        v->view.compileEquations();
    }
    inPlace.view.graphMultipleEquations();
    inPlace.view.setGraphBounds({-5.0f, -5.0f, 10.0f, 10.0f});
    inPlace.view.compileEquations();
    inPlace.view.updateBoundsText();
    ASSERT_TRUE(runner.runAndAdopt(background.view));
    expectSame(outcomeOf(inPlace), outcomeOf(background));
}

// A stopped or superseded job changes nothing; the renderers of the previous graph stay,
// with their lists, and a list that cannot be graphed answers at once.
TEST(graphBackground, stoppedAndFailedRequests) {
    recordedView v;
    heldRunner runner;
    v.view.setCompileRunner(&runner);
    v.list.add("y = x", Qt::black);
    v.view.graphMultipleEquations();
    ASSERT_TRUE(runner.runAndAdopt(v.view));
    const graphOutcome before = outcomeOf(v);
    ASSERT_EQ(before.lists.size(), 1u);

    v.list = {{"z = x*y", Qt::red}};
    v.view.graphMultipleEquations();
    v.view.graphMultipleEquations();  // supersedes the first request
    EXPECT_EQ(runner.superseded, 1);
    runner.held->requestStop();
    EXPECT_FALSE(runner.runAndAdopt(v.view));
    expectSame(before, outcomeOf(v));
    EXPECT_FALSE(v.view.isThreeD());

    v.list = {{"y = x", Qt::black}, {"t = 5", Qt::black}};
    EXPECT_FALSE(v.view.graphMultipleEquations().isEmpty());
    EXPECT_EQ(runner.held, nullptr);
    EXPECT_EQ(v.view.rendererCount(), 0u);
}

// A stop flag reaches the sampling loops of the thread that set up its scope, and no other.
TEST(graphBackground, stopFlagsBelongToTheirThread) {
    std::atomic<bool> flag{true};
    bool inScope = false, outside = true, afterScope = true;
    std::thread worker([&] {
        {
            const graphStopScope scope(flag);
            inScope = graphStopRequested();
        }
        afterScope = graphStopRequested();
    });
    outside = graphStopRequested();
    worker.join();
    EXPECT_TRUE(inScope);
    EXPECT_FALSE(afterScope);
    EXPECT_FALSE(outside);

    // A stopped implicit surface evaluates no layer and makes no mesh.
    recordedView v;
    heldRunner runner;
    v.view.setCompileRunner(&runner);
    v.list.add("x^2 + y^2 + z^2 = 9", Qt::red);
    v.view.graphMultipleEquations();
    graphCompileJob &job = *runner.held;
    job.requestStop();
    job.run();
    EXPECT_FALSE(job.completed());
    graphGLView &made = job.result();
    for (size_t i = 0; i < made.rendererCount(); i++) {
        float low = 0.0f, high = 0.0f;
        EXPECT_FALSE(made.rendererAt(i).heightRange(&low, &high));
    }
}

// Lists recorded before the hand-over are made on the target under new names; later
// compiles, calls and deletions reach the target's lists through the old names.
TEST(graphBackground, handOverDrawMovesItsListsToTheTarget) {
    graphHandOverDraw draw;
    const unsigned kept = draw.genList(), dropped = draw.genList(), empty = draw.genList();
    draw.newList(kept);
    draw.color(1.0f, 0.0f, 0.0f, 1.0f);
    draw.begin(graphPrimitive::lines);
    draw.vertex(1.0f, 2.0f);
    draw.vertex(3.0f, 4.0f);
    draw.end();
    draw.endList();
    draw.newList(dropped);
    draw.vertex(9.0f, 9.0f);
    draw.endList();
    draw.deleteList(dropped);

    graphRecordingDraw target;
    const unsigned targetOwn = target.genList();  // names already taken on the target
    draw.handOver(target);
    EXPECT_EQ(target.liveListCount(), 3u);  // its own, kept and empty

    draw.callList(kept);
    ASSERT_EQ(target.ops().size(), 1u);
    const auto called = static_cast<unsigned>(target.ops()[0].code);
    EXPECT_NE(called, targetOwn);
    const auto strips = graphRecordingDraw::strips(target.list(called));
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(strips[0].primitive, graphPrimitive::lines);
    EXPECT_EQ(strips[0].vertices, (std::vector<std::array<float, 3>>{{1, 2, 0}, {3, 4, 0}}));

    draw.newList(kept);
    draw.vertices(graphPrimitive::points, std::array<float, 2>{5.0f, 6.0f}.data(), 1);
    draw.endList();
    EXPECT_EQ(graphRecordingDraw::strips(target.list(called)).size(), 1u);
    EXPECT_EQ(graphRecordingDraw::strips(target.list(called))[0].primitive, graphPrimitive::points);

    draw.deleteList(kept);
    draw.deleteList(empty);
    EXPECT_FALSE(target.listExists(called));
    EXPECT_EQ(target.liveListCount(), 1u);
    draw.callList(kept);  // a deleted name draws nothing
    EXPECT_EQ(target.ops().back().call, graphDrawCall::deleteList);
}
