// The settings tests keep QSettings in the test location, never in the user's own, and
// draw without a display.
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Plotweave"));
    QCoreApplication::setApplicationName(QStringLiteral("Plotweave"));
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    return RUN_ALL_TESTS();
}
