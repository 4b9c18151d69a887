#include "app/graphDBusService.h"

#include "app/graphController.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QFileInfo>
#include <QTimer>

graphDBusService::graphDBusService(graphController &controller, QObject *parent)
    : QObject(parent), controller(controller) {}

graphDBusService::~graphDBusService() {
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

QByteArray graphDBusService::GraphImage(const QString &text) {
    if (text.isEmpty()) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("GraphImage needs a non-empty string."));
        return {};
    }
    QByteArray tiff = controller.graphEquationImageService(text);
    if (tiff.isEmpty() && calledFromDBus())
        sendErrorReply(QDBusError::Failed,
                       QStringLiteral("No picture of the graph could be made."));
    return tiff;
}

void graphDBusService::Graph(const QString &text) {
    controller.graphEquationService(text);
}

// The reply goes out at once: opening may ask about unsaved changes, and the launching
// process must not wait for the user.
void graphDBusService::OpenFiles(const QStringList &paths) {
    QTimer::singleShot(0, &controller, [target = &controller, paths] {
        for (const QString &path : paths) target->openFile(path);
        target->newWindow();
        target->bringEquationWindowForward();
    });
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
