// Evaluation speed: the expression engine against the same formulas as native C++ and as
// muParser byte code, in one run. Per point: the tree walk and the compiled form against
// muParser's Eval(). In bulk: the compiled form over a curve of 1,201 points (x varies,
// y = 0.7), a 200 x 200 grid, and the grid's points as plain arrays in row order and
// shuffled, against muParser's bulk Eval(results, n) over the same points. Bulk figures are the CPU
// time of the whole process, so that work on other threads counts; muParser's bulk mode runs on one
// OpenMP thread (OMP_NUM_THREADS=1 unless set otherwise), since idle OpenMP threads spin and would
// be charged to it. Prints ns per evaluation and the ratios; with --benchmark_repetitions the
// medians.
#include <benchmark/benchmark.h>
#include <muParser.h>
#include <omp.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engine/engine.h"

namespace {

// Tree builders.
grExp *num(double v) {
    return grNewNumberExp(v);
}
grExp *var(uint8_t code) {
    return grNewConstantExp(code);
}
grExp *op(uint8_t code, grExp *l, grExp *r) {
    return grNewBinaryExp(code, l, r);
}
grExp *fn(uint8_t code, grExp *a) {
    return grNewUnaryExp(code, a);
}
grExp *X() {
    return var(grVarX);
}
grExp *Y() {
    return var(grVarY);
}
grExp *sq(grExp *e) {
    return op(grOpPow, e, num(2));
}

struct Formula {
    const char *name;
    const char *text;  // muParser syntax
    grExp *(*tree)();
    double (*native)(double x, double y, double k);
};

// E4 has 60 nodes.
const Formula kFormulas[] = {
    {"E1", "x^2", [] { return sq(X()); },
     [](double x, double, double) { return std::pow(x, 2.0); }},
    {"E2", "sin(x)*cos(y)+k",
     [] { return op(grOpAdd, op(grOpMul, fn(grFnSin, X()), fn(grFnCos, Y())), var(grVarK)); },
     [](double x, double y, double k) { return std::sin(x) * std::cos(y) + k; }},
    {"E3", "(x^2+y^2)^(1/2)/(1+abs(x))",
     [] {
         return op(grOpDiv, op(grOpPow, op(grOpAdd, sq(X()), sq(Y())), op(grOpDiv, num(1), num(2))),
                   op(grOpAdd, num(1), fn(grFnAbs, X())));
     },
     [](double x, double y, double) {
         return std::pow(std::pow(x, 2.0) + std::pow(y, 2.0), 1.0 / 2.0) / (1 + std::fabs(x));
     }},
    {"E4",
     "sin(x^2+y)*ln(1+x^2)-(x-y)^2/(2+sin(y))+ln(3+y^2)*sin(x*y-1)+(x+1)^3/(4+x^2)"
     "-sin(ln(2+x^2))+k",
     [] {
         grExp *t1 = op(grOpMul, fn(grFnSin, op(grOpAdd, sq(X()), Y())),
                        fn(grFnLn, op(grOpAdd, num(1), sq(X()))));
         grExp *t2 = op(grOpDiv, sq(op(grOpSub, X(), Y())), op(grOpAdd, num(2), fn(grFnSin, Y())));
         grExp *t3 = op(grOpMul, fn(grFnLn, op(grOpAdd, num(3), sq(Y()))),
                        fn(grFnSin, op(grOpSub, op(grOpMul, X(), Y()), num(1))));
         grExp *t4 = op(grOpDiv, op(grOpPow, op(grOpAdd, X(), num(1)), num(3)),
                        op(grOpAdd, num(4), sq(X())));
         grExp *t5 = fn(grFnSin, fn(grFnLn, op(grOpAdd, num(2), sq(X()))));
         grExp *sum = op(grOpAdd, op(grOpSub, t1, t2), t3);
         return op(grOpAdd, op(grOpSub, op(grOpAdd, sum, t4), t5), var(grVarK));
     },
     [](double x, double y, double k) {
         return std::sin(std::pow(x, 2.0) + y) * std::log(1 + std::pow(x, 2.0)) -
                std::pow(x - y, 2.0) / (2 + std::sin(y)) +
                std::log(3 + std::pow(y, 2.0)) * std::sin(x * y - 1) +
                std::pow(x + 1, 3.0) / (4 + std::pow(x, 2.0)) -
                std::sin(std::log(2 + std::pow(x, 2.0))) + k;
     }},
};

// Inputs cycle through a table so that nothing is folded into a constant. Like a renderer's
// samples they use every bit of the mantissa (a step of 6/1023, not a power of two).
constexpr int kInputs = 1024;
struct Inputs {
    std::array<double, kInputs> x, y;
    Inputs() {
        for (int i = 0; i < kInputs; ++i) {
            x[i] = -3.0 + 6.0 * i / (kInputs - 1);
            y[i] = 2.5 - 5.0 * ((i * 37) % kInputs) / (kInputs - 1);
        }
    }
};
const Inputs kIn;

int countNodes(const grExp *e) {
    if (!e) return 0;
    if (e->type == grExpBinary) {
        const auto *p = static_cast<const grBinaryExp *>(e->payload);
        return 1 + countNodes(p->left) + countNodes(p->right);
    }
    if (e->type == grExpUnary)
        return 1 + countNodes(static_cast<const grUnaryExp *>(e->payload)->operand);
    return 1;
}

void BM_Tree(benchmark::State &state, const Formula *f) {
    grExp *tree = f->tree();
    grVariables v{0, 0, 0, 0, 0.5};
    double sum = 0, value = 0;
    int i = 0;
    for (auto _ : state) {
        v.x = kIn.x[i];
        v.y = kIn.y[i];
        i = (i + 1) & (kInputs - 1);
        if (grEvalExp(&v, tree, &value) == 0) sum += value;
        benchmark::DoNotOptimize(sum);
    }
    state.counters["nodes"] = countNodes(tree);
    grFreeExp(tree);
}

void BM_Compiled(benchmark::State &state, const Formula *f) {
    grExp *tree = f->tree();
    const grCompiledExp compiled(tree);
    grVariables v{0, 0, 0, 0, 0.5};
    double sum = 0, value = 0;
    int i = 0;
    for (auto _ : state) {
        v.x = kIn.x[i];
        v.y = kIn.y[i];
        i = (i + 1) & (kInputs - 1);
        if (compiled.eval(v, &value) == 0) sum += value;
        benchmark::DoNotOptimize(sum);
    }
    state.counters["instructions"] = compiled.size();
    grFreeExp(tree);
}

void BM_Native(benchmark::State &state, const Formula *f) {
    double sum = 0;
    int i = 0;
    double k = 0.5;
    for (auto _ : state) {
        double x = kIn.x[i], y = kIn.y[i];
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(k);
        i = (i + 1) & (kInputs - 1);
        sum += f->native(x, y, k);
        benchmark::DoNotOptimize(sum);
    }
}

void BM_MuParser(benchmark::State &state, const Formula *f) {
    double x = 0, y = 0, k = 0.5;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("y", &y);
    parser.DefineVar("k", &k);
    parser.SetExpr(f->text);
    parser.Eval();  // compiles to byte code
    double sum = 0;
    int i = 0;
    for (auto _ : state) {
        x = kIn.x[i];
        y = kIn.y[i];
        i = (i + 1) & (kInputs - 1);
        sum += parser.Eval();
        benchmark::DoNotOptimize(sum);
    }
}

// Bulk inputs: a curve of 1,201 samples across x in [-10, 10] at y = 0.7, and a grid of
// 200 x 200 over [-10, 10]^2 (x by row, y by column), also given as 40,000 points, in row
// order and shuffled (no point repeats its neighbour's x or y).
constexpr int kCurve = 1201, kSide = 200, kGrid = kSide * kSide;
struct BulkInputs {
    std::vector<double> curveX, curveY, side, gridX, gridY, shuffledX, shuffledY, k;
    BulkInputs()
        : curveX(kCurve),
          curveY(kCurve, 0.7),
          side(kSide),
          gridX(kGrid),
          gridY(kGrid),
          shuffledX(kGrid),
          shuffledY(kGrid),
          k(kGrid, 0.5) {
        for (int i = 0; i < kCurve; ++i) curveX[i] = -10.0 + 20.0 * i / (kCurve - 1);
        for (int i = 0; i < kSide; ++i) side[i] = -10.0 + 20.0 * i / (kSide - 1);
        for (int i = 0; i < kGrid; ++i) {
            gridX[i] = side[i / kSide];
            gridY[i] = side[i % kSide];
        }
        // 7,919 is prime, so i * 7919 mod 40,000 visits every point once.
        for (int i = 0; i < kGrid; ++i) {
            const int p = static_cast<int>((static_cast<long long>(i) * 7919) % kGrid);
            shuffledX[i] = gridX[p];
            shuffledY[i] = gridY[p];
        }
    }
};
const BulkInputs kBulk;

// The compiled form in bulk: "curve" (evalArrays), "grid" (evalGrid), "points" (the
// grid's 40,000 points through evalArrays, without its rows and columns) or "shuffled"
// (the same points in an order where no point repeats its neighbour's coordinates).
enum class Bulk { curve, grid, points, shuffled };

void BM_CompiledBulk(benchmark::State &state, const Formula *f, Bulk shape) {
    grExp *tree = f->tree();
    const grCompiledExp compiled(tree);
    const grVariables fixed{0, 0, 0, 0.7, 0.5};
    std::vector<double> out(kGrid);
    const int n = shape == Bulk::curve ? kCurve : kGrid;
    for (auto _ : state) {
        switch (shape) {
            case Bulk::curve:
                compiled.evalArrays(fixed, {.x = kBulk.curveX.data()}, n, out.data());
                break;
            case Bulk::grid:
                compiled.evalGrid(fixed, grVarX, kBulk.side.data(), kSide, grVarY,
                                  kBulk.side.data(), kSide, out.data());
                break;
            case Bulk::points:
                compiled.evalArrays(fixed, {.x = kBulk.gridX.data(), .y = kBulk.gridY.data()}, n,
                                    out.data());
                break;
            case Bulk::shuffled:
                compiled.evalArrays(fixed,
                                    {.x = kBulk.shuffledX.data(), .y = kBulk.shuffledY.data()}, n,
                                    out.data());
                break;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["points"] = n;
    grFreeExp(tree);
}

void BM_MuParserBulk(benchmark::State &state, const Formula *f, Bulk shape) {
    const int n = shape == Bulk::curve ? kCurve : kGrid;
    // Bulk mode reads every variable as an array of n values.
    const bool shuffled = shape == Bulk::shuffled;
    std::vector<double> x(shape == Bulk::curve ? kBulk.curveX
                          : shuffled           ? kBulk.shuffledX
                                               : kBulk.gridX);
    std::vector<double> y(shape == Bulk::curve ? kBulk.curveY
                          : shuffled           ? kBulk.shuffledY
                                               : kBulk.gridY);
    std::vector<double> k(kBulk.k), out(n);
    mu::Parser parser;
    parser.DefineVar("x", x.data());
    parser.DefineVar("y", y.data());
    parser.DefineVar("k", k.data());
    parser.SetExpr(f->text);
    parser.Eval();
    for (auto _ : state) {
        parser.Eval(out.data(), n);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["points"] = n;
}

// A 2D curve: 1201 samples of E2 across x in [-10, 10].
void BM_Curve1201(benchmark::State &state) {
    grExp *tree = kFormulas[1].tree();
    grVariables v{0, 0, 0, 0.7, 0.5};
    for (auto _ : state) {
        double sum = 0, value;
        for (int i = 0; i <= 1200; ++i) {
            v.x = -10.0 + 20.0 * i / 1200;
            if (grEvalExp(&v, tree, &value) == 0) sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    grFreeExp(tree);
}

// A surface: a 200 x 200 grid of E2 over [-10, 10]^2.
void BM_Grid200(benchmark::State &state) {
    grExp *tree = kFormulas[1].tree();
    grVariables v{0, 0, 0, 0, 0.5};
    for (auto _ : state) {
        double sum = 0, value;
        for (int j = 0; j < 200; ++j) {
            v.y = -10.0 + 20.0 * j / 199;
            for (int i = 0; i < 200; ++i) {
                v.x = -10.0 + 20.0 * i / 199;
                if (grEvalExp(&v, tree, &value) == 0) sum += value;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    grFreeExp(tree);
}

// Keeps the console output and collects ns per iteration for the ratio table: the median
// when the run has repetitions (--benchmark_repetitions=9 with random interleaving gives
// steady ratios on a busy machine), else the single figure.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;  // per iteration, CPU time
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            const double scale = run.time_unit == benchmark::kMicrosecond ? 1e3 : 1.0;
            if ((run.run_type == Run::RT_Iteration && run.repetitions <= 1) ||
                (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")) {
                nanoseconds[run.run_name.function_name] = run.GetAdjustedCPUTime() * scale;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char **argv) {
    if (!std::getenv("OMP_NUM_THREADS")) omp_set_num_threads(1);
    for (const Formula &f : kFormulas) {
        benchmark::RegisterBenchmark((std::string(f.name) + "/grEvalExp").c_str(), BM_Tree, &f);
        benchmark::RegisterBenchmark((std::string(f.name) + "/native").c_str(), BM_Native, &f);
        benchmark::RegisterBenchmark((std::string(f.name) + "/muParser").c_str(), BM_MuParser, &f);
        benchmark::RegisterBenchmark((std::string(f.name) + "/compiled").c_str(), BM_Compiled, &f);
    }
    const std::pair<Bulk, const char *> shapes[] = {{Bulk::curve, "curve1201"},
                                                    {Bulk::grid, "grid200x200"},
                                                    {Bulk::points, "points40000"},
                                                    {Bulk::shuffled, "shuffled40000"}};
    for (const Formula &f : kFormulas) {
        for (const auto &[shape, name] : shapes) {
            const std::string base = std::string(f.name) + "/" + name;
            benchmark::RegisterBenchmark((base + "/compiled").c_str(), BM_CompiledBulk, &f, shape)
                ->Unit(benchmark::kMicrosecond)
                ->MeasureProcessCPUTime();
            // muParser has no grid mode: its grid is the same 40,000 points in row order.
            if (shape != Bulk::points)
                benchmark::RegisterBenchmark((base + "/muParserBulk").c_str(), BM_MuParserBulk, &f,
                                             shape)
                    ->Unit(benchmark::kMicrosecond)
                    ->MeasureProcessCPUTime();
        }
    }
    benchmark::RegisterBenchmark("E2/curve1201", BM_Curve1201)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("E2/grid200x200", BM_Grid200)->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    auto find = [](const std::map<std::string, double> &table, const std::string &name) {
        auto it = table.find(name);
        return it == table.end() ? NAN : it->second;
    };
    std::printf("\nPer point, ns (CPU time)\n%-4s %10s %10s %10s %10s %12s %12s\n", "", "grEvalExp",
                "compiled", "native", "muParser", "tree/mu", "compiled/mu");
    for (const Formula &f : kFormulas) {
        auto ns = [&](const char *way) {
            return find(reporter.nanoseconds, std::string(f.name) + "/" + way);
        };
        const double tree = ns("grEvalExp"), compiled = ns("compiled"), native = ns("native"),
                     mu = ns("muParser");
        std::printf("%-4s %10.1f %10.1f %10.1f %10.1f %11.2fx %11.2fx\n", f.name, tree, compiled,
                    native, mu, tree / mu, compiled / mu);
    }
    std::printf(
        "\nBulk, ns per point (CPU time of all threads)\n%-4s %9s %9s %8s %9s %9s %8s %9s %8s "
        "%9s %9s %8s\n",
        "", "curve", "muBulk", "ratio", "grid", "muBulk", "ratio", "points", "ratio", "shuffled",
        "muBulk", "ratio");
    for (const Formula &f : kFormulas) {
        auto ns = [&](const char *shape, const char *way, int n) {
            return find(reporter.nanoseconds, std::string(f.name) + "/" + shape + "/" + way) / n;
        };
        const double curve = ns("curve1201", "compiled", kCurve),
                     muCurve = ns("curve1201", "muParserBulk", kCurve),
                     grid = ns("grid200x200", "compiled", kGrid),
                     muGrid = ns("grid200x200", "muParserBulk", kGrid),
                     points = ns("points40000", "compiled", kGrid),
                     shuffled = ns("shuffled40000", "compiled", kGrid),
                     muShuffled = ns("shuffled40000", "muParserBulk", kGrid);
        std::printf("%-4s %9.2f %9.2f %7.2fx %9.2f %9.2f %7.2fx %9.2f %7.2fx %9.2f %9.2f %7.2fx\n",
                    f.name, curve, muCurve, curve / muCurve, grid, muGrid, grid / muGrid, points,
                    points / muGrid, shuffled, muShuffled, shuffled / muShuffled);
    }
    benchmark::Shutdown();
    return 0;
}
