#include <gtest/gtest.h>

#include <cmath>

#include "engine/slVector.h"

// The vector operations the renderers use: cross product and normalisation.

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

}  // namespace
