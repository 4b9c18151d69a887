// Bitmap fonts for graph labels, rasterised once from the DejaVu outlines and drawn with
// glBitmap, so text draws the same in the window and in a headless context.
//
// Two fonts exist: a fixed font in 9 x 15 pixel cells for axis names and a proportional
// sans of about 10 points for numbers and captions. Each covers printable ASCII; other
// characters are skipped. Rasterising needs a QGuiApplication (the offscreen platform
// plugin is enough); without one the fonts stay empty and text draws nothing.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class QFont;
class QString;

struct graphBitmapGlyph {
    int width = 0, height = 0;
    float xOrigin = 0.0f, yOrigin = 0.0f;  // the origin's offset inside the bitmap
    float advance = 0.0f;
    std::vector<uint8_t> bits;  // rows bottom-up, most significant bit first, no padding
};

class graphBitmapFont {
public:
    static constexpr char firstCharacter = ' ', lastCharacter = '~';

    // Rasterises the family at the pixel size. A fixed advance > 0 makes every cell that
    // wide; a cell height > 0 fixes the height, with the baseline its descent above the
    // bottom. False when no font could be used.
    bool rasterise(const QString &family, int pixelSize, int fixedAdvance, int cellHeight);

    bool isLoaded() const { return !glyphs.empty(); }
    // Null for a character outside the font.
    const graphBitmapGlyph *glyph(char c) const;
    float textWidth(std::string_view text) const;
    int cellHeight() const { return height; }

private:
    std::vector<graphBitmapGlyph> glyphs;
    int height = 0;
};

// The two label fonts. loadGraphFonts rasterises them at the scale (1 gives the 9 x 15 cells
// and the 10 pixel sans), again only when the scale changes, and answers whether they are
// available.
bool loadGraphFonts(float scale = 1.0f);
const graphBitmapFont &graphFixed9By15Font();
const graphBitmapFont &graphSans10Font();

// The outline font the bitmaps are made from, at the pixel size of the fixed or the sans
// label font times scale, for drawing labels as text (vector output).
QFont graphLabelFont(bool fixed, float scale);

// Sets the raster position to (x, y) or (x, y, z) and draws every character of text in
// turn with glBitmap, in the current colour. A raster position outside the view draws
// nothing, as in OpenGL.
void renderGLText(double x, double y, std::string_view text, const graphBitmapFont &font);
void renderGLText(double x, double y, double z, std::string_view text, const graphBitmapFont &font);
