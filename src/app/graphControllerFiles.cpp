// Equation-set files, unsaved changes, recent files, snapshots, printing and the services.
#include "app/graphController.h"

#include "app/graphDialogs.h"
#include "app/graphEquationTable.h"
#include "app/graphGLWidget.h"
#include "app/graphInspectorPanel.h"
#include "app/graphMainWindow.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"
#include "ui_graphMainWindow.h"
#include "view/graphPaintScene.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

namespace {

constexpr qint64 largestSetFile = 256LL * 1024 * 1024;
constexpr int recentFileCount = 8;
const char *const setFilter = QT_TRANSLATE_NOOP("graphController", "Equation sets (*.plw)");

void registerArchiveClasses() {
    static const bool registered = [] {
        graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
        return true;
    }();
    (void)registered;
}

// Reads an equation set; null with a one-line reason when the file is not one.
std::shared_ptr<graphEquationTable> readEquationSet(const QString &path, QString &reason) {
    registerArchiveClasses();
    const QFileInfo info(path);
    if (!info.exists()) {
        reason = graphController::tr("There is no such file.");
        return nullptr;
    }
    if (!info.isFile()) {
        reason = graphController::tr("It is not a regular file.");
        return nullptr;
    }
    if (info.size() > largestSetFile) {
        reason =
            graphController::tr("It is too large for an equation set (%1 bytes).").arg(info.size());
        return nullptr;
    }
    QString error;
    const slArchivedObject root = slUnarchiver::unarchiveObjectWithFile(path, &error);
    const auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root);
    auto table = coded != nullptr ? std::dynamic_pointer_cast<graphEquationTable>(*coded) : nullptr;
    if (!error.isEmpty())
        reason = error;
    else if (!table)
        reason = graphController::tr("The archive does not hold an equation set.");
    else if (table->equationCount() == 0)
        reason = graphController::tr("The equation set holds no equation.");
    else
        return table;
    return nullptr;
}

QImage imageFromRep(const graphImageRep &rep) {
    QImage image(rep.width, rep.height, QImage::Format_RGB32);
    for (int y = 0; y < rep.height; y++) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uint8_t *r = rep.pixel(0, 0, y), *g = rep.pixel(1, 0, y), *b = rep.pixel(2, 0, y);
        for (int x = 0; x < rep.width; x++) line[x] = qRgb(r[x], g[x], b[x]);
    }
    return image;
}

QByteArray tableArchive(const graphEquationTable &table) {
    registerArchiveClasses();
    return slArchiver::archivedDataWithRootObject(table);
}

}  // namespace

void graphController::markSaved() {
    savedArchive = tableArchive(*table);
    discardedArchive.clear();
    updateModified();
}

bool graphController::isModified() const {
    return tableArchive(*table) != savedArchive;
}

void graphController::updateModified() {
    const bool modified = isModified();
    window->setWindowModified(modified);
}

bool graphController::maybeSave() {
    // Changes the user chose to discard are not asked about again (closing the equation
    // window, then quitting).
    if (!isModified() || tableArchive(*table) == discardedArchive) return true;
    const QString name =
        table->name().isEmpty() ? tr("Untitled") : QFileInfo(table->name()).fileName();
    switch (dialogs.askUnsaved(dialogParent(), name)) {
        case graphDialogs::unsavedAnswer::save:
            if (table->name().isEmpty()) return saveEquationSetAs();
            saveEquationSet();
            return !isModified();
        case graphDialogs::unsavedAnswer::discard:
            discardedArchive = tableArchive(*table);
            return true;
        case graphDialogs::unsavedAnswer::cancel: return false;
    }
    return false;
}

void graphController::saveEquationSet() {
    if (table->name().isEmpty()) {
        saveEquationSetAs();
        return;
    }
    registerArchiveClasses();
    QString error;
    if (!slArchiver::archiveRootObject(*table, table->name(), &error)) {
        dialogs.warn(dialogParent(), QStringLiteral("Plotweave"),
                     tr("The equation set could not be saved as \u201c%1\u201d: %2")
                         .arg(QFileInfo(table->name()).fileName(), error));
        return;
    }
    markSaved();
    addRecentFile(table->name());
}

bool graphController::saveEquationSetAs() {
    const QString path = dialogs.saveFileName(dialogParent(), QDir::homePath(), tr(setFilter),
                                              QStringLiteral("plw"), tr("Save Equation Set"));
    if (path.isEmpty()) return false;
    table->setName(path);
    saveEquationSet();
    return !isModified();
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
    // 1. The whole file is read before anything changes.
    QString reason;
    std::shared_ptr<graphEquationTable> newTable = readEquationSet(path, reason);
    if (!newTable) {
        // A discard answered for this open does not cover the changes that stay.
        discardedArchive.clear();
        const QString text = tr("The equation set \u201c%1\u201d could not be opened. %2")
                                 .arg(QFileInfo(path).fileName(), reason);
        if (failure)
            *failure = text;
        else
            dialogs.warn(dialogParent(), QStringLiteral("Plotweave"), text);
        return false;
    }
    if (askToSave && !maybeSave()) return false;
    // 2.-3. Its window, graphed at once.
    QWidget *newWindow = loadEquationWindowForTable(*newTable);
    newTable->graph();
    // 4.-5. The previous list goes.
    replaceTable(std::move(newTable), newWindow);
    table->setName(QFileInfo(path).absoluteFilePath());
    markSaved();
    addRecentFile(table->name());
    return true;
}

bool graphController::newEquationSet() {
    if (!maybeSave()) return false;
    auto newTable = std::make_shared<graphEquationTable>();
    QWidget *newWindow = loadEquationWindowForTable(*newTable);
    newTable->createInitialEquation();
    replaceTable(std::move(newTable), newWindow);
    markSaved();
    focusEditor();
    return true;
}

void graphController::replaceTable(std::shared_ptr<graphEquationTable> newTable,
                                   QWidget *newWindow) {
    QWidget *oldWindow = tableWindow.data();
    std::shared_ptr<graphEquationTable> oldTable = std::move(table);
    table = std::move(newTable);
    showEquationWindow(newWindow);
    if (oldWindow != nullptr && oldWindow != newWindow) {
        oldWindow->hide();
        delete oldWindow;
    }
    oldTable.reset();
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
    menu->clear();
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

void graphController::snapshot() {
    const QString path =
        dialogs.saveFileName(dialogParent(), QDir::homePath(),
                             QStringLiteral("TIFF image (*.tiff *.tif);;PNG image (*.png)"),
                             QStringLiteral("tiff"), tr("Snapshot"));
    if (path.isEmpty()) return;
    bool written = false;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        const QImage image = graphImage();
        written = !image.isNull() && image.save(path, "PNG");
    } else {
        int result = -1;
        graphWidget().withReadableFrame(
            [&] { result = graphView().snapshotToFile(path.toStdString()); });
        written = result == 0;
    }
    if (!written)
        dialogs.warn(dialogParent(), QStringLiteral("Plotweave"),
                     tr("The snapshot could not be written to \u201c%1\u201d.").arg(path));
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
            graphPaintScene2D(graphView(), *table, *inspectorPanel, painter, shown.width(),
                              shown.height());
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
