// The k animation, driven tick by tick through its timer's slot.
#include <gtest/gtest.h>

#include <vector>

#include "app/graphKAnimation.h"

namespace {

TEST(KAnimation, TicksRiseClampAtTheTopAndFallBack) {
    struct Case {
        const char *what;
        float start;
        bool rising;
        std::vector<float> ticks;
    } cases[] = {
        {"from minK", 0.0f, true, {0.25f, 0.5f, 0.75f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f, 0.25f}},
        {"at maxK rising", 1.0f, true, {1.0f, 0.75f}},
        {"beyond the step at the top", 0.9f, true, {1.0f, 0.75f}},
        {"at minK falling", 0.0f, false, {0.0f, 0.25f}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        graphKAnimation animation;
        animation.setRange(0.0, 1.0, 0.25);
        animation.updateK(c.start);
        graphKAnimation::setRising(c.rising);
        std::vector<float> seen;
        animation.onK = [&](float k) { seen.push_back(k); };
        for (size_t i = 0; i < c.ticks.size(); ++i) animation.changeK();
        EXPECT_EQ(seen, c.ticks);
        EXPECT_EQ(animation.kText(), QString::asprintf("%.3f", double(c.ticks.back())));
    }
}

TEST(KAnimation, KIsRoundedToSinglePrecisionThroughTheSliderEveryTick) {
    graphKAnimation animation;
    animation.setRange(0.0, 10.0, 0.1);
    animation.updateK(0.0f);
    graphKAnimation::setRising(true);
    double sum = 0.0;
    float expected = 0.0f;
    for (int i = 0; i < 30; ++i) {
        animation.changeK();
        expected = static_cast<float>(double(expected) + 0.1);
        sum += 0.1;
    }
    EXPECT_EQ(animation.sliderValue(), expected);
    EXPECT_NE(double(animation.sliderValue()), sum);  // no double-precision k kept aside
}

TEST(KAnimation, TheMenuTogglesA50msTimerAndTheDirectionOutlivesIt) {
    graphKAnimation animation;
    animation.setRange(0.0, 1.0, 0.5);
    animation.updateK(0.5f);
    graphKAnimation::setRising(true);
    EXPECT_EQ(animation.menuTitle(), "Animate K");
    animation.animateK();
    EXPECT_TRUE(animation.isAnimating());
    EXPECT_EQ(animation.timer().interval(), 50);
    EXPECT_EQ(animation.menuTitle(), "Stop Animation");
    animation.changeK();  // reaches 1 and turns
    animation.animateK();
    EXPECT_FALSE(animation.isAnimating());
    EXPECT_EQ(animation.menuTitle(), "Animate K");
    animation.animateK();
    animation.changeK();
    EXPECT_EQ(animation.sliderValue(), 0.5f);  // still falling
}

TEST(KAnimation, TypedKBeyondTheRangeReachesTheViewButTheSliderStopsAtItsEnd) {
    graphKAnimation animation;
    animation.setRange(-1.0, 1.0, 0.5);
    float viewK = 0.0f;
    animation.onK = [&](float k) { viewK = k; };
    animation.updateK(4.25f);
    EXPECT_EQ(viewK, 4.25f);
    EXPECT_EQ(animation.sliderValue(), 1.0f);
    EXPECT_EQ(animation.kText(), "4.250");
}

}  // namespace
