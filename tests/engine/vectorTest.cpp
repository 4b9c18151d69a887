#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "engine/slVector.h"

namespace {

void expectVector(const slVector &v, double x, double y, double z) {
    EXPECT_DOUBLE_EQ(v.x, x);
    EXPECT_DOUBLE_EQ(v.y, y);
    EXPECT_DOUBLE_EQ(v.z, z);
}

TEST(Vector, CrossProduct) {
    slVector a{1, 0, 0}, b{0, 1, 0}, out{9, 9, 9};
    slVectorCross(&a, &b, &out);
    expectVector(out, 0, 0, 1);
    slVectorCross(&b, &a, &out);
    expectVector(out, 0, 0, -1);
    slVector p{1, 2, 3}, q{2, 4, 6};
    slVectorCross(&p, &q, &out);
    expectVector(out, 0, 0, 0);
    slVector u{2, 3, 4}, w{5, 6, 7};
    slVectorCross(&u, &w, &out);
    expectVector(out, 3 * 7 - 4 * 6, 4 * 5 - 2 * 7, 2 * 6 - 3 * 5);
}

TEST(Vector, NormalizeLeavesZeroLengthAlone) {
    slVector zero{0, 0, 0};
    slVectorNormalize(&zero);
    expectVector(zero, 0, 0, 0);
    slVector tiny{1e-200, 0, 0};  // its squared length underflows to exactly 0
    slVectorNormalize(&tiny);
    expectVector(tiny, 1e-200, 0, 0);
    slVector v{3, 0, 4};
    slVectorNormalize(&v);
    expectVector(v, 0.6, 0, 0.8);
}

TEST(Vector, AngleCompareAndArraySearch) {
    slVector a{1, 0, 0}, b{0, 2, 0}, c{-3, 0, 0};
    EXPECT_DOUBLE_EQ(slVectorAngle(&a, &b), M_PI / 2);
    EXPECT_DOUBLE_EQ(slVectorAngle(&a, &c), M_PI);
    EXPECT_NEAR(slVectorAngle(&a, &a), 0, 1e-7);

    slVector same{1, 0, 0}, zOnly{1, 0, 1e-300};
    EXPECT_EQ(slVectorCompare(&a, &same), 0);
    EXPECT_EQ(slVectorCompare(&a, &zOnly), 1);

    const slVector array[] = {{0, 0, 0}, {1, 2, 3}, {1, 0, 0}};
    EXPECT_EQ(slVectorInArray(&a, array, 3), 1);
    EXPECT_EQ(slVectorInArray(&a, array, 2), 0);  // only the first count elements
    EXPECT_EQ(slVectorInArray(&a, array, 0), 0);
    EXPECT_EQ(slVectorInArray(&a, array, -1), 0);
}

TEST(Vector, ConstructionAndSetters) {
    std::unique_ptr<slVector> v(slNewVector(1, 2, 3));
    expectVector(*v, 1, 2, 3);
    slVectorSet(v.get(), 4, 5, 6);
    expectVector(*v, 4, 5, 6);
    slVectorZero(v.get());
    expectVector(*v, 0, 0, 0);
}

TEST(Vector, SixComponentArithmetic) {
    slsVector a, b, out;
    slsVectorSet(&a, 1, 2, 3, 4, 5, 6);
    slsVectorSet(&b, 10, 20, 30, 40, 50, 60);
    slsVectorAdd(&a, &b, &out);
    EXPECT_EQ(out.v[0], 11);
    EXPECT_EQ(out.v[5], 66);
    slsVectorSub(&a, &b, &out);
    EXPECT_EQ(out.v[1], -18);
    EXPECT_EQ(out.v[4], -45);
    slsVectorMul(&a, 0.5, &out);
    EXPECT_EQ(out.v[2], 1.5);
    EXPECT_EQ(out.v[3], 2);
    // The dot product crosses the halves.
    EXPECT_EQ(slsVectorDot(&a, &b), 1 * 40 + 2 * 50 + 3 * 60 + 4 * 10 + 5 * 20 + 6 * 30);
    slsVector e0, e3;
    slsVectorSet(&e0, 1, 0, 0, 0, 0, 0);
    slsVectorSet(&e3, 0, 0, 0, 1, 0, 0);
    EXPECT_EQ(slsVectorDot(&e0, &e0), 0);
    EXPECT_EQ(slsVectorDot(&e0, &e3), 1);
    slsVectorZero(&a);
    for (double component : a.v) EXPECT_EQ(component, 0);
}

TEST(Vector, PrintFormats) {
    slVector v{0.5, -1, 2};
    testing::internal::CaptureStdout();
    slVectorPrint(&v);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "(0.50000000000000000000, -1.00000000000000000000, 2.00000000000000000000)\n");
    slsVector s;
    slsVectorSet(&s, 1, 2, 3, 4, 5, 6);
    testing::internal::CaptureStdout();
    slsVectorPrint(&s);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed,
              "(1.00000000000000000000, 2.00000000000000000000, 3.00000000000000000000)\n"
              "(4.00000000000000000000, 5.00000000000000000000, 6.00000000000000000000)\n");
}

}  // namespace
