// The window tests run the real widgets on the platform ctest gives them: Qt's offscreen
// platform for most, an X server (xvfb-run) for the clipboard between programs.
//
// Run as "equationWindowTests --read-clipboard TYPE", the program is another application
// pasting: it prints the clipboard's data of that MIME type as base64 and exits.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (argc == 3 && std::strcmp(argv[1], "--read-clipboard") == 0) {
        QApplication app(argc, argv);
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        const QByteArray bytes = data ? data->data(QString::fromLatin1(argv[2])) : QByteArray();
        std::printf("%s\n", bytes.toBase64().constData());
        return bytes.isEmpty() ? 1 : 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
