// Graphing requests that run on a worker thread: the job's mirror of the view, and taking
// its results over.
#include "view/graphCompileJob.h"
#include "view/graphGLView.h"

QString graphGLView::graphInBackground() {
    auto job = std::make_unique<graphCompileJob>(*this, *equationTable, *inspector);
    if (!job->failure().isEmpty()) {
        // As on this thread: a list that cannot be graphed leaves nothing graphed.
        runner->stop();
        selectionPoint = {0.0f, 0.0f};
        pointSelected = false;
        equationArray.clear();
        jobDraw.reset();
        is3D = false;
        return job->failure();
    }
    runner->start(std::move(job));
    return QString();
}

void graphGLView::copySettingsTo(graphGLView &mirror) const {
    mirror.makeRender = makeRender;
    mirror.frameWidth = frameWidth;
    mirror.frameHeight = frameHeight;
    mirror.graphBounds = graphBounds;
    mirror.is3D = is3D;
    mirror.constrainProportions = constrainProportions;
    mirror.resetGraph = resetGraph;
    mirror.focusX = focusX, mirror.focusY = focusY, mirror.focusZ = focusZ;
    mirror.gridXCount = gridXCount, mirror.gridYCount = gridYCount;
    mirror.kValue = kValue;
    mirror.backgroundColor = backgroundColor;
    mirror.backgroundColor3D = backgroundColor3D;
    mirror.axisColor = axisColor;
    mirror.gridColor = gridColor;
    mirror.selectionColor = selectionColor;
    mirror.rotationX = rotationX, mirror.rotationY = rotationY;
    mirror.divisions3D = divisions3D;
    mirror.idleRotationX = idleRotationX, mirror.idleRotationY = idleRotationY;
    mirror.drawMode = drawMode;
    mirror.cameraDistance = cameraDistance;
    mirror.colorByHeight = colorByHeight;
}

void graphGLView::adoptGraph(graphCompileJob &job) {
    graphGLView &made = job.result();
    // 1. The renderers: the old ones go (their lists with them), the job's lists become
    //    lists of this view's drawing interface.
    equationArray.clear();
    job.listDraw()->handOver(draw);
    jobDraw = job.listDraw();
    equationArray = std::move(made.equationArray);
    bool parametric = false, polar = false;
    for (entry &e : equationArray) {
        parametric = parametric || e.render->isParametric();
        polar = polar || e.render->isPolar();
    }

    // 2. The scene as the job set it up. A 2D region the user moved meanwhile stays, unless
    //    graphing resets it anyway.
    const bool moved = revision != job.startRevision();
    selectionPoint = made.selectionPoint;
    pointSelected = made.pointSelected;
    is3D = made.is3D;
    if (!moved || is3D || resetGraph) {
        graphBounds = made.graphBounds;
        gridXCount = made.gridXCount;
        gridYCount = made.gridYCount;
    }
    if (is3D) {
        focusX = made.focusX, focusY = made.focusY, focusZ = made.focusZ;
        rotationX = made.rotationX, rotationY = made.rotationY;
        idleRotationX = made.idleRotationX, idleRotationY = made.idleRotationY;
    }
    sceneHasSurface = made.sceneHasSurface;
    sceneZ[0] = made.sceneZ[0], sceneZ[1] = made.sceneZ[1];
    zScale = made.zScale;
    wasGraphed = true;

    // 3. The inspector: the fields graphing set, the pages, the status line.
    for (int f = 0; f < graphFieldCount; f++) {
        const auto field = static_cast<graphField>(f);
        if (job.fieldWasSet(field))
            inspector->setFieldValue(field, job.resultFields().fieldValue(field));
    }
    if (is3D) {
        status->setStatusText(QString());
    } else {
        status->setStatusText(QStringLiteral("(0.0, 0.0)"));
        status->setCursor(graphCursor::arrow);
        if (resetGraph) {
            inspector->setZoomInEnabled(true);
            inspector->setZoomOutEnabled(true);
        }
    }
    if (moved) updateBoundsText();
    inspector->showInspectorPage(is3D);
    inspector->showParametricPanel(parametric);
    inspector->showPolarFields(polar);

    // 4. What changed here while the job ran, on this thread.
    if (moved) {
        for (entry &e : equationArray) {
            e.render->setK(kValue);
            e.render->setDrawMode(drawMode);
            e.render->setDivisions3D(divisions3D);
        }
        if (parametric)
            updateParametricRange();
        else
            compileEquations();
    }
    surface->setNeedsDisplay();
    surface->makeKeyAndFirstResponder();
}
