// Number text in the C notation, also under a locale whose decimal separator is ",".
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "engine/slNumberText.h"

namespace {

TEST(NumberText, ReadsAndWritesTheCNotationUnderEveryLocale) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char *text;
        double value;
    } reads[] = {
        {"2.5", 2.5}, {"0.", 0}, {".5", 0.5},    {" +1e3x", 1000}, {"-2,5", -2},  {"abc", 0},
        {"+-1", 0},   {"", 0},   {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0}, {"12.5.3", 12.5},
    };
    // Underflow and overflow written without an exponent, as the text reader writes them.
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const std::string huge = "1" + std::string(400, '0');
    const struct {
        double value;
        char style;
        int precision;
        const char *text;
    } writes[] = {
        {1.5, 'f', 3, "1.500"},
        {0.04, 'e', 6, "4.000000e-02"},
        {0.1, 'g', 10, "0.1"},
        {-40, 'f', 0, "-40"},
    };
    for (const char *locale : {"C", "de_DE.UTF-8"}) {
        if (!std::setlocale(LC_ALL, locale)) {
            std::setlocale(LC_ALL, "C");
            GTEST_SKIP() << "locale " << locale << " is not installed";
        }
        for (const auto &r : reads)
            EXPECT_EQ(slReadNumber(r.text), r.value) << r.text << " " << locale;
        EXPECT_EQ(slReadNumber(tiny), 0.0);
        EXPECT_EQ(slReadNumber("-" + tiny + "e5"), 0.0);
        EXPECT_EQ(slReadNumber(huge), inf);
        EXPECT_EQ(slReadNumber(tiny + "e800"), inf);
        for (const auto &w : writes)
            EXPECT_EQ(slFormatNumber(w.value, w.style, w.precision), w.text) << locale;
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
