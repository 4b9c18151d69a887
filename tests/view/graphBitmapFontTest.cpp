// The label fonts rasterised from the DejaVu outlines.
#include "platform/graphBitmapFont.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

int setBits(const graphBitmapGlyph &g) {
    int n = 0;
    for (uint8_t byte : g.bits) n += __builtin_popcount(byte);
    return n;
}

TEST(graphBitmapFont, fixedFontHasNineByFifteenCells) {
    ASSERT_TRUE(loadGraphFonts());
    const graphBitmapFont &font = graphFixed9By15Font();
    EXPECT_EQ(font.cellHeight(), 15);
    for (char c = graphBitmapFont::firstCharacter; c <= graphBitmapFont::lastCharacter; c++) {
        const graphBitmapGlyph *g = font.glyph(c);
        ASSERT_NE(g, nullptr) << c;
        EXPECT_EQ(g->advance, 9.0f) << c;
        EXPECT_EQ(g->height, 15) << c;
        EXPECT_EQ(g->bits.size(), static_cast<size_t>((g->width + 7) / 8 * g->height)) << c;
    }
    EXPECT_EQ(setBits(*font.glyph(' ')), 0);
    EXPECT_GT(setBits(*font.glyph('X')), 10);
    EXPECT_EQ(font.glyph('\n'), nullptr);
    EXPECT_EQ(font.textWidth("XYZ"), 27.0f);
}

TEST(graphBitmapFont, sansFontIsSmallAndProportional) {
    ASSERT_TRUE(loadGraphFonts());
    const graphBitmapFont &font = graphSans10Font();
    EXPECT_GE(font.cellHeight(), 10);
    EXPECT_LE(font.cellHeight(), 16);
    EXPECT_LT(font.glyph('1')->advance + 0.0f, font.glyph('W')->advance);
    EXPECT_LT(font.glyph('.')->advance, font.glyph('0')->advance);
    EXPECT_GT(setBits(*font.glyph('8')), setBits(*font.glyph('-')));
    // Digits share one width, so columns of numbers line up.
    for (char c = '1'; c <= '9'; c++)
        EXPECT_EQ(font.glyph(c)->advance, font.glyph('0')->advance) << c;

    // The glyph's ink lies above the baseline row for a digit and reaches below it for 'g'.
    auto lowestInkRow = [](const graphBitmapGlyph &g) {
        int rowBytes = (g.width + 7) / 8;
        for (int row = 0; row < g.height; row++)
            if (std::any_of(g.bits.begin() + row * rowBytes, g.bits.begin() + (row + 1) * rowBytes,
                            [](uint8_t b) { return b != 0; }))
                return row;
        return g.height;
    };
    EXPECT_GE(lowestInkRow(*font.glyph('0')), static_cast<int>(font.glyph('0')->yOrigin));
    EXPECT_LT(lowestInkRow(*font.glyph('g')), static_cast<int>(font.glyph('g')->yOrigin));
}

}  // namespace

TEST(graphBitmapFont, scaledFontsGrowWithTheScale) {
    struct {
        float scale;
        int fixedAdvance, fixedHeight;
    } cases[] = {{2.0f, 18, 30}, {0.5f, 5, 8}, {1.0f, 9, 15}};
    int previousInk = 0;
    for (auto &c : cases) {
        ASSERT_TRUE(loadGraphFonts(c.scale));
        EXPECT_EQ(graphFixed9By15Font().cellHeight(), c.fixedHeight) << c.scale;
        EXPECT_EQ(graphFixed9By15Font().glyph('X')->advance, c.fixedAdvance) << c.scale;
        EXPECT_NEAR(graphSans10Font().cellHeight(), 12 * c.scale, 3 * c.scale) << c.scale;
        const int ink = setBits(*graphSans10Font().glyph('8'));
        EXPECT_TRUE(c.scale != 0.5f || ink * 4 < previousInk) << ink << " after " << previousInk;
        previousInk = ink;
    }
}
