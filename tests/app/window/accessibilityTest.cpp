// The window as assistive technology reads and drives it, through QAccessible.
#include <QAccessible>
#include <QPushButton>

#include "windowTestSupport.h"

using namespace windowTest;

namespace {

class Accessibility : public WindowTest {
protected:
    QAccessibleInterface *face(QObject *object) {
        return QAccessible::queryAccessibleInterface(object);
    }
};

TEST_F(Accessibility, EveryControlHasAName) {
    struct Row {
        const char *object, *name;
        QAccessible::Role role;
    };
    const Row rows[] = {
        {"addButton", "Add", QAccessible::Button},
        {"deleteButton", "Delete", QAccessible::Button},
        {"graphButton", "Graph", QAccessible::Button},
        {"colorWell", "Equation colour", QAccessible::Button},
        {"equationTable", "Equations", QAccessible::Table},
        {"equationEditor", "Equation editor", QAccessible::EditableText},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.object);
        QObject *object = window.findChild<QObject *>(row.object);
        ASSERT_NE(object, nullptr);
        QAccessibleInterface *f = face(object);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->text(QAccessible::Name).toStdString(), row.name);
        EXPECT_EQ(f->role(), row.role);
    }
    // Pressing through the action interface clicks the button (animated, so wait for it).
    face(window.findChild<QPushButton *>("addButton"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return table.equationCount() == 2; }));
}

// The message line reads as its text, so the calculator's result is heard, not a label.
TEST_F(Accessibility, TheMessageLineReadsAsItsText) {
    QObject *message = window.findChild<QObject *>("messageField");
    ASSERT_NE(message, nullptr);
    QAccessibleInterface *f = face(message);
    EXPECT_EQ(f->role(), QAccessible::StaticText);
    EXPECT_EQ(f->text(QAccessible::Description).toStdString(), "Message line");
    type("1+2");
    EXPECT_EQ(f->text(QAccessible::Name).trimmed().toStdString(), "= 3");
}

// The editor reads as its text form with the caret in it and the calculator line as its
// description; text typed through the interface goes in at the caret.
TEST_F(Accessibility, EditorReadsAsTextWithCaretAndResult) {
    QAccessibleInterface *f = face(editor());
    ASSERT_NE(f, nullptr);
    QAccessibleTextInterface *t = f->textInterface();
    QAccessibleEditableTextInterface *e = f->editableTextInterface();
    ASSERT_NE(t, nullptr);
    ASSERT_NE(e, nullptr);
    struct Row {
        const char *keys, *text;
        int caret;
        const char *description;
    };
    const Row rows[] = {
        {"12+34", "12 + 34", 7, "= 46"},        {"\u2190", "12 + 34", 6, "= 46"},
        {"\u2190\u2190", "12 + 34", 5, "= 46"}, {"\u2190", "12 + 34", 2, "= 46"},
        {"5", "125 + 34", 3, "= 159"},          {"/", "125/? + 34", 4, ""},
        {"sin", "125/(sin(?)) + 34", 9, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.keys);
        type(QString::fromUtf8(row.keys));
        EXPECT_EQ(f->text(QAccessible::Value).toStdString(), row.text);
        EXPECT_EQ(t->text(0, t->characterCount()).toStdString(), row.text);
        EXPECT_EQ(t->cursorPosition(), row.caret);
        EXPECT_EQ(f->text(QAccessible::Description).toStdString(), row.description);
    }
    e->insertText(t->cursorPosition(), "x");
    EXPECT_EQ(text(), "125/(sin(x)) + 34");
    // The selection reads as a range of the text.
    e->replaceText(0, t->characterCount(), "7");
    EXPECT_EQ(text(), "7");
    type("+8");
    editor()->selectAll();
    int start = -1, end = -1;
    ASSERT_EQ(t->selectionCount(), 1);
    t->selection(0, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
}

}  // namespace
