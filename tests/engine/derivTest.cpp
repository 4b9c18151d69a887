#include <gtest/gtest.h>

#include <cmath>

#include "testSupport.h"

namespace {

constexpr double kSentinel = -12345.5;

TEST(Deriv, CentralDifferenceWithItsRounding) {
    Tree square(pw(X(), num(2)));
    grVariables v{1, 2, 3, 4, 5};
    double value = 0;
    ASSERT_EQ(grEvalDerivX(&v, square.get(), &value), 0);
    EXPECT_EQ(value, 6.000000496442226);
    EXPECT_EQ(v.x, 3);

    // Each slot is varied on its own.
    Tree product(mul(mul(X(), Y()), T()));  // x y t at (3, 4, 2)
    ASSERT_EQ(grEvalDerivY(&v, product.get(), &value), 0);
    EXPECT_NEAR(value, 6, 1e-4);
    ASSERT_EQ(grEvalDerivT(&v, product.get(), &value), 0);
    EXPECT_NEAR(value, 12, 1e-4);
    ASSERT_EQ(grEvalDerivY(&v, square.get(), &value), 0);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(v.s, 1);
    EXPECT_EQ(v.t, 2);
    EXPECT_EQ(v.x, 3);
    EXPECT_EQ(v.y, 4);
    EXPECT_EQ(v.k, 5);
}

// A derivative that fails on either side leaves the block as it was and the result unwritten.
TEST(Deriv, FailureRestoresTheSlot) {
    {
        // 1/x at x = 1e-10: the lower sample lands exactly on 0 and fails.
        Tree reciprocal(dvd(num(1), X()));
        grVariables v{1, 2, 1e-10, 4, 5};
        double value = kSentinel;
        EXPECT_EQ(grEvalDerivX(&v, reciprocal.get(), &value), -1);
        EXPECT_EQ(v.x, 1e-10);
        EXPECT_EQ(value, kSentinel);
        // At x = 0 both samples miss the pole, so the derivative itself succeeds.
        v.x = 0;
        EXPECT_EQ(grEvalDerivX(&v, reciprocal.get(), &value), 0);
        EXPECT_EQ(v.x, 0);
    }
    // 1/(x - 1e-10) at x = 0: the lower sample (x = -1e-10) succeeds, the upper fails.
    Tree shifted(dvd(num(1), sub(X(), num(1e-10))));
    grVariables v{1, 2, 0, 4, 5};
    double value = kSentinel;
    EXPECT_EQ(grEvalDerivX(&v, shifted.get(), &value), -1);
    EXPECT_EQ(v.x, 0);
    Tree containsZ(add(Y(), Z()));
    EXPECT_EQ(grEvalDerivY(&v, containsZ.get(), &value), -1);
    EXPECT_EQ(v.y, 4);
    EXPECT_EQ(grEvalDerivT(&v, containsZ.get(), &value), -1);
    EXPECT_EQ(v.t, 2);
}

// dx and dy nodes inside a tree, nested, each level restoring its slot.
TEST(Deriv, NodesAndNesting) {
    grVariables v{0, 0, 2, 3, 0};
    double value = 0;

    Tree dxCube(un(grFnDx, pw(X(), num(3))));  // 3x^2 = 12
    ASSERT_EQ(grEvalExp(&v, dxCube.get(), &value), 0);
    EXPECT_NEAR(value, 12, 1e-4);

    Tree dyOfSinY(un(grFnDy, un(grFnSin, Y())));  // cos 3
    ASSERT_EQ(grEvalExp(&v, dyOfSinY.get(), &value), 0);
    EXPECT_NEAR(value, std::cos(3.0), 1e-5);

    // Mixed second derivative of x^2 y^2: 4 x y = 24. Steps of 1e-10 twice lose most digits,
    // so check only that the nested walk runs and restores both slots.
    Tree mixed(un(grFnDx, un(grFnDy, mul(pw(X(), num(2)), pw(Y(), num(2))))));
    ASSERT_EQ(grEvalExp(&v, mixed.get(), &value), 0);
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_EQ(v.x, 2);
    EXPECT_EQ(v.y, 3);

    // A derivative node whose operand fails at the point itself fails.
    Tree atPole(un(grFnDx, dvd(num(1), X())));
    grVariables origin{0, 0, 0, 0, 0};
    EXPECT_EQ(grEvalExp(&origin, atPole.get(), &value), -1);
    EXPECT_EQ(origin.x, 0);

    // The derivative is taken at the point, not of the operand's value: dx(x) + x at x = 2.
    Tree sum(add(un(grFnDx, X()), X()));
    ASSERT_EQ(grEvalExp(&v, sum.get(), &value), 0);
    EXPECT_NEAR(value, 3, 1e-5);
}

}  // namespace
