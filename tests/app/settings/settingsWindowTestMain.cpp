// The preferences window and the movie export on Qt's offscreen platform, with settings in
// the test location.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Plotweave"));
    QCoreApplication::setApplicationName(QStringLiteral("Plotweave"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    return RUN_ALL_TESTS();
}
