// Undo and redo of the editor's trees and of the list, through the window's undo stack.
#include <QAction>
#include <QPushButton>
#include <QUndoStack>
#include <random>

#include "equationEditor/geEditTextCaret.h"
#include "platform/archive/slArchiver.h"
#include "windowTestSupport.h"

using namespace windowTest;

namespace {

class Undo : public WindowTest {
protected:
    // What the user sees, read independently of the undo code: the tree's archive, its
    // text, where the caret stands in the text, and the selected text.
    struct Seen {
        QByteArray archive;
        std::string text;
        int caret;
        int cursorPosition;
        std::string selection;
        bool operator==(const Seen &) const = default;
    };
    Seen seen() {
        const graphEquationEditorModel &m = model();
        const geEditPtr &s = m.selection();
        return {slArchiver::archivedDataWithRootObject(*m.equation()), text(),
                geCaretOffsetInText(m.equation().get(), m.keyResponder().get()),
                m.keyResponder() ? m.keyResponder()->cursorPosition() : -1,
                s ? s->string().toStdString() : ""};
    }
    void undo() { QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier); }
    void redo() { window.undoStack()->redo(); }
};

// Random edits, each undone and redone: every state comes back exactly.
TEST_F(Undo, RandomEditSequencesRoundTrip) {
    const QString keys = QStringLiteral("0123456789.xyk+-*/^()=,<>\b\u2190\u2192sin");
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        window.addEquation();
        window.undoStack()->clear();
        std::vector<std::pair<Seen, Seen>> edits;  // before and after each command
        for (int step = 0; step < 60; ++step) {
            const Seen before = seen();
            const int count = window.undoStack()->count();
            const unsigned pick = random() % 100;
            if (pick < 4)
                editor()->selectAll();
            else if (pick < 6)
                editor()->cut();
            else if (pick < 8)
                editor()->paste();
            else if (pick < 9)
                editor()->copy();
            else
                type(QString(keys.at(int(random() % unsigned(keys.size())))));
            if (window.undoStack()->count() > count) edits.emplace_back(before, seen());
        }
        ASSERT_GT(edits.size(), 20u);
        for (size_t i = edits.size(); i-- > 0;) {
            undo();
            ASSERT_EQ(seen(), edits[i].first) << "undo of edit " << i << ": " << text();
        }
        for (size_t i = 0; i < edits.size(); ++i) {
            redo();
            ASSERT_EQ(seen(), edits[i].second) << "redo of edit " << i << ": " << text();
        }
    }
}

// Undoing an edit of an equation not shown brings it back into the editor.
TEST_F(Undo, UndoShowsTheEquationItChanges) {
    type("x");
    window.addEquation();
    type("y");
    tableViewSelect(0);
    ASSERT_EQ(text(), "x");
    window.undoStack()->undo();  // typing y
    window.undoStack()->undo();  // the addition
    EXPECT_EQ(table.equationCount(), 1);
    window.undoStack()->undo();  // typing x
    EXPECT_EQ(text(), "?");
    EXPECT_EQ(window.undoStack()->index(), 0);
}

// The buttons, the colour well and the table's renaming are steps of the document's history,
// undone with the shortcut and showing the entry they change.
TEST_F(Undo, ListControlsAreStepsOfTheDocumentsHistory) {
    window.setColorChooser([](const QColor &) { return QColor(Qt::blue); });
    struct Row {
        const char *name;
        std::function<void()> act;
    };
    const Row rows[] = {
        {"add",
         [&] { QTest::mouseClick(window.findChild<QPushButton *>("addButton"), Qt::LeftButton); }},
        {"rename", [&] { window.renameEquation(1, "parabola"); }},
        {"recolour",
         [&] { QTest::mouseClick(window.findChild<QPushButton *>("colorWell"), Qt::LeftButton); }},
        {"delete",
         [&] {
             QTest::mouseClick(window.findChild<QPushButton *>("deleteButton"), Qt::LeftButton);
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const int steps = document.undoStack().count();
        row.act();
        ASSERT_EQ(document.undoStack().count(), steps + 1);
        undo();
        EXPECT_EQ(document.undoStack().index(), steps);
        EXPECT_EQ(editor()->equation(), table.equations()[size_t(table.selectedRow())]->equation());
        redo();
        EXPECT_TRUE(editor()->hasFocus());
    }
    EXPECT_EQ(table.equationCount(), 1);
    EXPECT_FALSE(window.findChild<QPushButton *>("deleteButton")->isEnabled());
}

}  // namespace
