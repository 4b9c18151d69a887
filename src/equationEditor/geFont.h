// The glyphs and metrics that layout needs from a font, and their source on QRawFont.
//
// Units are points at the font's size; outlines are y-up with the glyph's origin on the
// baseline at (0, 0).
#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

// The editor's font: a serif face that has every glyph the layout draws.
inline constexpr const char *geDefaultFontFamily = "DejaVu Serif";
inline constexpr double geDefaultFontSize = 24.0;

class geFont {
public:
    geFont();
    virtual ~geFont() = default;
    geFont(const geFont &) = delete;
    geFont &operator=(const geFont &) = delete;

    // Identifies this font object for the nodes' glyph caches. Unlike an address it is
    // never reused by a later font, so a cache can never outlive the font it was made for.
    quint64 serial() const { return serial_; }

    virtual quint32 glyphForChar(char16_t c) const = 0;
    // The outline stays valid as long as the font does.
    virtual const QPainterPath &glyphOutline(quint32 glyph) const = 0;
    virtual double advance(quint32 glyph) const = 0;
    virtual double ascender() const = 0;
    // Negative: the depth below the baseline.
    virtual double descender() const = 0;
    // The italic variant (the font itself when it has none).
    virtual const geFont &italicFont() const = 0;

private:
    quint64 serial_;
};

// A font on QRawFont, with its glyph numbers, outlines and advances cached as they are
// first asked for. A character the face lacks is drawn from the face that Qt's font
// fallback picks for it, at the same size; such glyph numbers carry the fallback face's
// number above bit 16. Needs a QGuiApplication.
class geRawFont : public geFont {
public:
    // upright and italic at the same pixel size; an invalid italic answers the upright.
    geRawFont(const QRawFont &upright, const QRawFont &italic);
    // Faces from font files, size in points.
    static std::unique_ptr<geRawFont> fromFiles(const QString &upright, const QString &italic,
                                                double size);
    // A family as the system's font configuration resolves it, size in points.
    static std::unique_ptr<geRawFont> fromFamily(const QString &family, double size);
    // DejaVu Serif at 24 points.
    static std::unique_ptr<geRawFont> defaultFont();

    bool isValid() const { return raw_.isValid(); }
    const QRawFont &rawFont() const { return raw_; }

    quint32 glyphForChar(char16_t c) const override;
    const QPainterPath &glyphOutline(quint32 glyph) const override;
    double advance(quint32 glyph) const override;
    double ascender() const override { return raw_.ascent(); }
    double descender() const override { return -raw_.descent(); }
    const geFont &italicFont() const override { return italic_ ? *italic_ : *this; }

private:
    explicit geRawFont(const QRawFont &raw);
    struct Glyph {
        QPainterPath outline;
        double advance;
    };
    const Glyph &glyph(quint32 index) const;
    // The glyph of c in a fallback face, 0 when no face has it.
    quint32 fallbackGlyph(char16_t c) const;

    QRawFont raw_;
    mutable std::vector<QRawFont> fallbacks_;
    std::unique_ptr<geRawFont> italic_;
    static constexpr quint32 unknownGlyph = 0xFFFFFFFFu;
    mutable std::array<quint32, 128> asciiGlyphs_;
    mutable std::unordered_map<char16_t, quint32> otherGlyphs_;
    mutable std::unordered_map<quint32, Glyph> glyphs_;
};
