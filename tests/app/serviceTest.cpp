// The services on a private session bus (the test runs under dbus-run-session): other
// programs ask for a picture of the graph, and a second launch hands over its files.
#include "app/graphDBusService.h"
#include "appTestSupport.h"
#include "windowTestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QProcess>

#include <gtest/gtest.h>
#include <tiffio.h>

namespace {

// A call from another connection, as another program makes it; the event loop keeps
// running so the service in this process can answer.
QDBusMessage callService(const QString &method, const QVariantList &arguments) {
    QDBusConnection client =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(graphServiceName), QString::fromLatin1(graphServicePath),
        QString::fromLatin1(graphServiceName), method);
    call.setArguments(arguments);
    return client.call(call, QDBus::BlockWithGui, 20000);
}

TEST(graphServices, graphImageAnswersTheGraphAsTIFF) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    graphDBusService service(app.controller);
    ASSERT_TRUE(service.registerOnSessionBus());

    const QDBusMessage reply =
        callService(QStringLiteral("GraphImage"), {QStringLiteral("any text")});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    const QByteArray tiff = reply.arguments().value(0).toByteArray();
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("reply.tiff")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(tiff);
    file.close();
    TIFF *decoded = TIFFOpen(file.fileName().toLocal8Bit().constData(), "r");
    ASSERT_NE(decoded, nullptr);
    uint32_t width = 0, height = 0;
    TIFFGetField(decoded, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(decoded, TIFFTAG_IMAGELENGTH, &height);
    std::vector<uint32_t> pixels(size_t(width) * height);
    EXPECT_EQ(
        TIFFReadRGBAImageOriented(decoded, width, height, pixels.data(), ORIENTATION_TOPLEFT, 0),
        1);
    TIFFClose(decoded);
    EXPECT_EQ(width, 400u);
    EXPECT_EQ(height, 400u);
    // The top left corner is background, the line y = x crosses the centre.
    EXPECT_EQ(TIFFGetR(pixels[0]), 255u);
    EXPECT_EQ(TIFFGetB(pixels[0]), 255u);

    const QDBusMessage refused = callService(QStringLiteral("GraphImage"), {QString()});
    EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);

    const QDBusMessage text = callService(QStringLiteral("Graph"), {QStringLiteral("y = x^3")});
    EXPECT_EQ(text.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(app.table().equationCount(), 1);
    EXPECT_EQ(app.view().rendererCount(), 1u);
}

// While a slow equation is graphed, GraphImage waits for it without holding up the
// service, answers with an error once its time limit has passed, and with the picture as
// drawn once graphing ends (here by Cancel, which keeps the previous graph).
TEST(graphServices, graphImageWaitsForAGraphBeingMadeUpToItsTimeLimit) {
    launchedApp app;
    app.setEquations({QStringLiteral("y=x")});
    graphDBusService service(app.controller);
    ASSERT_TRUE(service.registerOnSessionBus());
    app.graphInBackground();
    ASSERT_TRUE(app.setEquationText(slowEquation));
    app.table().graph();
    ASSERT_TRUE(app.controller.isGraphing());

    service.setImageTimeLimit(200);
    const QDBusMessage late = callService(QStringLiteral("GraphImage"), {QStringLiteral("a")});
    EXPECT_EQ(late.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(late.errorName().toStdString(),
              QDBusError::errorString(QDBusError::TimedOut).toStdString());
    EXPECT_TRUE(app.controller.isGraphing());

    service.setImageTimeLimit(graphDBusService::graphImageTimeLimit * 100);
    QDBusConnection client =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("waiting"));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(graphServiceName), QString::fromLatin1(graphServicePath),
        QString::fromLatin1(graphServiceName), QStringLiteral("GraphImage"));
    call << QStringLiteral("a");
    QDBusPendingCall waiting = client.asyncCall(call, 600000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.waitingImages() == 1; }, 20000));
    // The service answers other calls meanwhile.
    EXPECT_EQ(callService(QStringLiteral("Graph"), {QStringLiteral("y")}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_FALSE(waiting.isFinished());

    app.controller.grapher().cancelGraphing();
    ASSERT_TRUE(QTest::qWaitFor([&] { return waiting.isFinished(); }, 20000));
    const QDBusMessage reply = waiting.reply();
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    EXPECT_TRUE(reply.arguments().value(0).toByteArray().startsWith("II*"));  // a TIFF
    EXPECT_EQ(service.waitingImages(), 0);
    EXPECT_FALSE(app.view().isThreeD());
    QDBusConnection::disconnectFromBus(QStringLiteral("waiting"));
}

TEST(graphServices, aSecondLaunchHandsItsFileToTheRunningOne) {
    QTemporaryDir dir;
    appTest::registerClasses();
    graphEquationTable set;
    set.addEquation();
    set.equations()[0]->setEquation(appTest::typed(QStringLiteral("y=2")));
    const QString path = dir.filePath(QStringLiteral("handed.plw"));
    ASSERT_TRUE(slArchiver::archiveRootObject(set, path));

    launchedApp app;
    graphDBusService service(app.controller);
    ASSERT_TRUE(service.registerOnSessionBus());
    QProcess second;
    QSignalSpy finished(&second, &QProcess::finished);
    QSignalSpy opened(&app.controller, &graphController::equationTableChanged);
    second.start(QStringLiteral(PLOTWEAVE_BINARY), {path});
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    if (opened.isEmpty()) {
        ASSERT_TRUE(opened.wait(10000));
    }
    EXPECT_EQ(app.table().name(), path);
    EXPECT_EQ(app.view().rendererCount(), 1u);
}

}  // namespace
