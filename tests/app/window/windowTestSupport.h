// The equation window on screen for tests: a fresh list with its window shown and active,
// and helpers that type, click and drag as a user does.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QTest>

#include "app/graphEquationDocument.h"
#include "app/graphEquationWindow.h"
#include "equationEditor/equationEditor.h"
#include "equationEditor/graphEquationEditorView.h"

namespace windowTest {

class WindowTest : public ::testing::Test {
protected:
    WindowTest() : window(&document) {
        graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
        window.resize(720, 300);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Keys and shortcuts reach the editor only once the window is active; on an X server
        // that takes a round trip.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        editor()->setFocus();
    }

    graphEquationEditorView *editor() const { return window.editor(); }
    graphEquationEditorModel &model() const { return editor()->model(); }
    std::string text() const {
        return model().equation() ? model().equation()->string().toStdString() : "";
    }
    std::string status() const { return model().statusText().toStdString(); }
    template <class T>
    T *child(const char *name) const {
        return window.findChild<T *>(QString::fromLatin1(name));
    }

    // Keys as typed: "\b" is Backspace, "\r" Return, "<" and ">" stay text; arrows by name.
    void type(const QString &keys) {
        for (QChar c : keys) {
            if (c == u'\b')
                QTest::keyClick(editor(), Qt::Key_Backspace);
            else if (c == u'\r')
                QTest::keyClick(editor(), Qt::Key_Return);
            else if (c == u'\u2190')
                QTest::keyClick(editor(), Qt::Key_Left);
            else if (c == u'\u2192')
                QTest::keyClick(editor(), Qt::Key_Right);
            else
                QTest::keyClicks(editor(), QString(c));
        }
    }
    // The middle of node's box, or a point at fraction (fx, fy) of it from its top-left.
    QPoint pointIn(const geEdit *node, double fx = 0.5, double fy = 0.5) {
        const QRectF r = editor()->widgetRectOf(node);
        EXPECT_FALSE(r.isEmpty());
        return QPointF(r.x() + fx * r.width(), r.y() + fy * r.height()).toPoint();
    }
    void tableViewSelect(int row) { table.selectRow(row); }
    void click(QPoint p) { QTest::mouseClick(editor(), Qt::LeftButton, {}, p); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(editor(), Qt::LeftButton, {}, from);
        QTest::mouseMove(editor(), to);
        QTest::mouseRelease(editor(), Qt::LeftButton, {}, to);
    }

    graphEquationDocument document;  // with one empty equation
    graphEquationTable &table = document.table();
    graphEquationWindow window;
};

}  // namespace windowTest
