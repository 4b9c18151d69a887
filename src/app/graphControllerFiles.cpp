// Equation-set files through the document, unsaved changes, recent files, snapshots,
// printing and the services.
#include "app/graphController.h"
#include "app/graphControllerSettings.h"

#include "app/graphDialogs.h"
#include "app/graphEquationDocument.h"
#include "app/graphGLWidget.h"
#include "app/graphInspectorPanel.h"
#include "app/graphMainWindow.h"
#include "platform/archive/slFileIO.h"
#include "ui_graphMainWindow.h"
#include "view/graphPaintScene.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

namespace {

constexpr int recentFileCount = 8;
const char *const setFilter = QT_TRANSLATE_NOOP("graphController", "Equation sets (*.plw)");

QImage imageFromRep(const graphImageRep &rep) {
    QImage image(rep.width, rep.height, QImage::Format_RGB32);
    for (int y = 0; y < rep.height; y++) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uint8_t *r = rep.pixel(0, 0, y), *g = rep.pixel(1, 0, y), *b = rep.pixel(2, 0, y);
        for (int x = 0; x < rep.width; x++) line[x] = qRgb(r[x], g[x], b[x]);
    }
    return image;
}

}  // namespace

bool graphController::isModified() const {
    return document->isModified();
}

bool graphController::maybeSave() {
    // Changes the user chose to discard are not asked about again (closing the equation
    // window, then quitting).
    if (!document->isModified() || document->changesDiscarded()) return true;
    const QString name =
        document->path().isEmpty() ? tr("Untitled") : QFileInfo(document->path()).fileName();
    switch (dialogs.askUnsaved(dialogParent(), name)) {
        case graphDialogs::unsavedAnswer::save:
            if (document->path().isEmpty()) return saveEquationSetAs();
            saveEquationSet();
            return !isModified();
        case graphDialogs::unsavedAnswer::discard: document->discardChanges(); return true;
        case graphDialogs::unsavedAnswer::cancel: return false;
    }
    return false;
}

void graphController::saveEquationSet() {
    if (document->path().isEmpty()) {
        saveEquationSetAs();
        return;
    }
    saveDocumentAs(document->path());
}

bool graphController::saveEquationSetAs() {
    const QString path = dialogs.saveFileName(dialogParent(), QDir::homePath(), tr(setFilter),
                                              QStringLiteral("plw"), tr("Save Equation Set"));
    return !path.isEmpty() && saveDocumentAs(path);
}

bool graphController::saveDocumentAs(const QString &path) {
    const QString reason = document->saveAs(path);
    if (!reason.isEmpty()) {
        dialogs.warn(
            dialogParent(), QStringLiteral("Plotweave"),
            tr("The equation set could not be saved as \u201c%1\u201d: %2.").arg(path, reason));
        return false;
    }
    addRecentFile(document->path());
    return true;
}

void graphController::openEquationSet() {
    if (!maybeSave()) return;
    const QString path = dialogs.openFileName(dialogParent(), QDir::homePath(), tr(setFilter));
    if (!path.isEmpty()) loadEquationFile(path, false);
}

bool graphController::openFile(const QString &path, QString *failure) {
    return loadEquationFile(path, true, failure);
}

bool graphController::loadEquationFile(const QString &path, bool askToSave, QString *failure) {
    // The whole file is read before anything changes.
    graphEquationDocument::readResult read = graphEquationDocument::readFile(path);
    if (!read.table) {
        // A discard answered for this open does not cover the changes that stay.
        document->keepChanges();
        const QString text =
            tr("The equation set \u201c%1\u201d could not be opened: %2.").arg(path, read.reason);
        if (failure)
            *failure = text;
        else
            dialogs.warn(dialogParent(), QStringLiteral("Plotweave"), text);
        return false;
    }
    if (askToSave && !maybeSave()) return false;
    auto newDocument = std::make_unique<graphEquationDocument>(std::move(read.table), path);
    // Its window, graphed at once.
    QWidget *newWindow = loadEquationWindowForDocument(*newDocument);
    newDocument->table().graph();
    replaceDocument(std::move(newDocument), newWindow);
    addRecentFile(document->path());
    return true;
}

bool graphController::newEquationSet() {
    if (!maybeSave()) return false;
    auto newDocument = std::make_unique<graphEquationDocument>(
        preferences->currentPreferences().values.graphColor);
    QWidget *newWindow = loadEquationWindowForDocument(*newDocument);
    replaceDocument(std::move(newDocument), newWindow);
    focusEditor();
    return true;
}

// The previous document and its window go.
void graphController::replaceDocument(std::unique_ptr<graphEquationDocument> newDocument,
                                      QWidget *newWindow) {
    QWidget *oldWindow = tableWindow.data();
    std::unique_ptr<graphEquationDocument> oldDocument = std::move(document);
    document = std::move(newDocument);
    connect(document.get(), &graphEquationDocument::modifiedChanged, window.get(),
            &QWidget::setWindowModified);
    window->setWindowModified(false);
    showEquationWindow(newWindow);
    if (oldWindow != nullptr && oldWindow != newWindow) {
        oldWindow->hide();
        delete oldWindow;
    }
    oldDocument.reset();
    emit equationTableChanged();
}

QStringList graphController::recentFiles() const {
    return QSettings().value(QStringLiteral("recentFiles")).toStringList();
}

void graphController::addRecentFile(const QString &path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > recentFileCount) files.removeLast();
    QSettings().setValue(QStringLiteral("recentFiles"), files);
    rebuildRecentMenu();
}

void graphController::rebuildRecentMenu() {
    QMenu *menu = window->ui().menuRecent;
    // Later, not at once: the item being triggered may be what rebuilt the menu.
    for (QAction *old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    for (const QString &path : recentFiles()) {
        QAction *action = menu->addAction(QFileInfo(path).fileName());
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { loadEquationFile(path); });
    }
    menu->setEnabled(!menu->isEmpty());
}

QImage graphController::graphImage() {
    QImage image;
    graphWidget().withReadableFrame([&] {
        if (std::unique_ptr<graphImageRep> rep = graphView().makeImageRep())
            image = imageFromRep(*rep);
    });
    return image;
}

QByteArray graphController::graphTIFFData() {
    QByteArray data;
    QTemporaryDir dir;
    if (!dir.isValid()) return data;
    const QString path = dir.filePath(QStringLiteral("graph.tiff"));
    int written = -1;
    graphWidget().withReadableFrame(
        [&] { written = graphView().snapshotToFile(path.toStdString()); });
    QFile file(path);
    if (written == 0 && file.open(QIODevice::ReadOnly)) data = file.readAll();
    return data;
}

// The picture is made in memory and written with the atomic writer, so a failed write
// keeps the file that was there.
void graphController::snapshot() {
    const QString path =
        dialogs.saveFileName(dialogParent(), QDir::homePath(),
                             QStringLiteral("TIFF image (*.tiff *.tif);;PNG image (*.png)"),
                             QStringLiteral("tiff"), tr("Snapshot"));
    if (path.isEmpty()) return;
    QByteArray data;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        const QImage image = graphImage();
        QBuffer buffer(&data);
        if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            data.clear();
    } else {
        data = graphTIFFData();
    }
    QString reason = tr("the graph could not be drawn");
    if (data.isEmpty() || !slWriteFileAtomically(path, data, reason))
        dialogs.warn(
            dialogParent(), QStringLiteral("Plotweave"),
            tr("The snapshot could not be written to \u201c%1\u201d: %2.").arg(path, reason));
}

// The graph at its on-screen size, scaled down with its aspect kept only where it is larger
// than the page. A 2D graph prints through the painter drawing pass as vectors and text;
// a 3D graph as the image on screen.
void graphController::print() {
    const bool vectors = graphView().isGraphed() && !graphView().isThreeD();
    const QImage image = vectors ? QImage() : graphImage();
    if (!vectors && image.isNull()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(window->windowTitle().remove(QStringLiteral("[*]")));
    const qreal screenDpi =
        window->screen() != nullptr ? window->screen()->logicalDotsPerInch() : 96.0;
    const QSize shown = graphWidget().size();
    bool started = true;
    // The preview and the printer both get the page from here.
    auto paint = [&](QPrinter &target) {
        QSizeF size = QSizeF(shown) * (target.resolution() / screenDpi);
        const QRectF page = target.pageRect(QPrinter::DevicePixel);
        if (size.width() > page.width() || size.height() > page.height())
            size.scale(page.size(), Qt::KeepAspectRatio);
        QPainter painter;
        if (!painter.begin(&target)) {
            started = false;
            return;
        }
        if (vectors) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size.width() / shown.width(), size.height() / shown.height());
            painter.setClipRect(QRect(QPoint(0, 0), shown));
            graphPaintScene2D(graphView(), document->table(), *inspectorPanel, painter,
                              shown.width(), shown.height());
        } else {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(QPointF(0, 0), size), image);
        }
        painter.end();
    };
    if (dialogs.printWithPreview(dialogParent(), printer, paint) && !started)
        dialogs.warn(dialogParent(), QStringLiteral("Plotweave"),
                     tr("The printer could not be started."));
}

QByteArray graphController::graphEquationImageService(const QString &text) {
    if (text.isEmpty()) return {};
    return graphTIFFData();
}

void graphController::graphEquationService(const QString &text) {
    (void)text;
}
