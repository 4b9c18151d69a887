#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "testSupport.h"

namespace {

double evalPower(double base, double exponent) {
    Tree tree(pw(num(base), num(exponent)));
    double value = 0;
    EXPECT_EQ(evalAt(tree.get(), &value), 0);
    return value;
}

double evalRoot(double radicand, double index) {
    Tree tree(bin(grOpRoot, num(radicand), num(index)));
    double value = 0;
    EXPECT_EQ(evalAt(tree.get(), &value), 0);
    return value;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The power rule for negative bases: only whole exponents and odd roots are real.
TEST(Power, NegativeBases) {
    const struct {
        const char *name;
        double base, exponent, expected;
    } rows[] = {
        {"(-8)^(1/3): cube root", -8, 1.0 / 3.0, -2},
        {"(-32)^(1/5): fifth root", -32, 0.2, -2},
        {"(-8)^(2/3): 1/r = 1.5", -8, 2.0 / 3.0, NAN},
        {"(-4)^0.5: even root", -4, 0.5, NAN},
        {"(-16)^0.25: even root", -16, 0.25, NAN},
        {"(-2)^3: whole exponent", -2, 3, -8},
        {"(-2)^-1: whole negative exponent", -2, -1, -0.5},
        {"(-3)^2", -3, 2, 9},
        {"(-8)^(-1/3): odd root, negative", -8, -1.0 / 3.0, -0.5},
        {"8^(1/3)", 8, 1.0 / 3.0, 2},
        {"0^0.5", 0, 0.5, 0},
    };
    for (const auto &row : rows) {
        const double value = evalPower(row.base, row.exponent);
        if (std::isnan(row.expected)) {
            EXPECT_TRUE(std::isnan(value)) << row.name << ": " << value;
        } else {
            EXPECT_DOUBLE_EQ(value, row.expected) << row.name;
        }
    }
    // An odd root of a negative base is exactly the negated root of its magnitude.
    EXPECT_TRUE(sameBits(evalPower(-7, 1.0 / 3.0), -std::pow(7.0, 1.0 / 3.0)));
}

// The root template has no rule for negative radicands.
TEST(Power, RootTemplate) {
    EXPECT_TRUE(std::isnan(evalRoot(-8, 3)));
    EXPECT_EQ(evalRoot(-8, 1), -8);
    EXPECT_DOUBLE_EQ(evalRoot(16, 4), 2);
    EXPECT_EQ(evalRoot(9, 2), std::pow(9.0, 0.5));
    EXPECT_EQ(evalRoot(5, 0), INFINITY);  // pow(5, 1/0) = pow(5, inf)
}

// Fast cases must agree bit for bit with pow under the plain rule, for every kind of double.
TEST(Power, SquareMatchesPowBitForBit) {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<uint64_t> anyBits;
    std::uniform_real_distribution<double> ordinary(-1e3, 1e3);
    auto check = [](double base) {
        const double value = evalPower(base, 2.0);
        ASSERT_TRUE(sameBits(value, std::pow(base, 2.0)))
            << "base " << base << " gives " << value << " instead of " << std::pow(base, 2.0);
    };
    for (double base : std::initializer_list<double>{0.0, -0.0, 1.0, -1.0, INFINITY, -INFINITY, NAN, -NAN, 1e154, 1e155,
                        -1e155, 1e-160, 1e-170, 5e-324, -5e-324, 2.2250738585072014e-308}) {
        check(base);
    }
    for (int i = 0; i < 1000000; ++i) {
        double base;
        const uint64_t bits = anyBits(random);
        std::memcpy(&base, &bits, sizeof base);
        check(base);
        check(ordinary(random));
    }
}

}  // namespace
