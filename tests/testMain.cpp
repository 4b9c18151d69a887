// The main of every test program that needs a Qt application: GoogleTest over a
// QGuiApplication, or over a QApplication where widgets are tested (PLOTWEAVE_TEST_WIDGETS).
//
// Without a platform chosen by the environment, Qt's offscreen platform serves fonts and
// windows without a display; the programs that need a real X server get "xcb" from ctest.
// Settings live in Qt's test location, under the program's own name, and start empty: a
// test never touches the user's settings, and programs run side by side keep their own.
#ifdef PLOTWEAVE_TEST_WIDGETS
#include <QApplication>
using testApplication = QApplication;
#else
#include <QGuiApplication>
using testApplication = QGuiApplication;
#endif
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    testing::InitGoogleTest(&argc, argv);
    testApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("PlotweaveTests"));
    QSettings().clear();
    return RUN_ALL_TESTS();
}
