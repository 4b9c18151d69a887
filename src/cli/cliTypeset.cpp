#include "cli/cliTypeset.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include <cmath>

#include "cli/cliEditor.h"
#include "cli/cliSupport.h"
#include "equationEditor/geBezierPath.h"
#include "equationEditor/geEquationPicture.h"
#include "equationEditor/geFont.h"
#include "platform/archive/slFileIO.h"

namespace {

// The largest picture side in pixels or points; a long equation at a large scale beyond it
// would only exhaust memory.
constexpr double largestSide = 16384.0;

void save(const QString &path, const QByteArray &data) {
    QString reason;
    if (data.isEmpty()) cliFail(QStringLiteral("%1: cannot write the picture").arg(path));
    if (!slWriteFileAtomically(path, data, reason))
        cliFail(QStringLiteral("%1: cannot write: %2").arg(path, reason));
}

}  // namespace

void cliCheckTypesetPath(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf"))
        cliFail(QStringLiteral("-o %1: the picture must be a .png or .pdf file").arg(path));
    if (QFileInfo(path).isDir())
        cliFail(QStringLiteral("%1: cannot write, it is a directory").arg(path));
}

void cliTypeset(const geEditPtr &root, const QString &path, double fontSize, double scale) {
    cliCheckTypesetPath(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    const std::unique_ptr<geRawFont> font =
        geRawFont::fromFamily(QString::fromLatin1(geDefaultFontFamily), fontSize);
    if (!font || !font->isValid())
        cliFail(QStringLiteral("the font %1 is not available")
                    .arg(QString::fromLatin1(geDefaultFontFamily)));
    const std::unique_ptr<geBezierPath> picture = root->renderWithFont(*font, false, false);
    if (!picture) cliFail(QStringLiteral("nothing to typeset"));
    const QRectF box = picture->bounds();
    if (!(box.width() * scale <= largestSide) || !(box.height() * scale <= largestSide))
        cliFail(
            QStringLiteral("the picture would be larger than %1 pixels a side; lower --scale or "
                           "--font-size")
                .arg(largestSide));

    if (suffix == QLatin1String("png")) {
        const QImage image = geEquationImage(*picture, scale);
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !QImageWriter(&buffer, "png").write(image))
            png.clear();
        save(path, png);
    } else {
        save(path, geEquationPdf(*picture, scale));
    }
}
