// The values of k of a movie and the loop that records them.
#include "movie/slKSweep.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "movieTestSupport.h"

namespace {

struct sweepCase {
    const char *name;
    double minK, maxK;
    int steps;
    std::vector<double> ks;
};

const sweepCase sweepCases[] = {
    {"four steps", 0, 1, 4, {0, 0.25, 0.5, 0.75, 1, 0.75, 0.5, 0.25}},
    {"two steps become three", 0, 1, 2, {0, 1 / 3.0, 2 / 3.0, 1, 2 / 3.0, 1 / 3.0}},
    {"no steps become three", -3, 3, 0, {-3, -1, 1, 3, 1, -1}},
    // Steps of 0.1 added up reach 0.9999999999999999, which is still below 1.
    {"ten steps of 0.1", 0, 1, 10, {0, .1, .2, .3, .4, .5, .6, .7, .8, .9,
                                    1, .9, .8, .7, .6, .5, .4, .3, .2, .1}},
    {"equal bounds", 0.5, 0.5, 4, {}},
    {"falling bounds", 1, 0, 4, {}},
};

TEST(kSweep, valuesRiseToMaxAndFallBackShortOfMin) {
    for (const sweepCase &c : sweepCases) {
        const std::vector<double> ks = slKSweep(c.minK, c.maxK, c.steps);
        ASSERT_EQ(ks.size(), c.ks.size()) << c.name;
        for (size_t i = 0; i < ks.size(); i++)
            EXPECT_NEAR(ks[i], c.ks[i], 1e-12) << c.name << ", frame " << i;
    }
}

// A cancelled sweep stops at once, a frame that cannot be drawn ends it as a failure, and
// the recorder left without closeMovie writes nothing: no new movie, no part file, an
// older movie at the path as it was.
TEST(kSweep, aStoppedOrFailedRecordingLeavesNoFileAndKeepsAnOldOne) {
    QTemporaryDir dir;
    {
        QFile old(dir.filePath("old.mov"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const std::vector<uint8_t> frame = movieTest::makeFrame(8, 8, 0, 0);
    const std::vector<double> ks = slKSweep(0, 1, 4);
    std::vector<double> drawn;
    auto draw = [&](double k) {
        drawn.push_back(k);
        return k < 0.6 ? frame.data() : nullptr;
    };
    for (const char *file : {"new.mov", "old.mov"}) {
        SCOPED_TRACE(file);
        {
            slMovieRecord stopped, missing;
            ASSERT_TRUE(stopped.initWithPath(dir.filePath(file), QRectF(0, 0, 8, 8), 30, 6));
            drawn.clear();
            EXPECT_EQ(slRecordKSweep(stopped, ks, draw, [](size_t done) { return done < 2; }), 1);
            EXPECT_EQ(drawn, (std::vector<double>{0, 0.25}));
            ASSERT_TRUE(missing.initWithPath(dir.filePath(file), QRectF(0, 0, 8, 8), 30, 6));
            drawn.clear();
            EXPECT_EQ(slRecordKSweep(missing, ks, draw, [](size_t) { return true; }), -1);
            EXPECT_EQ(drawn, (std::vector<double>{0, 0.25, 0.5, 0.75}));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.mov"});
        QFile old(dir.filePath("old.mov"));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
    }
}

}  // namespace
