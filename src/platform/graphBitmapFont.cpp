#include "platform/graphBitmapFont.h"

#include <GL/gl.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

graphBitmapFont fixedFont, sansFont;

// Loads a DejaVu file by path so the label fonts do not depend on fontconfig's choice;
// answers its family, or the fallback family when the file is missing.
QString familyFromFile(const char *path, const char *fallback) {
    int id = QFontDatabase::addApplicationFont(QString::fromUtf8(path));
    if (id >= 0) {
        QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) return families.first();
    }
    return QString::fromUtf8(fallback);
}

}  // namespace

bool graphBitmapFont::rasterise(const QString &family, int pixelSize, int fixedAdvance,
                                int fixedCellHeight) {
    glyphs.clear();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) return false;

    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    QFontMetricsF metrics(font);
    int descent = static_cast<int>(std::ceil(metrics.descent()));
    int ascent = static_cast<int>(std::ceil(metrics.ascent()));
    height = fixedCellHeight > 0 ? fixedCellHeight : ascent + descent;
    if (fixedCellHeight > 0) descent = std::min(descent, fixedCellHeight / 4);
    const int pad = 2;  // room for glyphs that overhang their advance

    for (char c = firstCharacter; c <= lastCharacter; c++) {
        QString text(QChar::fromLatin1(c));
        float advance = fixedAdvance > 0
                            ? static_cast<float>(fixedAdvance)
                            : std::round(static_cast<float>(metrics.horizontalAdvance(text)));
        int width = static_cast<int>(advance) + 2 * pad;
        QImage image(width, height, QImage::Format_Grayscale8);
        image.fill(0);
        {
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QPointF(pad, height - descent), text);
        }
        graphBitmapGlyph glyph;
        glyph.width = width;
        glyph.height = height;
        glyph.xOrigin = static_cast<float>(pad);
        glyph.yOrigin = static_cast<float>(descent);
        glyph.advance = advance;
        int rowBytes = (width + 7) / 8;
        glyph.bits.assign(static_cast<size_t>(rowBytes * height), 0);
        // glBitmap wants the bottom row first.
        for (int row = 0; row < height; row++) {
            const uchar *line = image.constScanLine(height - 1 - row);
            for (int x = 0; x < width; x++)
                if (line[x] >= 128)
                    glyph.bits[static_cast<size_t>(row * rowBytes + x / 8)] |=
                        static_cast<uint8_t>(0x80 >> (x % 8));
        }
        glyphs.push_back(std::move(glyph));
    }
    return true;
}

const graphBitmapGlyph *graphBitmapFont::glyph(char c) const {
    if (c < firstCharacter || c > lastCharacter || glyphs.empty()) return nullptr;
    return &glyphs[static_cast<size_t>(c - firstCharacter)];
}

float graphBitmapFont::textWidth(std::string_view text) const {
    float width = 0.0f;
    for (char c : text)
        if (const graphBitmapGlyph *g = glyph(c)) width += g->advance;
    return width;
}

namespace {

float loadedScale = 0.0f;

const QString &monoFamily() {
    static const QString family =
        familyFromFile("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "DejaVu Sans Mono");
    return family;
}

const QString &sansFamily() {
    static const QString family =
        familyFromFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans");
    return family;
}

int scaled(int pixels, float scale) {
    return std::max(1, static_cast<int>(std::lround(static_cast<float>(pixels) * scale)));
}

}  // namespace

bool loadGraphFonts(float scale) {
    if (!(scale > 0.0f)) scale = 1.0f;
    if (scale != loadedScale) {
        fixedFont = {};
        sansFont = {};
    }
    if (!fixedFont.isLoaded())
        fixedFont.rasterise(monoFamily(), scaled(15, scale), scaled(9, scale), scaled(15, scale));
    if (!sansFont.isLoaded()) sansFont.rasterise(sansFamily(), scaled(10, scale), 0, 0);
    loadedScale = fixedFont.isLoaded() && sansFont.isLoaded() ? scale : 0.0f;
    return loadedScale != 0.0f;
}

QFont graphLabelFont(bool fixed, float scale) {
    QFont font(fixed ? monoFamily() : sansFamily());
    font.setPixelSize(fixed ? scaled(15, scale) : scaled(10, scale));
    return font;
}

const graphBitmapFont &graphFixed9By15Font() {
    return fixedFont;
}

const graphBitmapFont &graphSans10Font() {
    return sansFont;
}

namespace {

void drawGlyphs(std::string_view text, const graphBitmapFont &font) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (char c : text)
        if (const graphBitmapGlyph *g = font.glyph(c))
            glBitmap(g->width, g->height, g->xOrigin, g->yOrigin, g->advance, 0.0f, g->bits.data());
    glPopClientAttrib();
}

}  // namespace

void renderGLText(double x, double y, std::string_view text, const graphBitmapFont &font) {
    glRasterPos2f(static_cast<float>(x), static_cast<float>(y));
    drawGlyphs(text, font);
}

void renderGLText(double x, double y, double z, std::string_view text,
                  const graphBitmapFont &font) {
    glRasterPos3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    drawGlyphs(text, font);
}
