#include "view/graphCompileJob.h"

#include "render/graphStop.h"

graphCompileJob::graphCompileJob(const graphGLView &view, graphEquationSource &source,
                                 const graphInspector &shown)
    : revision(view.compileRevision()), draw(std::make_shared<graphHandOverDraw>()) {
    for (int f = 0; f < graphFieldCount; f++)
        fields.setFieldValue(static_cast<graphField>(f),
                             shown.fieldValue(static_cast<graphField>(f)));
    fields.forget();
    // Classified here, in list order, as the view would: the first failure is the answer.
    const int count = source.equationCount();
    for (int i = 0; i < count; i++) {
        grEquation *equation = source.equationAtIndex(i);
        if (equation == nullptr) {
            failureText =
                QString::fromUtf8(gGraphExpressionError != nullptr ? gGraphExpressionError : "");
            break;
        }
        equations.equations.push_back(equation);
        equations.colors.push_back(source.colorAtIndex(i));
    }
    mirror = std::make_unique<graphGLView>(*draw, view.viewWidth(), view.viewHeight());
    view.copySettingsTo(*mirror);
    mirror->setInspector(&fields);
    mirror->setEquationTable(&equations);
}

// A job dropped before adoptGraph frees its renderers' recorded lists with them.
graphCompileJob::~graphCompileJob() = default;

void graphCompileJob::run() {
    if (!failureText.isEmpty()) return;
    const graphStopScope scope(stopFlag);
    mirror->graphMultipleEquations();
    done = !stopFlag.load();
}

graphCompileJob::snapshot::~snapshot() {
    for (grEquation *equation : equations)
        if (equation != nullptr) grFreeEquation(equation);
}

grEquation *graphCompileJob::snapshot::equationAtIndex(int index) {
    if (index < 0 || index >= equationCount()) return nullptr;
    grEquation *equation = equations[static_cast<size_t>(index)];
    equations[static_cast<size_t>(index)] = nullptr;
    return equation;
}

QColor graphCompileJob::snapshot::colorAtIndex(int index) {
    if (index < 0 || index >= equationCount()) return QColor(Qt::black);
    return colors[static_cast<size_t>(index)];
}
