// The screen tests run the real widgets: a QApplication on the X server xvfb-run provides,
// settings in the test locations, emptied before the run.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName(QStringLiteral("PlotweaveTests"));
    QApplication::setApplicationName(QStringLiteral("PlotweaveTests"));
    QApplication app(argc, argv);
    QSettings().clear();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
