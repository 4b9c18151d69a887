#include "equationEditor/geEquationPicture.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "equationEditor/geBezierPath.h"

namespace {

QSizeF pictureSize(const geBezierPath &path, double scale, double margin) {
    const QRectF b = path.bounds();
    return {std::ceil(b.width() * scale + 2 * margin), std::ceil(b.height() * scale + 2 * margin)};
}

// Maps the path's y-up plane onto a y-down device of the given height: the box's
// bottom-left corner lands margin units in from the device's bottom-left corner.
void paint(QPainter &painter, const geBezierPath &path, double scale, double margin,
           double height) {
    const QRectF b = path.bounds();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWorldTransform(QTransform::fromTranslate(-b.x(), -b.y()) *
                              QTransform::fromScale(scale, -scale) *
                              QTransform::fromTranslate(margin, height - margin));
    path.fill(painter);
}

}  // namespace

QImage geEquationImage(const geBezierPath &path, double scale, double margin) {
    const QSizeF size = pictureSize(path, scale, margin);
    QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, path, scale, margin, size.height());
    return image;
}

bool geWriteEquationPng(const geBezierPath &path, double scale, const QString &fileName) {
    return geEquationImage(path, scale).save(fileName, "PNG");
}

QByteArray geEquationPdf(const geBezierPath &path, double scale, double margin) {
    const QSizeF size = pictureSize(path, scale, margin);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);  // one device unit per point
        writer.setPageSize(QPageSize(size, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
        paint(painter, path, scale, margin, size.height());
    }
    return bytes;
}
