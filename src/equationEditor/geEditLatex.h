// LaTeX for an editor subtree, for reports and slides: fractions as \frac{}{}, powers as
// ^{}, roots as \sqrt[n]{}, known functions as \sin, pi as \pi, and a product of two
// numbers with \cdot as the editor shows its dot. A placeholder is \square.
#pragma once

#include <QString>

class geEdit;

QString geLatexString(const geEdit *node);
