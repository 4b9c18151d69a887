// Construction and release, checked with a count of live allocations.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "testSupport.h"

namespace {
std::atomic<long> liveAllocations{0};
}

void *operator new(std::size_t size) {
    void *p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    ++liveAllocations;
    return p;
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void *p) noexcept {
    if (!p) return;
    --liveAllocations;
    std::free(p);
}
void operator delete[](void *p) noexcept {
    operator delete(p);
}
void operator delete(void *p, std::size_t) noexcept {
    operator delete(p);
}
void operator delete[](void *p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

TEST(Lifetime, ReleaseFreesEveryNodeAndPayload) {
    const long before = liveAllocations;
    grExp *tree = add(un(grFnSin, mul(X(), num(2))), nullptr);
    EXPECT_EQ(liveAllocations - before, 10);  // five nodes with five payloads
    grFreeExp(tree);
    EXPECT_EQ(liveAllocations, before);

    grFreeExp(nullptr);
    grFreeBinaryExp(new grBinaryExp{grOpMul, num(1), un(grFnSin, X())});
    grFreeUnaryExp(new grUnaryExp{grFnCos, add(X(), nullptr)});
    EXPECT_EQ(liveAllocations, before);
}

TEST(Lifetime, EquationReleaseFreesTheWholeTree) {
    const long before = liveAllocations;
    grEquation *q = grNewEquation(comma(eq(X(), T()), eq(Y(), un(grFnSin, T()))));
    ASSERT_NE(q, nullptr);
    grFreeEquation(q);
    grFreeEquation(nullptr);
    EXPECT_EQ(liveAllocations, before);

    // A failed classification releases its record but leaves the tree to the caller.
    grExp *tree = eq(T(), num(5));
    const long withTree = liveAllocations;
    EXPECT_EQ(grNewEquation(tree), nullptr);
    EXPECT_EQ(liveAllocations, withTree);
    grFreeExp(tree);
    EXPECT_EQ(liveAllocations, before);
}

TEST(Lifetime, UnknownNodeTypeIsReportedAndTheNodeReleased) {
    double payload = 1;
    const long before = liveAllocations;
    grExp *node = grNewExp(42, &payload);
    testing::internal::CaptureStdout();
    grFreeExp(node);  // the payload is not touched: its layout is unknown
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "unknown expression type in grFreeExp: 42\n");
    EXPECT_EQ(liveAllocations, before);
    EXPECT_EQ(payload, 1);
}

}  // namespace
