// The editor on screen: one key typed at the end of a sum of 10, 100 and 1,000 terms
// through the widget (key event, key rule, calculator line, undo snapshot, layout pass,
// keeping the caret in view) and the widget painted into an image, as a screen update
// would paint it. The iterations alternately type a digit and delete it.
// Reference: the same widget redrawn without a key (the caret's blink: a layout pass and
// the painting), so the ratio is what a key costs beyond redrawing.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollArea>
#include <QUndoStack>

#include "equationEditor/equationEditor.h"
#include "equationEditor/graphEquationEditorView.h"

namespace {

QString sumOfTerms(int terms) {
    QString text;
    for (int i = 0; i < terms; ++i) {
        if (i) text += u'+';
        text += (i % 2) ? QStringLiteral("7") : QStringLiteral("12");
    }
    return text;
}

struct Editor {
    explicit Editor(int terms) {
        view = new graphEquationEditorView;
        area.setWidget(view);
        area.resize(640, 200);
        view->setUndoStack(&undo);
        root = geEdit::rootWithExpression(geEditEmpty::emptyExpression());
        view->setEquation(root);
        view->model().inputString(sumOfTerms(terms));
        view->setEquation(root);  // the cursor at the end
        area.show();
        key(Qt::Key_Right, QString());  // scrolls the caret into view
    }
    void key(int code, const QString &text) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(view, &press);
    }
    // The part of the widget the scroll area shows, as a screen update paints it.
    void paint() {
        const QSize visible = area.viewport()->size();
        if (image.size() != visible) image = QImage(visible, QImage::Format_ARGB32_Premultiplied);
        view->render(&image, QPoint(), QRegion(QRect(-view->pos(), visible)));
    }
    QScrollArea area;
    QUndoStack undo;
    graphEquationEditorView *view;
    geEditPtr root;
    QImage image;
};

void BM_KeyThroughWidget(benchmark::State &state) {
    Editor editor(int(state.range(0)));
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            editor.key(Qt::Key_Backspace, QString());
        else
            editor.key(Qt::Key_5, QStringLiteral("5"));
        typed = !typed;
        editor.paint();
    }
    benchmark::DoNotOptimize(editor.view->statusText());
    editor.undo.clear();
}
BENCHMARK(BM_KeyThroughWidget)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_RedrawWithoutKey(benchmark::State &state) {
    Editor editor(int(state.range(0)));
    for (auto _ : state) {
        editor.view->updateView();
        editor.paint();
    }
}
BENCHMARK(BM_RedrawWithoutKey)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
