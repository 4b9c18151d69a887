// The editor view driven through the widget: keys, the calculator line, mouse selection at
// two zooms, and the caret's blink. The key rules themselves are the model's tests.
#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

#include "equationEditor/geFont.h"
#include "windowTestSupport.h"

using namespace windowTest;

namespace {

class EditorView : public WindowTest {};

// The status line after each key: a placeholder or a variable empties it.
TEST_F(EditorView, CalculatorLineFollowsEachKey) {
    struct Row {
        const char *key;
        const char *status;
    };
    const Row rows[] = {{"1", "= 1\n"}, {"+", ""},        {"2", "= 3\n"},
                        {"/", ""},      {"4", "= 1.5\n"}, {"x", ""}};
    for (const Row &row : rows) {
        type(QString::fromUtf8(row.key));
        EXPECT_EQ(status(), row.status) << "after " << row.key << " in " << text();
        EXPECT_EQ(child<QLabel>("messageField")->text().toStdString(), row.status);
    }
}

TEST_F(EditorView, ReturnAndEnterPressTheGraphButtonAndInsertNothing) {
    QSignalSpy pressed(child<QPushButton>("graphButton"), &QPushButton::clicked);
    type("2x");
    QTest::keyClick(editor(), Qt::Key_Return);
    QTest::keyClick(editor(), Qt::Key_Enter);
    editor()->insertText("\n");
    EXPECT_EQ(pressed.count(), 3);
    EXPECT_EQ(text(), "2 * x");
}

// Text composed by an input method is typed character by character.
TEST_F(EditorView, ComposedInputArrivesAsTypedText) {
    QInputMethodEvent compose;
    compose.setCommitString(QString::fromUtf8("2\u03c0"));
    QApplication::sendEvent(editor(), &compose);
    EXPECT_EQ(text(), "2 * pi");
    EXPECT_EQ(status(), "= 6.283185307\n");
}

// Select-all through the widget's shortcut, then a key on the selection (the key rules on a
// selection are the model's test).
TEST_F(EditorView, KeysOnASelection) {
    type("x+1");
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_NE(model().selection(), nullptr);
    type("(");
    EXPECT_EQ(text(), "(x + 1)");
}

// Clicks and drags land on what is under the pointer, at actual size and zoomed.
TEST_F(EditorView, MouseHitsTheNodeAndCharactersUnderThePointer) {
    for (double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        table.addEquation();
        editor()->setScale(scale);
        type("12+3456");
        auto *sum = model().equation()->top().get();
        ASSERT_TRUE(sum->isKind(geEditKind::Add));
        auto *left = static_cast<geEditBinaryOp *>(sum)->leftExp().get();
        auto *number =
            static_cast<geEditNum *>(static_cast<geEditBinaryOp *>(sum)->rightExp().get());

        // A click just right of the middle of "3456" puts the caret between 4 and 5.
        click(pointIn(number, 0.55));
        EXPECT_EQ(model().keyResponder().get(), number);
        EXPECT_EQ(number->cursorPosition(), 2);
        type("0");
        EXPECT_EQ(number->text(), "34056");

        // A drag from the first digit to the third selects "340"; back to the start, a caret.
        const QPoint start = pointIn(number, 0.02);
        QTest::mousePress(editor(), Qt::LeftButton, {}, start);
        QTest::mouseMove(editor(), pointIn(number, 0.58));
        EXPECT_EQ(number->selectedString(), "340");
        EXPECT_EQ(model().selection().get(), number);
        QTest::mouseMove(editor(), start);
        QTest::mouseRelease(editor(), Qt::LeftButton, {}, start);
        EXPECT_EQ(model().selection(), nullptr);
        EXPECT_EQ(model().keyResponder().get(), number);
        EXPECT_TRUE(number->hasCursor());

        // A drag from one operand to the other selects the sum as a whole.
        drag(pointIn(left), pointIn(number));
        EXPECT_EQ(model().selection().get(), sum);
        EXPECT_TRUE(sum->isSelected());
        // A click on the empty space right of the equation puts the caret at its end.
        click(QPoint(editor()->width() - 2, 2));
        EXPECT_NE(model().keyResponder(), nullptr);
        type("9");
        EXPECT_EQ(text(), "12 + 340569");
    }
}

// A drag from the empty space right of the equation starts at its end: onto the first
// operand it selects the whole sum.
TEST_F(EditorView, DragFromEmptySpaceStartsAtTheEnd) {
    type("x+1");
    auto *sum = static_cast<geEditBinaryOp *>(model().equation()->top().get());
    drag(QPoint(editor()->width() - 2, 2), pointIn(sum->leftExp().get()));
    EXPECT_EQ(model().selection(), model().equation()->top());
    type("(");
    EXPECT_EQ(text(), "(x + 1)");
}

// The caret blinks on the timer while the view has focus and keeps its phase without.
TEST_F(EditorView, CaretBlinksOnTheTimerWhileFocused) {
    auto *timer = editor()->findChild<QTimer *>("caretBlink");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(editor()->hasFocus());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    const bool phase = editor()->drawCursor();
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_NE(editor()->drawCursor(), phase);
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(editor()->drawCursor(), phase);
    QMetaObject::invokeMethod(timer, "timeout");
    child<QPushButton>("addButton")->setFocus();  // any other control
    child<QPushButton>("addButton")->setFocus();
    editor()->clearFocus();
    EXPECT_FALSE(timer->isActive());
    EXPECT_NE(editor()->drawCursor(), phase);  // the last phase stays
}

// Leaving the window, or the application, stops the blink with the caret in its last
// phase; coming back starts it again.
TEST_F(EditorView, CaretStopsWhileTheWindowOrTheApplicationIsInactive) {
    auto *timer = editor()->findChild<QTimer *>("caretBlink");
    ASSERT_NE(timer, nullptr);
    QWidget other;
    const struct {
        const char *name;
        std::function<void()> leave, comeBack;
    } rows[] = {
        {"another window becomes active",
         [&] {
             other.show();
             other.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
         },
         [&] {
             window.activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
         }},
        {"the application becomes inactive",
         [] { emit qApp->applicationStateChanged(Qt::ApplicationInactive); },
         [] { emit qApp->applicationStateChanged(Qt::ApplicationActive); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(editor()->hasFocus());
        EXPECT_TRUE(timer->isActive());
        QMetaObject::invokeMethod(timer, "timeout");
        const bool phase = editor()->drawCursor();
        row.leave();
        EXPECT_FALSE(timer->isActive());
        EXPECT_EQ(editor()->drawCursor(), phase);
        row.comeBack();
        EXPECT_TRUE(timer->isActive());
    }
}

// Copy as LaTeX: the whole equation without a selection, else the selection.
TEST_F(EditorView, LatexOfTypedEquations) {
    struct Row {
        const char *keys, *latex;
    };
    const Row rows[] = {
        {"1/2", "\\frac{1}{2}"},
        {"x^2\u2192+1", "x^{2} + 1"},
        {"(x+1)^3", "{\\left(x + 1\\right)}^{3}"},
        {"sqrt2", "\\sqrt{2}"},
        {"sinx", "\\sin\\left(x\\right)"},
        {"asin(t)", "\\arcsin\\left(t\\right)"},
        {"abs(x)", "\\left|\\left(x\\right)\\right|"},
        {"pir^2", "\\pi r^{2}"},
        {"2*3", "2 \\cdot 3"},
        {"-x", "-x"},
        {"y=2x,t=?", "y = 2 x, t = \\square"},
        {"x=(-b+sqrtb^2\u2192-4ac\u2192)/2a",
         "x = \\frac{\\left(-b + \\sqrt{b^{2} - 4 a c}\\right)}{2 a}"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.keys);
        table.addEquation();
        type(QString::fromUtf8(row.keys));
        editor()->action("copyLatex")->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), row.latex) << text();
    }
    type("+y");
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor()->latexText().left(6).toStdString(), "x = \\f");
}

// Zoom doubles the drawing: the widget's box of a node grows with the scale.
TEST_F(EditorView, ZoomScalesTheLayout) {
    type("x^2");
    const geEdit *top = model().equation()->top().get();
    const QRectF one = editor()->widgetRectOf(top);
    editor()->action("zoomIn")->trigger();
    EXPECT_EQ(editor()->scale(), 1.25);
    editor()->setScale(2.0);
    const QRectF two = editor()->widgetRectOf(top);
    EXPECT_NEAR(two.width(), 2 * one.width(), 0.01);
    EXPECT_NEAR(two.height(), 2 * one.height(), 0.01);
    // The equation stands at the top of the visible area.
    EXPECT_NEAR(two.top(), 0, 1);
    // A font twice the size nearly doubles it again (the gaps between nodes stay).
    editor()->setFontChooser([](const QFont &f) {
        QFont bigger = f;
        bigger.setPointSizeF(2 * f.pointSizeF());
        return std::optional<QFont>(bigger);
    });
    editor()->action("font")->trigger();
    const QRectF four = editor()->widgetRectOf(top);
    EXPECT_GT(four.width(), 1.5 * two.width());
    EXPECT_EQ(editor()->editorFont().pointSizeF(), 2 * geDefaultFontSize);
}

TEST_F(EditorView, ContextMenuOffersTheEditingCommands) {
    std::unique_ptr<QMenu> menu(editor()->createContextMenu());
    std::vector<std::string> texts;
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator()) texts.push_back(a->text().remove(u'&').toStdString());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Cut", "Copy", "Copy Text", "Copy as LaTeX", "Paste",
                                               "Select All", "Zoom In", "Zoom Out", "Actual Size",
                                               "Font..."}));
}

}  // namespace
