// Typesetting speed: one full layout pass of an equation of about 50, 500 and 2,000 nodes
// with the editor's font, as the editor runs it on every key and every caret blink.
//
// The equations repeat three kinds of terms typed through the editing model: the quadratic
// formula (fraction, parentheses, root, power, products, minus), a product with a named
// function, and a negated power. The pass lays out the whole tree with the caret and the
// highlights drawn and frees the paths.
// Reference: the glyph outlines of the same equation's text set on one line into a single
// path, the least any outline layout must do.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainterPath>

#include "equationEditor/equationEditor.h"
#include "equationEditor/geBezierPath.h"
#include "equationEditor/geFont.h"

namespace {

int countNodes(const geEdit *node) {
    if (!node) return 0;
    if (node->isRoot()) return countNodes(node->top().get());
    if (geIsBinaryOp(node->kind())) {
        auto b = static_cast<const geEditBinaryOp *>(node);
        return 1 + countNodes(b->leftExp().get()) + countNodes(b->rightExp().get());
    }
    if (geIsUnaryOp(node->kind()))
        return 1 + countNodes(static_cast<const geEditUnaryOp *>(node)->child().get());
    return 1;
}

// Arrow keys leave a root's radicand and a power's exponent.
const char16_t *const terms[] = {u"(-b+sqrtb^2\uF703-4ac\uF703)/(2a)+", u"3.5sinx+", u"-y^3+"};

struct Equation {
    graphEquationEditorModel model;
    int nodes = 0;
};

std::unique_ptr<Equation> equationOfSize(int nodes) {
    auto e = std::make_unique<Equation>();
    e->model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    for (int i = 0; countNodes(e->model.equation().get()) < nodes; ++i)
        e->model.inputString(QString::fromUtf16(terms[i % 3]));
    e->model.inputString(QStringLiteral("1"));
    e->nodes = countNodes(e->model.equation().get());
    return e;
}

const geRawFont &font() {
    static const std::unique_ptr<geRawFont> f = geRawFont::defaultFont();
    return *f;
}

void BM_LayoutPass(benchmark::State &state) {
    auto e = equationOfSize(int(state.range(0)));
    for (auto _ : state) {
        auto p = e->model.equation()->renderWithFont(font(), true, true);
        benchmark::DoNotOptimize(p->bounds());
    }
    state.counters["nodes"] = e->nodes;
    state.counters["per_node"] = benchmark::Counter(
        e->nodes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LayoutPass)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_TextOutlines(benchmark::State &state) {
    auto e = equationOfSize(int(state.range(0)));
    const QString text = e->model.equation()->string().remove(u' ');
    for (auto _ : state) {
        QPainterPath p;
        double x = 0;
        for (QChar c : text) {
            const quint32 g = font().glyphForChar(c.unicode());
            p.addPath(font().glyphOutline(g).translated(x, 0));
            x += font().advance(g);
        }
        benchmark::DoNotOptimize(p.boundingRect());
    }
    state.counters["glyphs"] = double(text.size());
}
BENCHMARK(BM_TextOutlines)->Arg(50)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
