// Printing from the window: the graph at its on-screen size, or scaled down with its aspect
// kept where the page is smaller; a 2D graph as vectors and text, a 3D graph as its image.
// Each PDF is read back with poppler (pdftoppm, pdftotext).
#include "windowTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

namespace {

// The box of the page's non-white pixels, rendered at dpi.
QRect drawnBox(const QString &pdf, qreal dpi, const QString &prefix) {
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), pdf, prefix});
    if (!render.waitForFinished(30000) || render.exitCode() != 0) return {};
    const QImage page(prefix + QStringLiteral(".png"));
    QRect drawn;
    for (int y = 0; y < page.height(); y++)
        for (int x = 0; x < page.width(); x++)
            if (page.pixelColor(x, y) != QColor(255, 255, 255)) drawn |= QRect(x, y, 1, 1);
    return drawn;
}

QStringList pdfWords(const QString &pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput())
        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

struct printCase {
    const char *name, *keys;
    QPageSize page;      // invalid: the printer's default page, larger than the graph
    double drawnInches;  // side of the square graph on paper; 0: its on-screen size
    bool vectors;
};

TEST(windowPrint, theGraphFitsThePageAsVectorsIn2DAndAsItsImageIn3D) {
    const QPageSize small(QSizeF(2.0, 3.0), QPageSize::Inch);
    const printCase cases[] = {
        {"2D at its on-screen size", "y=x", QPageSize(), 0.0, true},
        {"2D scaled down to a small page", "y=x", small, 2.0, true},
        {"3D scaled down to a small page", "z=xy", small, 2.0, false},
    };
    for (const printCase &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        launchedApp app;
        app.setEquations({QString::fromUtf8(c.keys)});
        app.waitForFrame();
        const QString pdf = dir.filePath(QStringLiteral("graph.pdf"));
        app.dialogs.printFile = pdf;
        app.dialogs.printPage = c.page;
        app.controller.print();
        QFile printed(pdf);
        ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
        const QByteArray bytes = printed.readAll();
        ASSERT_TRUE(bytes.startsWith("%PDF-"));
        EXPECT_EQ(bytes.contains("/Subtype /Image"), !c.vectors);

        // Rendered at the screen's resolution, the graph's 400 pixels stay 400 pixels
        // unless the page is smaller.
        const qreal dpi = app.controller.mainWindow().screen()->logicalDotsPerInch();
        const double side = c.drawnInches > 0 ? c.drawnInches * dpi : 400.0;
        ASSERT_LT(side, 401.0);
        const QRect drawn = drawnBox(pdf, dpi, dir.filePath(QStringLiteral("page")));
        EXPECT_NEAR(drawn.width(), side, 4);
        EXPECT_NEAR(drawn.height(), side, 4);
        if (c.vectors) {
            const QStringList words = pdfWords(pdf);
            for (const char *label : {"-40", "-20", "20", "40"})
                EXPECT_TRUE(words.contains(label))
                    << label << " in " << words.join(' ').toStdString();
        }
    }
}

}  // namespace
