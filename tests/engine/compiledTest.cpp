// The compiled form against the tree walk: random trees at points with special values,
// one point at a time, over arrays and over grids, compared bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "testSupport.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Values where the rules of the engine branch: signed zeros, infinities, NaN, the edges of
// the certain square root, squares that overflow or underflow, negatives for roots and
// powers, poles of gamma.
const double specialValues[] = {
    0.0,      -0.0,     nan,     inf,      -inf, 1e308, -1e308, 1e-300, -1e-300, 5e-324,
    0x1p480,  0x1p-480, 0x1p900, 0x1p-901, -8.0, -4.0,  -2.0,   -1.0,   -0.5,    1.0 / 3,
    -1.0 / 3, 0.5,      1.0,     2.0,      3.0,  1e-10, -1e-10, 2e-10,  171.5,   -171.5};

class treeGenerator {
public:
    explicit treeGenerator(uint64_t seed) : random(seed) {}

    double value() {
        if (chance(0.4)) return specialValues[pick(std::size(specialValues))];
        return std::uniform_real_distribution<double>(-6.0, 6.0)(random);
    }

    // A tree of at most depth levels; a few of them are not evaluable.
    grExp *tree(int depth, int derivatives = 0) {
        if (depth <= 0 || chance(0.2)) return leaf();
        const int choice = pick(100);
        if (choice < 45) {
            // Binary operators, mostly evaluable ones; constant right operands often, so
            // that the folded branches of powers and roots are taken.
            const uint8_t op = chance(0.02) ? static_cast<uint8_t>(grOpEquals + pick(4))
                                            : static_cast<uint8_t>(grOpAdd + pick(7));
            grExp *left = tree(depth - 1, derivatives);
            grExp *right = (op == grOpPow || op == grOpRoot) && chance(0.5)
                               ? num(exponent())
                               : tree(depth - 1, derivatives);
            return bin(op, left, right);
        }
        uint8_t fn = static_cast<uint8_t>(grFnSin + pick(16));
        if (derivatives < 2 && chance(0.15)) fn = chance(0.5) ? grFnDx : grFnDy;
        if (chance(0.01)) fn = 19;  // an unknown code
        const int nested = derivatives + (fn == grFnDx || fn == grFnDy ? 1 : 0);
        return un(fn, tree(depth - 1, nested));
    }

private:
    std::mt19937_64 random;

    bool chance(double p) { return std::bernoulli_distribution(p)(random); }
    int pick(size_t n) { return static_cast<int>(random() % n); }

    double exponent() {
        const double exponents[] = {2.0,  0.5, 3.0, -2.0, 1.0 / 3, -1.0 / 3, 0.2, 2.0 / 3,
                                    0.25, 1.0, 0.0, -0.0, nan,     inf,      1.5, -1.0};
        return chance(0.8) ? exponents[pick(std::size(exponents))] : value();
    }

    grExp *leaf() {
        const int choice = pick(100);
        if (choice < 30) return num(value());
        if (choice < 95)
            return var(static_cast<uint8_t>(choice % 6 == grVarZ ? grVarX : choice % 6));
        if (choice < 97) return var(chance(0.5) ? grConstPi : grConstE);
        if (choice < 98) return Z();
        if (choice < 99) return nullptr;
        return var(chance(0.5) ? grVarTheta : grVarR);  // θ reads t; r never evaluates
    }
};

bool sameBits(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) ||
           std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// Compares one compiled result with the tree walk's; empty when they agree.
std::string mismatch(grExp *e, const grVariables &v, double value, bool failed) {
    grVariables copy = v;
    double expected = 0.0;
    const bool expectedFailed = grEvalExp(&copy, e, &expected) != 0;
    if (failed != expectedFailed)
        return "status " + std::to_string(failed) + " instead of " + std::to_string(expectedFailed);
    if (failed && !std::isnan(value)) return "failure without NaN";
    if (!failed && !sameBits(value, expected))
        return "value " + std::to_string(value) + " instead of " + std::to_string(expected);
    return {};
}

std::string where(const grVariables &v) {
    char text[160];
    std::snprintf(text, sizeof text, " at s=%.17g t=%.17g x=%.17g y=%.17g k=%.17g", v.s, v.t, v.x,
                  v.y, v.k);
    return text;
}

TEST(CompiledExp, RandomTreesMatchTheTreeWalkBitForBit) {
    treeGenerator generate(20261207);
    constexpr int trees = 1500, points = 40, side = 7;
    int failures = 0;
    for (int n = 0; n < trees && failures < 5; ++n) {
        Tree tree(generate.tree(1 + n % 6));
        const grCompiledExp compiled(tree.get());

        // Point by point, and the same points as arrays in every slot at once.
        std::vector<double> s(points), t(points), x(points), y(points), out(points);
        std::vector<uint8_t> failed(points);
        const double k = generate.value();
        for (int i = 0; i < points; ++i) {
            s[i] = generate.value(), t[i] = generate.value();
            x[i] = generate.value(), y[i] = generate.value();
        }
        compiled.evalArrays({0.0, 0.0, 0.0, 0.0, k}, {x.data(), y.data(), s.data(), t.data()},
                            points, out.data(), failed.data());
        for (int i = 0; i < points && failures < 5; ++i) {
            const grVariables v{s[i], t[i], x[i], y[i], k};
            double one = 0.0;
            const bool oneFailed = compiled.eval(v, &one) != 0;
            for (const auto &[how, value, status] :
                 {std::tuple{"eval", one, oneFailed},
                  std::tuple{"arrays", out[i], failed[i] != 0}}) {
                const std::string wrong = mismatch(tree.get(), v, value, status);
                if (!wrong.empty()) {
                    ADD_FAILURE() << "tree " << n << ", " << how << ": " << wrong << where(v);
                    ++failures;
                }
            }
        }

        // A grid of x rows and y columns with s, t and k fixed.
        const grVariables fixed{s[0], t[0], 0.0, 0.0, k};
        std::vector<double> grid(side * side);
        std::vector<uint8_t> gridFailed(side * side);
        compiled.evalGrid(fixed, grVarX, x.data(), side, grVarY, y.data(), side, grid.data(),
                          gridFailed.data());
        for (int i = 0; i < side * side && failures < 5; ++i) {
            const grVariables v{fixed.s, fixed.t, x[i / side], y[i % side], k};
            const std::string wrong = mismatch(tree.get(), v, grid[i], gridFailed[i] != 0);
            if (!wrong.empty()) {
                ADD_FAILURE() << "tree " << n << ", grid: " << wrong << where(v);
                ++failures;
            }
        }
    }
}

// Costly functions over arrays reuse the previous point's result where the operand
// repeats, as along the rows of a grid given as points. Only identical bits may be reused:
// sin(-0) is -0, 1.5 and the next double differ, NaN is never equal to itself.
TEST(CompiledExp, RepeatedOperandsGiveTheTreeWalksValues) {
    const double runs[] = {0.0,     0.0,     -0.0, -0.0, 0.0,  nan,
                           nan,     -nan,    -nan, 1.5,  1.5,  std::nextafter(1.5, 2.0),
                           inf,     inf,     -inf, -8.0, -8.0, 1e-300,
                           -1e-300, -1e-300, 171.5};
    constexpr int n = static_cast<int>(std::size(runs));
    std::vector<double> x(runs, runs + n), y(runs, runs + n), out(n);
    std::reverse(y.begin(), y.end());
    std::vector<uint8_t> failed(n);
    std::vector<Tree> trees;
    for (uint8_t fn = grFnSin; fn <= grFnLog; ++fn) trees.emplace_back(un(fn, X()));
    trees.emplace_back(pw(X(), num(3)));
    trees.emplace_back(pw(X(), num(1.0 / 3)));
    trees.emplace_back(pw(X(), num(2.0 / 3)));
    trees.emplace_back(mul(un(grFnAtan, Y()), un(grFnLn, X())));
    treeGenerator generate(20261208);
    for (int i = 0; i < 300; ++i) trees.emplace_back(generate.tree(1 + i % 5));
    int failures = 0;
    for (size_t t = 0; t < trees.size() && failures < 5; ++t) {
        const grCompiledExp compiled(trees[t].get());
        compiled.evalArrays({0.0, 0.0, 0.0, 0.0, 0.5}, {.x = x.data(), .y = y.data()}, n,
                            out.data(), failed.data());
        for (int i = 0; i < n && failures < 5; ++i) {
            const grVariables v{0.0, 0.0, x[i], y[i], 0.5};
            const std::string wrong = mismatch(trees[t].get(), v, out[i], failed[i] != 0);
            if (!wrong.empty()) {
                ADD_FAILURE() << "tree " << t << ": " << wrong << where(v);
                ++failures;
            }
        }
    }
}

// A grid large enough to be split over threads gives what single points give.
TEST(CompiledExp, LargeGridsMatchSinglePoints) {
    // sin(s * t) / (t - 1) + dx(s^t): the division fails along t = 1.
    Tree tree(add(dvd(un(grFnSin, mul(S(), T())), sub(T(), num(1))), un(grFnDx, pw(S(), T()))));
    const grCompiledExp compiled(tree.get());
    constexpr int rows = 301, columns = 257;
    std::vector<double> ts(rows), ss(columns), out(rows * columns);
    for (int i = 0; i < rows; ++i) ts[i] = -2.0 + 4.0 * i / (rows - 1);
    for (int j = 0; j < columns; ++j) ss[j] = -3.0 + 6.0 * j / (columns - 1);
    const grVariables fixed{0.0, 0.0, 0.0, 0.0, 0.5};
    compiled.evalGrid(fixed, grVarT, ts.data(), rows, grVarS, ss.data(), columns, out.data());
    int wrong = 0, failedRows = 0;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            grVariables v{ss[j], ts[i], 0.0, 0.0, 0.5};
            double expected = 0.0;
            if (grEvalExp(&v, tree.get(), &expected) != 0) {
                expected = nan;
                failedRows += j == 0;
            }
            wrong += !sameBits(out[i * columns + j], expected);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(failedRows, 1);  // t = 1 is a grid line
}

// Rules whose branches are chosen at compile time, or whose failures hide in parts of
// the tree that the value does not need.
TEST(CompiledExp, FoldedRulesAndHiddenFailures) {
    struct row {
        const char *name;
        grExp *tree;
        grVariables at;
    };
    const row rows[] = {
        {"odd root of a negative base", pw(X(), dvd(num(1), num(3))), {0, 0, -8, 0, 0}},
        {"negative odd root", pw(X(), num(-1.0 / 3)), {0, 0, -8, 0, 0}},
        {"even root of a negative base", pw(X(), num(0.5)), {0, 0, -4, 0, 0}},
        {"root template of a negative radicand", bin(grOpRoot, X(), num(3)), {0, 0, -8, 0, 0}},
        {"square root template", bin(grOpRoot, X(), num(2)), {0, 0, 2, 0, 0}},
        {"square beyond the certain range", pw(X(), num(2)), {0, 0, 1e300, 0, 0}},
        {"derivative of a pole at its centre", un(grFnDx, dvd(num(1), X())), {0, 0, 0, 0, 0}},
        {"derivative near a pole", un(grFnDx, dvd(num(1), X())), {0, 0, 1e-10, 0, 0}},
        {"nested derivatives", un(grFnDx, un(grFnDx, pw(X(), num(3)))), {0, 0, 1.5, 0, 0}},
        {"derivative of a constant", un(grFnDy, mul(X(), num(inf))), {0, 0, 2, 1, 0}},
        {"mod by a zero variable", bin(grOpMod, num(5), Y()), {0, 0, 0, -0.0, 0}},
        {"same subtree twice", add(pw(X(), num(2)), pw(X(), num(2))), {0, 0, 3, 0, 0}},
    };
    for (const row &r : rows) {
        Tree tree(r.tree);
        const grCompiledExp compiled(tree.get());
        double value = 0.0;
        const bool failed = compiled.eval(r.at, &value) != 0;
        EXPECT_EQ(mismatch(tree.get(), r.at, value, failed), "") << r.name;
    }
}

TEST(CompiledExp, TreesThatNeverEvaluate) {
    const std::pair<const char *, grExp *> rows[] = {
        {"z", add(X(), Z())},
        {"relation", eq(Y(), X())},
        {"comma", comma(X(), Y())},
        {"null child", mul(X(), nullptr)},
        {"division by a constant zero", add(X(), dvd(num(1), sub(num(2), num(2))))},
        {"failing derivative of a constant", un(grFnDx, dvd(num(1), num(0)))},
    };
    for (const auto &[name, tree] : rows) {
        Tree owned(tree);
        const grCompiledExp compiled(owned.get());
        EXPECT_FALSE(compiled.evaluable()) << name;
        double value = 0.0;
        EXPECT_EQ(compiled.eval({0, 0, 1, 1, 0}, &value), -1) << name;
    }
    EXPECT_FALSE(grCompiledExp(nullptr).evaluable());
    EXPECT_FALSE(grCompiledExp().evaluable());
}

// Shared subtrees are computed once and constant parts fold away.
TEST(CompiledExp, ProgramsStaySmall) {
    const std::tuple<const char *, grExp *, int> rows[] = {
        {"repeated square", add(pw(X(), num(2)), pw(X(), num(2))), 2},
        {"constant subtree", mul(X(), un(grFnSin, dvd(num(1), num(2)))), 1},
        {"derivative of a constant", add(X(), un(grFnDx, mul(num(2), num(3)))), 1},
        // Both shifted points, their squares, the difference and the quotient.
        {"derivative of a square", un(grFnDx, pw(X(), num(2))), 6},
    };
    for (const auto &[name, tree, instructions] : rows) {
        Tree owned(tree);
        EXPECT_EQ(grCompiledExp(owned.get()).size(), instructions) << name;
    }
}

}  // namespace
