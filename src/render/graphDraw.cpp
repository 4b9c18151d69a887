#include "render/graphDraw.h"

#include "platform/graphBitmapFont.h"

graphTextSize graphDraw::textSize(std::string_view text, graphFont font) const {
    const graphBitmapFont &bitmaps =
        font == graphFont::fixed9By15 ? graphFixed9By15Font() : graphSans10Font();
    if (bitmaps.isLoaded())
        return {bitmaps.textWidth(text), static_cast<float>(bitmaps.cellHeight())};
    // Without rasterised fonts (no GUI application) nothing is drawn; the nominal cell
    // keeps label spacing decisions the same.
    const float cell = font == graphFont::fixed9By15 ? 9.0f : 6.0f;
    const float height = font == graphFont::fixed9By15 ? 15.0f : 12.0f;
    return {cell * scale() * static_cast<float>(text.size()), height * scale()};
}
