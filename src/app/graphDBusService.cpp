#include "app/graphDBusService.h"

#include "app/graphBackgroundGrapher.h"
#include "app/graphController.h"
#include "app/graphControllerSettings.h"
#include "app/graphKMovieExporter.h"
#include "app/graphMainWindow.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QMessageBox>

#include <algorithm>

namespace {
// How often queued files look again whether the program is still busy.
constexpr int busyRetryMilliseconds = 100;
// Failures listed by name in one message; the rest are counted.
constexpr int listedFailures = 10;
}  // namespace

graphDBusService::graphDBusService(graphController &controller, QObject *parent)
    : QObject(parent), controller(controller) {
    busy = [&controller] {
        return QApplication::activeModalWidget() != nullptr ||
               controller.settings().movieExporter().isRecording() || controller.isGraphing();
    };
    reportFailures = [this](const QStringList &lines) { showFailures(lines); };
    turn.setSingleShot(true);
    connect(&turn, &QTimer::timeout, this, &graphDBusService::openNext);
    imageTimer.setSingleShot(true);
    connect(&imageTimer, &QTimer::timeout, this, &graphDBusService::expireImageCalls);
    connect(&controller.grapher(), &graphBackgroundGrapher::graphingFinished, this,
            &graphDBusService::answerImageCalls);
}

graphDBusService::~graphDBusService() {
    delete failureBox.data();
    for (const imageCall &waiting : imageCalls)
        QDBusConnection::sessionBus().send(waiting.call.createErrorReply(
            QDBusError::Failed, QStringLiteral("Plotweave quit before the graph was made.")));
    if (!registered) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QString::fromLatin1(graphServicePath));
    bus.unregisterService(QString::fromLatin1(graphServiceName));
}

bool graphDBusService::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(QString::fromLatin1(graphServicePath), this,
                            QDBusConnection::ExportAllSlots))
        return false;
    if (!bus.registerService(QString::fromLatin1(graphServiceName))) {
        bus.unregisterObject(QString::fromLatin1(graphServicePath));
        return false;
    }
    registered = true;
    return true;
}

bool graphDBusService::refuse(const QString &message) {
    if (calledFromDBus()) sendErrorReply(QDBusError::LimitsExceeded, message);
    return false;
}

QByteArray graphDBusService::GraphImage(const QString &text) {
    if (text.isEmpty()) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("GraphImage needs a non-empty string."));
        return {};
    }
    // A graph being made is waited for, without holding up the service.
    if (controller.isGraphing() && calledFromDBus()) {
        if (imageCalls.size() >= static_cast<size_t>(maximumPendingRequests)) {
            refuse(QStringLiteral("Plotweave is still answering %1 earlier picture requests; "
                                  "try again later.")
                       .arg(imageCalls.size()));
            return {};
        }
        setDelayedReply(true);
        imageCalls.push_back({message(), QDeadlineTimer(imageTimeLimit)});
        if (!imageTimer.isActive()) imageTimer.start(imageTimeLimit);
        return {};
    }
    QByteArray tiff = controller.graphEquationImageService(text);
    if (tiff.isEmpty() && calledFromDBus())
        sendErrorReply(QDBusError::Failed,
                       QStringLiteral("No picture of the graph could be made."));
    return tiff;
}

void graphDBusService::answerImageCalls() {
    if (imageCalls.empty()) return;
    const QByteArray tiff = controller.graphTIFFData();
    QDBusConnection bus = QDBusConnection::sessionBus();
    for (const imageCall &waiting : imageCalls) {
        bus.send(tiff.isEmpty() ? waiting.call.createErrorReply(
                                      QDBusError::Failed,
                                      QStringLiteral("No picture of the graph could be made."))
                                : waiting.call.createReply(QVariant(tiff)));
    }
    imageCalls.clear();
    imageTimer.stop();
}

void graphDBusService::expireImageCalls() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    while (!imageCalls.empty() && imageCalls.front().deadline.hasExpired()) {
        bus.send(imageCalls.front().call.createErrorReply(
            QDBusError::TimedOut, QStringLiteral("The graph was still being made after %1 seconds.")
                                      .arg(imageTimeLimit / 1000.0)));
        imageCalls.pop_front();
    }
    if (!imageCalls.empty())
        imageTimer.start(
            static_cast<int>(std::max<qint64>(0, imageCalls.front().deadline.remainingTime())));
}

void graphDBusService::Graph(const QString &text) {
    controller.graphEquationService(text);
}

// The reply goes out at once: opening may ask about unsaved changes, and the launching
// process must not wait for the user.
void graphDBusService::OpenFiles(const QStringList &paths) {
    if (paths.size() > maximumPathsPerCall) {
        refuse(QStringLiteral("OpenFiles takes at most %1 files in one call; %2 were given.")
                   .arg(maximumPathsPerCall)
                   .arg(paths.size()));
        return;
    }
    if (requests.size() >= static_cast<size_t>(maximumPendingRequests)) {
        refuse(QStringLiteral("Plotweave is still opening %1 earlier requests; try again later.")
                   .arg(requests.size()));
        return;
    }
    requests.push_back(paths);
    if (!turn.isActive() && !opening) turn.start(0);
}

int graphDBusService::pendingPaths() const {
    int count = 0;
    for (const QStringList &request : requests) count += static_cast<int>(request.size());
    return count;
}

// One file per turn, so the window repaints and answers between them.
void graphDBusService::openNext() {
    if (requests.empty() || opening) return;
    if (busy && busy()) {
        turn.start(busyRetryMilliseconds);
        return;
    }
    QStringList &request = requests.front();
    if (!request.isEmpty()) {
        const QString path = request.takeFirst();
        QString failure;
        opening = true;
        const bool opened = controller.openFile(path, &failure);
        opening = false;
        if (!opened && !failure.isEmpty()) failures << failure;
    }
    if (request.isEmpty()) requests.pop_front();
    if (!requests.empty()) {
        turn.start(0);
        return;
    }
    // The batch is done.
    controller.newWindow();
    controller.bringEquationWindowForward();
    if (!failures.isEmpty() && reportFailures) reportFailures(failures);
    failures.clear();
}

void graphDBusService::showFailures(const QStringList &lines) {
    QString text = lines.size() == 1
                       ? lines.first()
                       : QStringLiteral("%1 equation sets could not be opened.").arg(lines.size());
    QString details;
    if (lines.size() > 1) {
        for (qsizetype i = 0; i < lines.size() && i < listedFailures; ++i)
            details += lines.at(i) + QLatin1Char('\n');
        if (lines.size() > listedFailures)
            details += QStringLiteral("and %1 more\n").arg(lines.size() - listedFailures);
    }
    if (failureBox == nullptr) {
        failureBox = new QMessageBox(QMessageBox::Warning, QStringLiteral("Plotweave"), QString(),
                                     QMessageBox::Ok, &controller.mainWindow());
        failureBox->setAttribute(Qt::WA_DeleteOnClose);
        failureBox->setWindowModality(Qt::NonModal);
    }
    failureBox->setText(text);
    failureBox->setInformativeText(details.trimmed());
    failureBox->show();
    failureBox->raise();
}

bool graphForwardFilesToRunningInstance(const QStringList &paths) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() ||
        !bus.interface()->isServiceRegistered(QString::fromLatin1(graphServiceName)))
        return false;
    QStringList absolute;
    for (const QString &path : paths) absolute << QFileInfo(path).absoluteFilePath();
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(graphServiceName), QString::fromLatin1(graphServicePath),
        QString::fromLatin1(graphServiceName), QStringLiteral("OpenFiles"));
    call << absolute;
    const QDBusMessage reply = bus.call(call);
    return reply.type() == QDBusMessage::ReplyMessage;
}
