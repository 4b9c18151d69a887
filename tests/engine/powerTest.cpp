#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "testSupport.h"

namespace {

double evalPower(double base, double exponent, uint8_t op = grOpPow) {
    Tree tree(bin(op, num(base), num(exponent)));
    double value = 0;
    EXPECT_EQ(evalAt(tree.get(), &value), 0);
    return value;
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The power rule for negative bases: whole exponents and fractions p/q with an odd q are
// real; the root template follows it for odd indices.
TEST(Power, NegativeBasesAndTheRootTemplate) {
    const struct {
        const char *name;
        double base, exponent, expected;
        uint8_t op = grOpPow;
    } rows[] = {
        {"(-8)^(1/3): cube root", -8, 1.0 / 3.0, -2},
        {"(-32)^(1/5): fifth root", -32, 0.2, -2},
        {"(-8)^(2/3): even numerator", -8, 2.0 / 3.0, 4},
        {"(-8)^(5/3): odd numerator", -8, 5.0 / 3.0, -32},
        {"(-32)^0.4: 2/5", -32, 0.4, 4},
        {"(-8)^1.5: 3/2", -8, 1.5, NAN},
        {"(-2)^0.3: 3/10", -2, 0.3, NAN},
        {"(-4)^0.5: even root", -4, 0.5, NAN},
        {"(-16)^0.25: even root", -16, 0.25, NAN},
        {"(-2)^3: whole exponent", -2, 3, -8},
        {"(-2)^-1: whole negative exponent", -2, -1, -0.5},
        {"(-3)^2", -3, 2, 9},
        {"(-8)^(-1/3): odd root, negative", -8, -1.0 / 3.0, -0.5},
        {"8^(1/3)", 8, 1.0 / 3.0, 2},
        {"0^0.5", 0, 0.5, 0},
        {"root 3 of -8", -8, 3, -2, grOpRoot},
        {"root 5 of -32", -32, 5, -2, grOpRoot},
        {"root 2 of -4", -4, 2, NAN, grOpRoot},
        {"root 2.5 of -4", -4, 2.5, NAN, grOpRoot},
        {"root 1 of -8", -8, 1, -8, grOpRoot},
        {"root 4 of 16", 16, 4, 2, grOpRoot},
        {"root 0 of 5 is 5^inf", 5, 0, INFINITY, grOpRoot},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_SAME_VALUE(evalPower(row.base, row.exponent, row.op), row.expected);
    }
    // An odd root of a negative base is exactly the negated root of its magnitude.
    EXPECT_TRUE(sameBits(evalPower(-7, 1.0 / 3.0), -std::pow(7.0, 1.0 / 3.0)));
}

// A square is the correctly rounded product x * x on every double (pow(x, 2) differs from it
// for about one input in 1,500); square roots may skip pow, but must agree with it bit for
// bit. The exponent is read through a volatile so that the compiler cannot rewrite pow.
TEST(Power, SquaresAreProductsAndSquareRootsMatchPowBitForBit) {
    Tree square(pw(X(), num(2)));
    Tree half(pw(X(), num(0.5)));
    Tree rootTemplate(bin(grOpRoot, X(), num(2)));
    volatile double oneHalf = 0.5;

    const grCompiledExp compiledSquare(square.get()), compiledHalf(half.get()),
        compiledRoot(rootTemplate.get());
    int mismatches = 0;
    std::vector<double> bases;
    auto check = [&](double base) {
        grVariables v{0, 0, base, 0, 0};
        double value;
        const struct {
            grExp *tree;
            const grCompiledExp &compiled;
            double expected;
        } cases[] = {{square.get(), compiledSquare, base * base},
                     {half.get(), compiledHalf, std::pow(base, oneHalf)},
                     {rootTemplate.get(), compiledRoot, std::pow(base, oneHalf)}};
        for (const auto &c : cases) {
            ASSERT_EQ(grEvalExp(&v, c.tree, &value), 0);
            if (!sameBits(value, c.expected) && ++mismatches <= 5) {
                ADD_FAILURE() << std::hexfloat << "base " << base << " gives " << value
                              << " instead of " << c.expected;
            }
            // The compiled form at one point, and later over all bases at once.
            ASSERT_EQ(c.compiled.eval(v, &value), 0);
            if (!sameBits(value, c.expected) && ++mismatches <= 5) {
                ADD_FAILURE() << std::hexfloat << "compiled, base " << base << " gives " << value
                              << " instead of " << c.expected;
            }
        }
        bases.push_back(base);
    };
    for (double base : std::initializer_list<double>{0.0,
                                                     -0.0,
                                                     1.0,
                                                     -1.0,
                                                     4.0,
                                                     -4.0,
                                                     INFINITY,
                                                     -INFINITY,
                                                     NAN,
                                                     -NAN,
                                                     1e154,
                                                     1e155,
                                                     -1e155,
                                                     1e-160,
                                                     1e-170,
                                                     5e-324,
                                                     -5e-324,
                                                     2.2250738585072014e-308,
                                                     0x1p-480,
                                                     0x1p480,
                                                     0x1p-900,
                                                     0x1p900,
                                                     0x1.fffffffffffffp-1,
                                                     0x1.0000000000001p0}) {
        check(base);
    }
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> ordinary(-1e3, 1e3);
    for (int i = 0; i < 400000; ++i) {
        const uint64_t bits = random();
        double base;
        std::memcpy(&base, &bits, sizeof base);
        check(base);
        check(ordinary(random));
        // Around 1, where graphs are usually sampled, with every bit of the mantissa in use.
        check(
            std::ldexp(static_cast<double>(bits >> 11) * 0x1p-53, static_cast<int>(bits % 16) - 8));
    }
    std::vector<double> values(bases.size());
    for (const grCompiledExp *compiled : {&compiledSquare, &compiledHalf, &compiledRoot}) {
        compiled->evalArrays({0, 0, 0, 0, 0}, {.x = bases.data()}, static_cast<int>(bases.size()),
                             values.data());
        for (size_t i = 0; i < bases.size(); ++i) {
            const double expected =
                compiled == &compiledSquare ? bases[i] * bases[i] : std::pow(bases[i], oneHalf);
            if (!sameBits(values[i], expected) && ++mismatches <= 5) {
                ADD_FAILURE() << std::hexfloat << "compiled arrays, base " << bases[i] << " gives "
                              << values[i] << " instead of " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
