#include "app/graphKMovieExporter.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScopeGuard>

void graphSetUpMovieQualityPopup(QComboBox *popup, QLabel *message) {
    const char *const titles[] = {QT_TRANSLATE_NOOP("graphKMovieExporter", "Low"),
                                  QT_TRANSLATE_NOOP("graphKMovieExporter", "Medium"),
                                  QT_TRANSLATE_NOOP("graphKMovieExporter", "High"),
                                  nullptr,
                                  QT_TRANSLATE_NOOP("graphKMovieExporter", "Very High"),
                                  nullptr,
                                  QT_TRANSLATE_NOOP("graphKMovieExporter", "Lossless")};
    popup->clear();
    for (int row = 0; row < graphMovieQuality::rows; ++row) {
        if (titles[row])
            popup->addItem(graphKMovieExporter::tr(titles[row]));
        else
            popup->insertSeparator(row);
    }
    auto show = [popup, message] {
        message->setText(graphMovieQuality::message(popup->currentIndex()));
    };
    QObject::connect(popup, &QComboBox::currentIndexChanged, message, show);
    popup->setCurrentIndex(graphMovieQuality::defaultRow);
    show();
}

namespace {

graphKMovieExporter::choice runMoviePanel(QWidget *parent, int quality) {
    QFileDialog dialog(parent, graphKMovieExporter::tr("Make K Movie"), QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({graphKMovieExporter::tr("QuickTime movies (*.mov)"),
                           graphKMovieExporter::tr("MPEG-4 movies (*.mp4)"),
                           graphKMovieExporter::tr("GIF animations (*.gif)")});
    dialog.setDefaultSuffix(QStringLiteral("mov"));
    // The quality pop-up sits below the panel's own controls, which needs Qt's own panel.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *popup = new QComboBox(&dialog);
    auto *message = new QLabel(&dialog);
    graphSetUpMovieQualityPopup(popup, message);
    popup->setCurrentIndex(quality);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(graphKMovieExporter::tr("Quality:"), &dialog), row, 0);
        grid->addWidget(popup, row, 1);
        grid->addWidget(message, row + 1, 1);
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &filter) {
                         const qsizetype dot = filter.indexOf(QLatin1String("*."));
                         dialog.setDefaultSuffix(filter.mid(dot + 2, 3));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().first(), popup->currentIndex()};
}

}  // namespace

graphKMovieExporter::graphKMovieExporter(QWidget *parent)
    : QObject(parent),
      chooseMovie(runMoviePanel),
      warn([](QWidget *p, const QString &text) {
          QMessageBox::warning(p, tr("Make K Movie"), text);
      }),
      parentWidget(parent) {}

graphMovieResult graphKMovieExporter::makeKMovie(
    double minK, double maxK, int steps, QSize size,
    const std::function<const uint8_t *(double k)> &frameAt) {
    recording = true;
    const auto done = qScopeGuard([this] { recording = false; });
    const choice chosen = chooseMovie ? chooseMovie(parentWidget, lastQuality) : choice{};
    if (chosen.path.isEmpty()) return {graphMovieResult::cancelled, 0, QString()};
    lastQuality = chosen.quality;

    QProgressDialog progress(tr("Recording the movie..."), tr("Cancel"), 0, 1, parentWidget);
    progress.setWindowTitle(tr("Make K Movie"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.show();
    if (progressShown) progressShown(progress);
    const graphMovieResult result =
        graphRecordKMovie(chosen.path, size, chosen.quality, minK, maxK, steps, frameAt,
                          [&](size_t done, size_t total) {
                              progress.setMaximum(static_cast<int>(total));
                              progress.setValue(static_cast<int>(done));
                              progress.setLabelText(tr("Frame %1 of %2").arg(done).arg(total));
                              if (progressShown) progressShown(progress);
                              // Repaints and the Cancel button between frames.
                              QApplication::processEvents();
                              return !progress.wasCanceled();
                          });
    progress.close();
    if (result.status == graphMovieResult::failed && warn)
        warn(parentWidget, tr("The movie %1 could not be written. %2")
                               .arg(QDir::toNativeSeparators(chosen.path), result.error));
    return result;
}
