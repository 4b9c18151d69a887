// Pictures of a laid-out equation for files, the clipboard and the command line tool:
// the path tree painted y-up, as the editor shows it, on a white ground.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class geBezierPath;

// The picture's size for a path box of w x h units: (w x scale + 2 margin) x
// (h x scale + 2 margin), rounded up to whole pixels.
QImage geEquationImage(const geBezierPath &path, double scale, double margin = 4);
bool geWriteEquationPng(const geBezierPath &path, double scale, const QString &fileName);
// A one-page PDF whose page is the picture's size in points at scale 1.
QByteArray geEquationPdf(const geBezierPath &path, double scale, double margin = 4);
