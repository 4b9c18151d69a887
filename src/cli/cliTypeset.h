// plotweave-cli typeset: an equation typed from KEYS, laid out as the editor lays it out
// and written as a PNG or PDF picture.
#pragma once

#include <QString>

// Needs a QGuiApplication for the font. fontSize in points, scale in pixels (PNG) or points
// (PDF) per layout unit. Replaces path only once the picture is complete.
void cliTypeset(const QString &keys, const QString &path, double fontSize, double scale);
