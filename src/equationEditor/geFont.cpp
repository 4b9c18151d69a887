#include "equationEditor/geFont.h"

#include <QFont>
#include <atomic>

namespace {
std::atomic<quint64> nextSerial{1};
}

geFont::geFont() : serial_(nextSerial.fetch_add(1)) {}

geRawFont::geRawFont(const QRawFont &raw) : raw_(raw) { asciiGlyphs_.fill(unknownGlyph); }

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
        *slot = index;
    }
    return *slot;
}

const geRawFont::Glyph &geRawFont::glyph(quint32 index) const {
    auto it = glyphs_.find(index);
    if (it != glyphs_.end()) return it->second;
    // Qt's outlines are y-down; the editor's plane is y-up.
    QPainterPath outline = QTransform(1, 0, 0, -1, 0, 0).map(raw_.pathForGlyph(index));
    outline.setFillRule(Qt::WindingFill);
    QPointF advance;
    raw_.advancesForGlyphIndexes(&index, &advance, 1, QRawFont::UseDesignMetrics);
    return glyphs_.emplace(index, Glyph{std::move(outline), advance.x()}).first->second;
}

const QPainterPath &geRawFont::glyphOutline(quint32 index) const { return glyph(index).outline; }

double geRawFont::advance(quint32 index) const { return glyph(index).advance; }
