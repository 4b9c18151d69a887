// Layout of the leaves (placeholder, letter, number) and the number's hit testing.
#include <cmath>

#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geLayoutSupport.h"

using namespace geLayout;

// Placeholder "?".

void geEditEmpty::updateGlyphForFont(const geFont &font) {
    glyph_ = font.glyphForChar(u'?');
    glyphAdvance_ = font.advance(glyph_);
    asc_ = font.ascender();
    desc_ = font.descender();
    lastFont_ = font.serial();
}

// The box is [0, advance + 1] x [desc - 1, asc + 1] with the glyph's outline. A
// placeholder never draws a caret: holding the cursor, its highlighted box is the cursor.
std::unique_ptr<geBezierPath> geEditEmpty::renderWithFont(const geFont &font, bool,
                                                          bool selection) {
    if (font.serial() != lastFont_) updateGlyphForFont(font);
    auto p = glyphPath(glyph_, font, this);
    invisibleLine(*p, {0, desc_ - 1}, {0, asc_ + 1});
    invisibleLine(*p, {glyphAdvance_ + 1, desc_ - 1}, {glyphAdvance_ + 1, asc_ + 1});
    p->recenter();
    if (selection && (hasCursor_ || isSelected_)) p->setHighlight(true);
    return p;
}

// Letters.

// A letter restored from an archive may hold more or fewer than one character; each of
// them is drawn.
void geEditVar::updateGlyphForFont(const geFont &font) {
    glyph_ = text_.isEmpty() ? 0 : font.glyphForChar(text_.at(0).unicode());
    glyphAdvance_ = 0;
    for (QChar c : text_) glyphAdvance_ += font.advance(font.glyphForChar(c.unicode()));
    lastFont_ = font.serial();
}

// "x|": the caret [advance - 2, advance - 1] stands at the letter's right edge. There is
// no line at x = 0: the box starts where the outline starts.
std::unique_ptr<geBezierPath> geEditVar::renderWithFont(const geFont &font, bool cursor,
                                                        bool selection) {
    if (font.serial() != lastFont_) updateGlyphForFont(font);
    auto p = geBezierPath::bezierPathWithData(this);
    p->moveToPoint({0, 0});
    if (text_.size() == 1) {
        p->appendBezierPathWithGlyph(glyph_, font);
    } else if (!text_.isEmpty()) {
        std::vector<quint32> glyphs;
        for (QChar c : text_) glyphs.push_back(font.glyphForChar(c.unicode()));
        p->appendBezierPathWithGlyphs(glyphs.data(), int(glyphs.size()), font);
    }
    const double asc = font.ascender(), desc = font.descender();
    invisibleLine(*p, {glyphAdvance_ - 1, asc + 1}, {glyphAdvance_ - 1, desc - 1});
    if (cursor && hasCursor_) {
        p->lineToPoint({glyphAdvance_ - 2, desc - 1});
        p->lineToPoint({glyphAdvance_ - 2, asc + 1});
    }
    p->recenter();
    if (selection && isSelected_) p->setHighlight(true);
    return p;
}

// Numbers.

// "1|2": the caret before character cursorPosition spans the line height. A selection of
// some characters gets a box of its own, stored relative to the path's origin so that it
// follows the path when a fraction or an exponent scales it.
std::unique_ptr<geBezierPath> geEditNum::renderWithFont(const geFont &font, bool cursor,
                                                        bool selection) {
    const double asc = font.ascender(), desc = font.descender();
    const bool caret = cursor && hasCursor_;
    const int length = int(text_.size());
    auto p = geBezierPath::bezierPathWithData(this);
    p->moveToPoint({0, 0});
    if (caret && cursorPosition_ == 0) {
        rectangle(*p, 0, desc - 1, 1, asc + 1);
        p->closePath();
        p->moveToPoint({0, 0});
    }
    // Positions at or beyond the length mean the end of the text.
    const int start = std::clamp(std::min(startSelection_, endSelection_), 0, length);
    const int end = std::clamp(std::max(startSelection_, endSelection_), 0, length);
    double sx = 0, sw = 0;  // the selection box across; up it spans the line height
    double x = 0;
    for (int i = 0; i < length; ++i) {
        if (isSelected_ && i == start) sx = x;
        if (isSelected_ && i == end) sw = x - sx;
        const quint32 glyph = font.glyphForChar(text_.at(i).unicode());
        p->moveToPoint({x, 0});
        p->appendBezierPathWithGlyph(glyph, font);
        x += font.advance(glyph);
        if (caret && cursorPosition_ == i + 1) rectangle(*p, x, desc - 1, x + 1, asc + 1);
    }
    if (isSelected_ && start >= length) sx = x;
    if (isSelected_ && end >= length) sw = x - sx;
    invisibleLine(*p, {x + 1, desc - 1}, {x + 1, asc + 1});
    invisibleLine(*p, {0, desc - 1}, {0, asc + 1});
    offset_ = p->recenter();
    if (selection && isSelected_) {
        const QRectF s(sx + offset_.x(), desc - 1 + offset_.y(), sw, asc - desc + 2);
        if (start == 0 && end == length)
            p->setHighlight(true);
        else
            p->enableSubhighlightWithRect(s);
    }
    bounds_ = p->bounds();
    return p;
}

// With advances of 13.3 each: x < 6 is position 0, 6 <= x < 18 is 1, x >= 18 is 2. Each
// half advance is cut to a whole unit. p is in the laid-out box's coordinates; the pen
// positions are from before the recentre, which moved everything by offset.
int geEditNum::positionAtPoint(QPointF p, const geFont &font) const {
    const double x = p.x() - offset_.x();
    double pen = 0;
    for (int i = 0; i < int(text_.size()); ++i) {
        const double half =
            std::trunc(font.advance(font.glyphForChar(text_.at(i).unicode())) * 0.5);
        pen += half;
        if (pen > x) return i;
        pen += half;
    }
    return int(text_.size());
}

void geEditNum::clickOnPoint(QPointF u, const geFont &font) {
    cursorPosition_ = positionAtPoint({u.x() * bounds_.width(), u.y() * bounds_.height()}, font);
}

void geEditNum::dragToPoint(QPointF u, const geFont &font) {
    const int q = positionAtPoint({u.x() * bounds_.width(), u.y() * bounds_.height()}, font);
    if (q == cursorPosition_) {
        isSelected_ = false;
        hasCursor_ = true;
        return;
    }
    isSelected_ = true;
    hasCursor_ = false;
    startSelection_ = std::min(q, cursorPosition_);
    endSelection_ = std::max(q, cursorPosition_);
}
