// The image files of render: PNG, SVG and PDF painted with QPainter for 2D graphs, OpenGL
// read-back for 3D graphs and TIFF snapshots.
#include "cli/cliGraph.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/archive/slFileIO.h"
#include "render/graphPainterDraw.h"

namespace {

enum class imageFormat { png, tiff, svg, pdf };

imageFormat formatForPath(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return imageFormat::png;
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) return imageFormat::tiff;
    if (suffix == QLatin1String("svg")) return imageFormat::svg;
    if (suffix == QLatin1String("pdf")) return imageFormat::pdf;
    cliFail(QStringLiteral("-o %1: the image must be a .png, .svg, .pdf or .tiff file").arg(path));
}

// An image made in memory and written with the atomic writer once complete, so a failed
// render or a full disk leaves an older image as it was.
class replacingFile {
public:
    explicit replacingFile(const QString &path) : path(path), buffer(&data) {
        buffer.open(QIODevice::WriteOnly);
    }
    QIODevice *device() { return &buffer; }

    void commit() {
        buffer.close();
        QString reason;
        if (!slWriteFileAtomically(path, data, reason))
            cliFail(QStringLiteral("%1: cannot write: %2").arg(path, reason));
    }

private:
    QString path;
    QByteArray data;
    QBuffer buffer;
};

void writePNG(const QImage &image, const QString &path) {
    replacingFile file(path);
    QImageWriter writer(file.device(), "png");
    // Fast deflate: graph images are mostly flat colour, so the size barely changes.
    writer.setQuality(80);
    if (!writer.write(image))
        cliFail(QStringLiteral("%1: cannot write: %2").arg(path, writer.errorString()));
    file.commit();
}

// Runs paint on a painter over a vector document of width x height points: SVG or PDF.
template <class paintFunction>
void writeVector(imageFormat format, const QString &path, int width, int height,
                 paintFunction paint) {
    replacingFile file(path);
    QPainter painter;
    std::unique_ptr<QSvgGenerator> svg;
    std::unique_ptr<QPdfWriter> pdf;
    if (format == imageFormat::svg) {
        svg = std::make_unique<QSvgGenerator>();
        svg->setOutputDevice(file.device());
        svg->setSize(QSize(width, height));
        svg->setViewBox(QRect(0, 0, width, height));
        svg->setTitle(QStringLiteral("Plotweave graph"));
        // 96 per inch, the CSS pixel, so viewers show the document at its pixel size.
        svg->setResolution(96);
        painter.begin(svg.get());
    } else {
        pdf = std::make_unique<QPdfWriter>(file.device());
        pdf->setCreator(QStringLiteral("Plotweave"));
        pdf->setTitle(QStringLiteral("Plotweave graph"));
        pdf->setResolution(72);
        pdf->setPageSize(QPageSize(QSizeF(width, height), QPageSize::Point));
        pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
        painter.begin(pdf.get());
        // One device unit per point, whatever the page size rounded to.
        painter.scale(pdf->width() / static_cast<double>(width),
                      pdf->height() / static_cast<double>(height));
    }
    if (!painter.isActive()) cliFail(QStringLiteral("%1: cannot write the document").arg(path));
    paint(painter);
    painter.end();
    file.commit();
}

// The 2D scene painted by the drawing pass itself. An image is filled with the view's
// background first, so no pixel keeps the memory it was allocated with.
void paintScene(QPainter &painter, graphEquationTable &table, const cliGraphOptions &options,
                QImage *image = nullptr) {
    graphPainterDraw draw(painter, options.width, options.height);
    draw.setScale(options.scale);
    graphMemoryInspector inspector;
    // The view is gone before the drawing interface its renderers use.
    const std::unique_ptr<graphGLView> view = cliGraphView(draw, inspector, table, options);
    if (image != nullptr) {
        const graphRGB bg = view->getBackgroundColor();
        image->fill(QColor::fromRgbF(std::clamp(bg.red, 0.0f, 1.0f),
                                     std::clamp(bg.green, 0.0f, 1.0f),
                                     std::clamp(bg.blue, 0.0f, 1.0f)));
    }
    view->drawRect();
}

// The scene drawn with OpenGL; writes the TIFF snapshot when tiffPath is given, else
// answers the image.
QImage renderGL(graphEquationTable &table, const cliGraphOptions &options,
                const QString *tiffPath) {
    cliHeadlessGraph graph(table, options);
    graphGLView &view = graph.view();
    view.drawRect();
    if (tiffPath != nullptr) {
        // The snapshot writes a file of its own: made in a private folder, then written
        // over the target as every other image is.
        QTemporaryDir folder;
        const QString made = folder.filePath(QStringLiteral("graph.tiff"));
        QFile file(made);
        if (!folder.isValid() || view.snapshotToFile(made.toStdString()) != 0 ||
            !file.open(QIODevice::ReadOnly))
            cliFail(QStringLiteral("%1: cannot write the TIFF image").arg(*tiffPath));
        replacingFile target(*tiffPath);
        target.device()->write(file.readAll());
        target.commit();
        return {};
    }
    const uint8_t *pixels = view.RGBAPixels();
    if (!pixels) cliFail(QStringLiteral("nothing was drawn"));
    // The background is cleared with alpha 0; the image is opaque like the snapshot.
    return QImage(pixels, options.width, options.height, options.width * 4, QImage::Format_RGBX8888)
        .convertToFormat(QImage::Format_RGB888);
}

}  // namespace

bool cliRenderNeedsOpenGL(graphEquationTable &table, const QString &path) {
    return formatForPath(path) == imageFormat::tiff || cliTableIs3D(table);
}

void cliRenderImage(graphEquationTable &table, const cliGraphOptions &options,
                    const QString &path) {
    const imageFormat format = formatForPath(path);
    cliCheckWritable(path);
    if (format == imageFormat::tiff) {
        renderGL(table, options, &path);
        return;
    }
    if (cliTableIs3D(table)) {
        const QImage image = renderGL(table, options, nullptr);
        if (format == imageFormat::png)
            writePNG(image, path);
        else
            writeVector(format, path, options.width, options.height, [&](QPainter &painter) {
                painter.drawImage(QRectF(0, 0, options.width, options.height), image);
            });
        return;
    }
    if (format == imageFormat::png) {
        QImage image(options.width, options.height, QImage::Format_RGB32);
        if (image.isNull())
            cliFail(QStringLiteral("%1: not enough memory for a %2x%3 image")
                        .arg(path)
                        .arg(options.width)
                        .arg(options.height));
        {
            QPainter painter(&image);
            // Pixel centres lie half a pixel inside their corners: a one pixel line at a
            // whole coordinate, such as y = -1 in most regions, then fills one row instead
            // of half of two.
            painter.translate(0.5, 0.5);
            paintScene(painter, table, options, &image);
        }
        writePNG(image, path);
        return;
    }
    writeVector(format, path, options.width, options.height,
                [&](QPainter &painter) { paintScene(painter, table, options); });
}
