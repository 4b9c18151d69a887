// plotweave-cli typeset: an equation read from text or typed from KEYS, laid out as the editor lays
// it out and written as a PNG or PDF picture.
#pragma once

#include <QString>

#include "equationEditor/geEdit.h"

// Needs a QGuiApplication for the font. fontSize in points, scale in pixels (PNG) or points
// (PDF) per layout unit. Replaces path only once the picture is complete.
// The output's name is checked before the equation is made.
void cliCheckTypesetPath(const QString &path);
void cliTypeset(const geEditPtr &root, const QString &path, double fontSize, double scale);
