// Writing and reading equation sets: 100 equations of 200 nodes each, and smaller sets to
// show that the cost grows linearly with the size.
#include <benchmark/benchmark.h>

#include "app/graphEquationTable.h"
#include "equationEditor/equationEditor.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

namespace {

int countNodes(const geEditPtr &node) {
    if (!node) return 0;
    int count = 1 + countNodes(node->top());
    if (auto *binary = dynamic_cast<geEditBinaryOp *>(node.get())) {
        count += countNodes(binary->leftExp()) + countNodes(binary->rightExp());
    } else if (auto *unary = dynamic_cast<geEditUnaryOp *>(node.get())) {
        count += countNodes(unary->child());
    }
    return count;
}

// A sum of mixed terms (numbers, variables, functions, powers, fractions) of nodes nodes,
// root included.
geEditPtr equationOf(int nodes) {
    geEditPtr sum = geEditVar::varWithChar(u'x');
    int count = 2;
    for (int i = 0; count < nodes; ++i) {
        geEditPtr term;
        switch (i % 5) {
            case 0: term = geEditNum::numWithString(QString::number(i) + ".5"); break;
            case 1:
                term = geEditFunc::funcWithExpression(geEditVar::varWithChar(u'y'), "sin");
                break;
            case 2:
                term = geEditPow::powWithLeft(geEditVar::varWithChar(u'x'),
                                              geEditNum::numWithString("2"));
                break;
            case 3:
                term = geEditDiv::divWithLeft(geEditNum::numWithString("1"),
                                              geEditVar::varWithChar(u'k'));
                break;
            default: term = geEditVar::varWithChar(u't'); break;
        }
        const int added = 1 + countNodes(term);
        if (count + added > nodes) term = geEditNum::numWithString("7");
        count += 1 + countNodes(term);
        sum = geEditAdd::addWithLeft(sum, term);
    }
    return geEdit::rootWithExpression(sum);
}

std::shared_ptr<graphEquationTable> setOf(int equations, int nodes) {
    auto list = std::make_shared<graphEquationTable>();
    for (int i = 0; i < equations; ++i) {
        auto entry = list->addEmptyEquation();
        entry->setEquationName(QString("Equation %1").arg(i + 1));
        entry->setEquationColor(QColor::fromHsv(i * 37 % 360, 200, 200));
        entry->setEquation(equationOf(nodes));
    }
    return list;
}

void BM_WriteSet(benchmark::State &state) {
    auto list = setOf(static_cast<int>(state.range(0)), 200);
    size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray data = slArchiver::archivedDataWithRootObject(*list);
        bytes = static_cast<size_t>(data.size());
        benchmark::DoNotOptimize(data.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["nodes"] = static_cast<double>(state.range(0) * 200);
}

void BM_ReadSet(benchmark::State &state) {
    auto list = setOf(static_cast<int>(state.range(0)), 200);
    const QByteArray data = slArchiver::archivedDataWithRootObject(*list);
    for (auto _ : state) {
        QString error;
        slArchivedObject root = slUnarchiver::unarchiveObjectWithData(data, &error);
        if (!error.isEmpty()) state.SkipWithError(error.toStdString().c_str());
        benchmark::DoNotOptimize(root);
    }
    state.counters["nodes"] = static_cast<double>(state.range(0) * 200);
}

}  // namespace

// Reading and writing run on a helper thread with a large stack: the CPU time of the whole
// process is what counts (steady on a busy machine, unlike wall time).
BENCHMARK(BM_WriteSet)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(BM_ReadSet)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

int main(int argc, char **argv) {
    graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
