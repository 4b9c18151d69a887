#include "equationEditor/geFont.h"

#include <QFont>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace {
std::atomic<quint64> nextSerial{1};
}

geFont::geFont() : serial_(nextSerial.fetch_add(1)) {}

geRawFont::geRawFont(const QRawFont &raw) : raw_(raw) {
    asciiGlyphs_.fill(unknownGlyph);
}

geRawFont::geRawFont(const QRawFont &upright, const QRawFont &italic) : geRawFont(upright) {
    if (italic.isValid()) italic_.reset(new geRawFont(italic));
}

std::unique_ptr<geRawFont> geRawFont::fromFiles(const QString &upright, const QString &italic,
                                                double size) {
    return std::make_unique<geRawFont>(QRawFont(upright, size), QRawFont(italic, size));
}

std::unique_ptr<geRawFont> geRawFont::fromFamily(const QString &family, double size) {
    QFont font(family);
    QRawFont upright = QRawFont::fromFont(font);
    font.setItalic(true);
    QRawFont italic = QRawFont::fromFont(font);
    // Without an italic face the configuration answers the upright one again.
    if (italic.style() == QFont::StyleNormal) italic = QRawFont();
    upright.setPixelSize(size);
    if (italic.isValid()) italic.setPixelSize(size);
    return std::make_unique<geRawFont>(upright, italic);
}

std::unique_ptr<geRawFont> geRawFont::defaultFont() {
    return fromFamily(QString::fromLatin1(geDefaultFontFamily), geDefaultFontSize);
}

quint32 geRawFont::glyphForChar(char16_t c) const {
    quint32 *slot = nullptr;
    if (c < asciiGlyphs_.size()) {
        slot = &asciiGlyphs_[c];
    } else {
        auto [it, inserted] = otherGlyphs_.try_emplace(c, unknownGlyph);
        slot = &it->second;
    }
    if (*slot == unknownGlyph) {
        const QChar ch(c);
        quint32 index = 0;
        int count = 1;
        if (!raw_.glyphIndexesForChars(&ch, 1, &index, &count) || count != 1) index = 0;
        if (index == 0 || !raw_.supportsCharacter(ch)) index = fallbackGlyph(c);
        *slot = index;
    }
    return *slot;
}

// Qt's own fallback: lay the character out in a QFont of this face and take the face and
// glyph that the layout drew it with.
quint32 geRawFont::fallbackGlyph(char16_t c) const {
    QFont font(raw_.familyName());
    font.setStyle(raw_.style());
    font.setWeight(QFont::Weight(raw_.weight()));
    font.setPixelSize(std::max(1, int(std::lround(raw_.pixelSize()))));
    QTextLayout layout(QString(QChar(c)), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        QRawFont face = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        if (!face.isValid() || indexes.isEmpty() || indexes.front() == 0 ||
            indexes.front() > 0xFFFF)
            continue;
        face.setPixelSize(raw_.pixelSize());
        auto known = std::find(fallbacks_.begin(), fallbacks_.end(), face);
        if (known == fallbacks_.end()) {
            if (fallbacks_.size() >= 0xFFFE) return 0;
            known = fallbacks_.insert(fallbacks_.end(), face);
        }
        return quint32(known - fallbacks_.begin() + 1) << 16 | indexes.front();
    }
    return 0;
}

const geRawFont::Glyph &geRawFont::glyph(quint32 index) const {
    auto it = glyphs_.find(index);
    if (it != glyphs_.end()) return it->second;
    const size_t face = index >> 16;
    const QRawFont &raw = face > 0 && face <= fallbacks_.size() ? fallbacks_[face - 1] : raw_;
    quint32 local = face > 0 ? index & 0xFFFF : index;
    // Qt's outlines are y-down; the editor's plane is y-up.
    QPainterPath outline = QTransform(1, 0, 0, -1, 0, 0).map(raw.pathForGlyph(local));
    outline.setFillRule(Qt::WindingFill);
    QPointF advance;
    raw.advancesForGlyphIndexes(&local, &advance, 1, QRawFont::UseDesignMetrics);
    return glyphs_.emplace(index, Glyph{std::move(outline), advance.x()}).first->second;
}

const QPainterPath &geRawFont::glyphOutline(quint32 index) const {
    return glyph(index).outline;
}

double geRawFont::advance(quint32 index) const {
    return glyph(index).advance;
}
