// Evaluation speed: the expression engine against the same formulas as native C++ and as
// muParser byte code, in one run. Prints ns per evaluation and the engine's ratios.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <array>
#include <cmath>
#include <cstdio>
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
    std::map<std::string, double> nanoseconds;
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
                nanoseconds[run.run_name.str()] = run.GetAdjustedCPUTime();
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                nanoseconds[run.run_name.str()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char **argv) {
    for (const Formula &f : kFormulas) {
        benchmark::RegisterBenchmark((std::string(f.name) + "/grEvalExp").c_str(), BM_Tree, &f);
        benchmark::RegisterBenchmark((std::string(f.name) + "/native").c_str(), BM_Native, &f);
        benchmark::RegisterBenchmark((std::string(f.name) + "/muParser").c_str(), BM_MuParser, &f);
    }
    benchmark::RegisterBenchmark("E2/curve1201", BM_Curve1201)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("E2/grid200x200", BM_Grid200)->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-4s %12s %10s %10s %14s %12s\n", "", "grEvalExp ns", "native ns", "muParser ns",
                "vs muParser", "vs native");
    for (const Formula &f : kFormulas) {
        const std::string base = f.name;
        auto ns = [&](const char *way) {
            auto it = reporter.nanoseconds.find(base + "/" + way);
            return it == reporter.nanoseconds.end() ? NAN : it->second;
        };
        const double tree = ns("grEvalExp"), native = ns("native"), mu = ns("muParser");
        std::printf("%-4s %12.1f %10.1f %10.1f %13.2fx %11.2fx\n", f.name, tree, native, mu,
                    tree / mu, tree / native);
    }
    benchmark::Shutdown();
    return 0;
}
