// The clipboard tests run on an X server (xvfb-run), where the clipboard is shared between
// programs, and this program is also the other program:
//
// Run as "--read-clipboard TYPE", the program is another application pasting: it prints the
// clipboard's data of that MIME type as base64 and exits. Run as "--write-clipboard-text
// TEXT", it is another application that copied TEXT, and serves it until it is killed.
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
    if (argc == 3 && std::strcmp(argv[1], "--write-clipboard-text") == 0) {
        // Another program with text on the clipboard: it owns the clipboard until killed.
        QApplication app(argc, argv);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(argv[2]));
        return app.exec();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
