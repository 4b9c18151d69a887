// Fonts and nodes with exact metrics for the layout tests, and path queries.
#pragma once

#include <gtest/gtest.h>

#include <QPainterPath>
#include <map>
#include <memory>

#include "equationEditor/equationEditor.h"
#include "equationEditor/geBezierPath.h"
#include "equationEditor/geFont.h"

namespace layoutTest {

// Every character is its own glyph number. A glyph's outline is one rectangle; unless set,
// it is (1, 0, 8, 10) with an advance of 10.
class TestFont : public geFont {
public:
    explicit TestFont(double ascender = 12, double descender = -4)
        : ascender_(ascender), descender_(descender) {}
    void setGlyph(char16_t c, double advance, const QRectF &box);
    void setItalic(const TestFont *italic) { italic_ = italic; }

    quint32 glyphForChar(char16_t c) const override { return c; }
    const QPainterPath &glyphOutline(quint32 glyph) const override;
    double advance(quint32 glyph) const override;
    double ascender() const override { return ascender_; }
    double descender() const override { return descender_; }
    const geFont &italicFont() const override { return italic_ ? *italic_ : *this; }

private:
    struct Glyph {
        double advance;
        QPainterPath outline;
    };
    const Glyph &glyph(quint32 index) const;

    double ascender_, descender_;
    const TestFont *italic_ = nullptr;
    mutable std::map<quint32, Glyph> glyphs_;
};

// A node that lays out to a filled w x h box with the given centre offset.
class BoxNode : public geEdit {
public:
    BoxNode(double w, double h, double c = 0) : w_(w), h_(h), c_(c) {}
    static std::shared_ptr<BoxNode> make(double w, double h, double c = 0) {
        return std::make_shared<BoxNode>(w, h, c);
    }
    geEditKind kind() const override { return geEditKind::Var; }
    geEditPtr leftMostExpression() override { return shared_from_this(); }
    geEditPtr rightMostExpression() override { return shared_from_this(); }
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &, bool, bool) override;

private:
    double w_, h_, c_;
};

// Whether the path's own elements pass through p (in the top path's coordinates).
bool passesThrough(const geBezierPath &path, QPointF p, double tolerance = 1e-9);

// Rectangles compared to 1e-9 units.
::testing::AssertionResult sameRect(const QRectF &actual, const QRectF &expected);
#define EXPECT_RECT(actual, expected) EXPECT_TRUE(layoutTest::sameRect((actual), (expected)))

}  // namespace layoutTest
