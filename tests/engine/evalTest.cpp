#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "testSupport.h"

namespace {

constexpr double kSentinel = -12345.5;

struct EvalRow {
    const char *name;
    grExp *(*make)();
    double expected;
};

// Every operator, function and constant against the C library, at s=1 t=2 x=3 y=4 k=5.
TEST(Eval, OperatorsFunctionsAndConstants) {
    const EvalRow rows[] = {
        {"add", [] { return add(X(), Y()); }, 7},
        {"sub", [] { return sub(X(), Y()); }, -1},
        {"mul", [] { return mul(X(), Y()); }, 12},
        {"div", [] { return dvd(X(), Y()); }, 0.75},
        {"mod", [] { return bin(grOpMod, num(7.5), num(2)); }, 1.5},
        {"mod keeps sign of left", [] { return bin(grOpMod, num(-7.5), num(2)); }, -1.5},
        {"root: radicand left, index right", [] { return bin(grOpRoot, num(27), num(3)); },
         std::pow(27.0, 1.0 / 3.0)},
        {"slots s t x y k",
         [] {
             return add(
                 add(add(add(S(), mul(T(), num(10))), mul(X(), num(100))), mul(Y(), num(1000))),
                 mul(var(grVarK), num(10000)));
         },
         54321},
        {"pi", [] { return var(grConstPi); }, 3.141592653589793},
        {"e", [] { return var(grConstE); }, 2.718281828459045},
        {"sin", [] { return un(grFnSin, X()); }, std::sin(3.0)},
        {"cos", [] { return un(grFnCos, X()); }, std::cos(3.0)},
        {"tan", [] { return un(grFnTan, X()); }, std::tan(3.0)},
        {"asin", [] { return un(grFnAsin, num(0.5)); }, std::asin(0.5)},
        {"acos", [] { return un(grFnAcos, num(0.5)); }, std::acos(0.5)},
        {"atan", [] { return un(grFnAtan, X()); }, std::atan(3.0)},
        {"sinh", [] { return un(grFnSinh, X()); }, std::sinh(3.0)},
        {"cosh", [] { return un(grFnCosh, X()); }, std::cosh(3.0)},
        {"tanh", [] { return un(grFnTanh, X()); }, std::tanh(3.0)},
        {"erf", [] { return un(grFnErf, num(0.5)); }, std::erf(0.5)},
        {"erfc", [] { return un(grFnErfc, num(0.5)); }, std::erfc(0.5)},
        {"negate", [] { return un(grFnNegate, X()); }, -3},
        {"abs", [] { return un(grFnAbs, num(-2.5)); }, 2.5},
        {"ln", [] { return un(grFnLn, X()); }, std::log(3.0)},
        {"log is base 10", [] { return un(grFnLog, num(1000)); }, 3},
        {"gamma of floor", [] { return un(grFnGamma, num(5.7)); }, 24},
        {"gamma of floor, below 2", [] { return un(grFnGamma, num(1.9)); }, 1},
        {"gamma of floor, at a pole", [] { return un(grFnGamma, num(-1.5)); }, INFINITY},
        {"gamma of floor, zero", [] { return un(grFnGamma, num(0.5)); }, INFINITY},
        {"sum before product is the tree's, not precedence's",
         [] { return mul(add(num(1), num(2)), num(3)); }, 9},
        // Domain errors and overflow are values, not failures: the renderers test for them.
        {"log 0", [] { return un(grFnLog, num(0)); }, -INFINITY},
        {"ln of a negative", [] { return un(grFnLn, num(-1)); }, NAN},
        {"asin 2", [] { return un(grFnAsin, num(2)); }, NAN},
        {"overflow", [] { return mul(num(1e300), num(1e300)); }, INFINITY},
        {"huge quotient", [] { return dvd(num(1), num(1e-300)); }, 1e300},
    };
    for (const EvalRow &row : rows) {
        Tree tree(row.make());
        grVariables v{1, 2, 3, 4, 5};
        double value = kSentinel;
        ASSERT_EQ(grEvalExp(&v, tree.get(), &value), 0) << row.name;
        SCOPED_TRACE(row.name);
        EXPECT_SAME_VALUE(value, row.expected);
    }
}

// Failures at s=1 t=2 x=3 y=4 k=5. Division and remainder by exactly zero leave the result
// as it was; z, relations, the comma and codes outside the tables never evaluate, and some
// of them write 0.0. Children are evaluated first, so a relation whose operand fails fails
// without writing that 0.0.
TEST(Eval, FailuresAndWhatTheyLeaveInTheResult) {
    constexpr double kUnchecked = NAN;
    const struct {
        const char *name;
        grExp *tree;
        double left;  // the result afterwards
    } rows[] = {
        {"1/0", dvd(num(1), num(0)), kSentinel},
        {"1/(x - 3)", dvd(num(1), sub(X(), num(3))), kSentinel},
        {"1/-0", dvd(num(1), num(-0.0)), kSentinel},
        {"0/0", dvd(num(0), num(0)), kSentinel},
        {"5 mod 0", bin(grOpMod, num(5), num(0)), kSentinel},
        {"x mod (x - x)", bin(grOpMod, X(), sub(X(), X())), kSentinel},
        {"z", Z(), 0.0},
        {"constant code 8", var(8), 0.0},
        {"z deep inside", add(num(1), un(grFnSin, mul(X(), Z()))), kUnchecked},
        {"equals", eq(Y(), X()), 0.0},
        {"less than", bin(grOpLessThan, X(), num(3)), 0.0},
        {"greater than", bin(grOpGreaterThan, X(), num(3)), 0.0},
        {"left operand of equals fails", eq(dvd(num(1), num(0)), X()), kSentinel},
        {"right operand of less than fails", bin(grOpLessThan, X(), dvd(num(1), num(0))),
         kSentinel},
        {"comma", comma(eq(X(), T()), eq(Y(), T())), kUnchecked},
        {"relation inside a sum", add(num(1), bin(grOpLessThan, X(), num(3))), kUnchecked},
        {"operator code 0", bin(0, num(1), num(2)), 0.0},
        {"operator code 12", bin(12, num(1), num(2)), 0.0},
        {"function code 0", un(0, num(1)), kUnchecked},
        {"function code 19", un(19, num(1)), kUnchecked},
        {"null child", add(num(1), nullptr), kUnchecked},
        {"null operand", un(grFnSin, nullptr), kUnchecked},
    };
    for (const auto &row : rows) {
        Tree tree(row.tree);
        double value = kSentinel;
        EXPECT_EQ(evalAt(tree.get(), &value, {1, 2, 3, 4, 5}), -1) << row.name;
        if (!std::isnan(row.left)) {
            EXPECT_EQ(value, row.left) << row.name;
        }
    }

    double value = kSentinel;
    grExp unknown{9, nullptr};
    EXPECT_EQ(evalAt(&unknown, &value), -1);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(evalAt(nullptr, &value), -1);
}

}  // namespace
