// One graphing request of a graph view, carried out on a thread of its own.
//
// The constructor, on the view's thread, copies everything the request reads: the view's
// settings into a mirror view, the inspector's fields into the mirror's memory inspector,
// and the list's equations, classified there and then, with their colours. run() then
// graphs the mirror exactly as the view would graph itself (region set-up, renderers,
// compiling), drawing through a graphHandOverDraw that records the display lists. Back on
// the view's thread, graphGLView::adoptGraph hands the lists to the real drawing interface
// and takes the renderers and the region over.
//
// Threads: the constructor and everything after run() belong to the view's thread; run()
// owns the mirror, its renderers and the draw while it runs, and touches nothing the view's
// thread may change or free (the equations are its own copies). requestStop may be called
// from any thread; run() then returns early and completed() stays false.
#pragma once

#include "render/graphHandOverDraw.h"
#include "view/graphGLView.h"

#include <QColor>
#include <QString>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

class graphCompileJob {
public:
    graphCompileJob(const graphGLView &view, graphEquationSource &source,
                    const graphInspector &fields);
    ~graphCompileJob();
    graphCompileJob(const graphCompileJob &) = delete;
    graphCompileJob &operator=(const graphCompileJob &) = delete;

    // The classifier's message when an equation cannot be graphed; run() then does nothing.
    const QString &failure() const { return failureText; }

    // The graphing itself, on the worker thread.
    void run();
    void requestStop() { stopFlag.store(true); }
    bool stopRequested() const { return stopFlag.load(); }
    // run() went to its end without being stopped.
    bool completed() const { return done; }

    // The results, for adoptGraph.
    graphGLView &result() { return *mirror; }
    // The inspector fields graphing set (all of them, changed or not) and their values.
    const graphMemoryInspector &resultFields() const { return fields; }
    bool fieldWasSet(graphField field) const { return fields.wasSet(field); }
    const std::shared_ptr<graphHandOverDraw> &listDraw() const { return draw; }
    unsigned startRevision() const { return revision; }

private:
    // The list as it was when the request was made: equations classified once, colours.
    class snapshot : public graphEquationSource {
    public:
        ~snapshot() override;
        int equationCount() override { return static_cast<int>(equations.size()); }
        grEquation *equationAtIndex(int index) override;
        QColor colorAtIndex(int index) override;

        std::vector<grEquation *> equations;  // each handed out once, then null
        std::vector<QColor> colors;
    };

    // A memory inspector that notes which fields were set.
    class noting : public graphMemoryInspector {
    public:
        void setFieldValue(graphField field, double value) override {
            graphMemoryInspector::setFieldValue(field, value);
            set[static_cast<size_t>(field)] = true;
        }
        bool wasSet(graphField field) const { return set[static_cast<size_t>(field)]; }
        void forget() { set.fill(false); }

    private:
        std::array<bool, graphFieldCount> set{};
    };

    QString failureText;
    unsigned revision = 0;
    std::atomic<bool> stopFlag{false};
    bool done = false;
    snapshot equations;
    noting fields;
    std::shared_ptr<graphHandOverDraw> draw;
    std::unique_ptr<graphGLView> mirror;
};
