// The session-bus service under floods and hostile arguments: every call is answered at
// once, files are opened one at a time after the reply, never inside a dialog, and the
// failures of a batch make one message.
#include "app/graphDBusService.h"
#include "appTestSupport.h"
#include "windowTestSupport.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QDBusConnection client() {
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("flood"));
}

QDBusMessage methodCall(const QString &method, const QVariantList &arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(graphServiceName), QString::fromLatin1(graphServicePath),
        QString::fromLatin1(graphServiceName), method);
    call.setArguments(arguments);
    return call;
}

QDBusMessage callService(const QString &method, const QVariantList &arguments) {
    return client().call(methodCall(method, arguments), QDBus::BlockWithGui, 60000);
}

bool answersGraphImage() {
    const QDBusMessage reply = callService(QStringLiteral("GraphImage"), {QStringLiteral("y")});
    return reply.type() == QDBusMessage::ReplyMessage &&
           !reply.arguments().value(0).toByteArray().isEmpty();
}

int visibleMessageBoxes() {
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox *>(widget) && widget->isVisible()) count++;
    return count;
}

// Until the queue is empty (its retry timer included), or ten seconds.
void waitForQueue(const graphDBusService &service) {
    EXPECT_TRUE(QTest::qWaitFor([&service] { return service.pendingPaths() == 0; }, 10000));
    QCoreApplication::processEvents();
}

TEST(graphServiceFlood, manyCallsForMissingFilesLeaveTheProgramAnsweringWithOneMessage) {
    launchedApp app;
    graphDBusService service(app.controller);
    ASSERT_TRUE(service.registerOnSessionBus());
    QDBusConnection bus = client();
    std::vector<QDBusPendingCall> calls;
    for (int i = 0; i < 500; i++)
        calls.push_back(
            bus.asyncCall(methodCall(QStringLiteral("OpenFiles"),
                                     {QStringList{QStringLiteral("/nonexistent/%1.plw").arg(i)}})));
    // The service answers from this thread's event loop.
    auto allFinished = [&calls] {
        return std::all_of(calls.begin(), calls.end(),
                           [](const QDBusPendingCall &call) { return call.isFinished(); });
    };
    for (int turns = 0; !allFinished() && turns < 100000; turns++)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    int answered = 0, refused = 0;
    for (const QDBusPendingCall &call : calls) (call.isError() ? refused : answered)++;
    // Beyond the queue's bound the calls are refused, never left without an answer.
    EXPECT_EQ(answered + refused, 500);
    EXPECT_GE(answered, graphDBusService::maximumPendingRequests);
    EXPECT_TRUE(answersGraphImage());
    waitForQueue(service);
    EXPECT_EQ(visibleMessageBoxes(), 1);
    EXPECT_TRUE(app.dialogs.warnings.isEmpty());  // no modal warning per file
    EXPECT_TRUE(answersGraphImage());
}

TEST(graphServiceFlood, requestsWaitWhileTheProgramIsBusyAndBeyondTheBoundsAreRefused) {
    QTemporaryDir dir;
    appTest::registerClasses();
    graphEquationTable set;
    set.addEquation();
    set.equations()[0]->setEquation(appTest::typed(QStringLiteral("y=2")));
    const QString path = dir.filePath(QStringLiteral("queued.plw"));
    ASSERT_TRUE(slArchiver::archiveRootObject(set, path));

    launchedApp app;
    graphDBusService service(app.controller);
    bool busy = true;
    service.busy = [&busy] { return busy; };
    QStringList reported;
    service.reportFailures = [&reported](const QStringList &lines) { reported << lines; };
    ASSERT_TRUE(service.registerOnSessionBus());

    const QDBusMessage queued =
        callService(QStringLiteral("OpenFiles"), {QStringList{path, dir.filePath("missing.plw")}});
    EXPECT_EQ(queued.type(), QDBusMessage::ReplyMessage);
    for (int i = 0; i < 20; i++) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(service.pendingPaths(), 2);
    EXPECT_NE(app.table().name(), path);

    QStringList tooMany;
    for (int i = 0; i <= graphDBusService::maximumPathsPerCall; i++) tooMany << path;
    EXPECT_EQ(callService(QStringLiteral("OpenFiles"), {tooMany}).type(),
              QDBusMessage::ErrorMessage);
    EXPECT_EQ(service.pendingPaths(), 2);

    busy = false;
    waitForQueue(service);
    EXPECT_EQ(app.table().name(), path);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(QLatin1String("missing.plw")));
}

// Arguments no client of ours sends: each call gets a reply or an error, and the service
// still draws afterwards.
TEST(graphServiceFlood, hostileArgumentsAreAnsweredAndTheServiceGoesOn) {
    launchedApp app;
    graphDBusService service(app.controller);
    service.reportFailures = [](const QStringList &) {};
    ASSERT_TRUE(service.registerOnSessionBus());
    QTemporaryDir dir;
    const QString huge(10 * 1024 * 1024, QLatin1Char('y'));
    const QString loneSurrogate = QString(QChar(0xD800)) + QStringLiteral("=x");
    QVariant nested = QVariant::fromValue(QDBusVariant(QStringLiteral("deep")));
    for (int i = 0; i < 60; i++) nested = QVariant::fromValue(QDBusVariant(nested));

    const struct {
        const char *name, *method;
        QVariantList arguments;
    } calls[] = {
        {"empty image text", "GraphImage", {QString()}},
        {"10 MB image text", "GraphImage", {huge}},
        {"lone surrogate image text", "GraphImage", {loneSurrogate}},
        {"nested variant image text", "GraphImage", {nested}},
        {"no argument", "GraphImage", {}},
        {"empty text", "Graph", {QString()}},
        {"10 MB text", "Graph", {huge}},
        {"nested variant text", "Graph", {nested}},
        {"no paths", "OpenFiles", {QStringList()}},
        {"an empty path", "OpenFiles", {QStringList{QString()}}},
        {"a 10 MB path", "OpenFiles", {QStringList{huge}}},
        {"a folder", "OpenFiles", {QStringList{dir.path()}}},
        {"the root", "OpenFiles", {QStringList{QStringLiteral("/")}}},
        {"a lone surrogate", "OpenFiles", {QStringList{loneSurrogate}}},
        {"paths as a string", "OpenFiles", {QStringLiteral("/tmp")}},
        {"nested variant paths", "OpenFiles", {nested}},
    };
    for (const auto &c : calls) {
        SCOPED_TRACE(c.name);
        const QDBusMessage reply = callService(QLatin1String(c.method), c.arguments);
        EXPECT_TRUE(reply.type() == QDBusMessage::ReplyMessage ||
                    reply.type() == QDBusMessage::ErrorMessage);
        waitForQueue(service);
        EXPECT_TRUE(answersGraphImage());
    }
    EXPECT_TRUE(app.dialogs.warnings.isEmpty());
}

}  // namespace
