// The view tests run without any display: Qt's offscreen platform provides the fonts that
// the label bitmaps are rasterised from, and OpenGL comes from a headless EGL context.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
