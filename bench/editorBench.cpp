// Editor speed: the whole work of one typed key (the key rule, the function rewrite and the
// calculator line) on a sum of 10, 100 and 1,000 terms.
//
// Steady: the equation already holds N terms "12 + 7 + ... + 7"; the iterations alternately
// type a digit at its end and delete it again, one key with the full work each.
// Typing: a new equation is typed from the first key to the N-th term; the figure is the
// mean over all keys, so the equation grows from empty to N terms during the run.
// Reference: converting the equation with makeExp and evaluating it with grEvalExp once.
// The terms are numbers, so every key converts and evaluates the whole tree: the worst case
// for the calculator line (a variable would stop it early).
#include <benchmark/benchmark.h>

#include <QString>

#include "engine/engine.h"
#include "equationEditor/equationEditor.h"

namespace {

QString sumOfTerms(int terms) {
    QString text;
    for (int i = 0; i < terms; ++i) {
        if (i) text += u'+';
        text += (i % 2) ? QStringLiteral("7") : QStringLiteral("12");
    }
    return text;
}

void typeText(graphEquationEditorModel &model, const QString &text) {
    for (QChar c : text) model.insertText(QString(c));
}

void BM_KeyOnSum(benchmark::State &state) {
    graphEquationEditorModel model;
    model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    typeText(model, sumOfTerms(int(state.range(0))));
    const QString digit = QStringLiteral("5");
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            model.deleteBackward();
        else
            model.insertText(digit);
        typed = !typed;
    }
    benchmark::DoNotOptimize(model.statusText());
}
BENCHMARK(BM_KeyOnSum)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Reference: converting the same equation into an expression tree and evaluating it once,
// the direct way to compute its calculator line.
void BM_ConvertAndEvaluate(benchmark::State &state) {
    graphEquationEditorModel model;
    model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    typeText(model, sumOfTerms(int(state.range(0))));
    grVariables variables{};
    for (auto _ : state) {
        grExp *e = model.equation()->makeExp();
        double result = 0.0;
        benchmark::DoNotOptimize(grEvalExp(&variables, e, &result));
        grFreeExp(e);
    }
}
BENCHMARK(BM_ConvertAndEvaluate)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_TypeSum(benchmark::State &state) {
    const QString text = sumOfTerms(int(state.range(0)));
    for (auto _ : state) {
        graphEquationEditorModel model;
        model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
        typeText(model, text);
        benchmark::DoNotOptimize(model.statusText());
    }
    state.counters["per_key"] =
        benchmark::Counter(double(text.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypeSum)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
