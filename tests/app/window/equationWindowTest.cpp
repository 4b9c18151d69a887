// The equation window's controls against the list: names, enabling, rename, colour,
// title, the editor as first responder after every action, and undo of the list's edits.
#include <QAbstractItemModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QUndoStack>

#include "render/graphRecordingDraw.h"
#include "view/graphGLView.h"
#include "windowTestSupport.h"

using namespace windowTest;

namespace {

class EquationWindow : public WindowTest {
protected:
    QTableView *tableView() { return child<QTableView>("equationTable"); }
    QPushButton *button(const char *name) { return child<QPushButton>(name); }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        QAbstractItemModel *m = tableView()->model();
        for (int row = 0; row < m->rowCount(); ++row)
            out.push_back(m->index(row, 0).data().toString().toStdString());
        return out;
    }
    int shownRow() {
        const QModelIndexList rows = tableView()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    // After every action the editor takes the keys and shows the selected entry.
    void expectEditorShowsSelection() {
        EXPECT_TRUE(editor()->hasFocus());
        ASSERT_GE(table.selectedRow(), 0);
        EXPECT_EQ(shownRow(), table.selectedRow());
        EXPECT_EQ(editor()->equation(), table.equations()[size_t(table.selectedRow())]->equation());
    }
};

TEST_F(EquationWindow, ButtonsAddAndDeleteWithTheirEnablingRules) {
    struct Step {
        const char *button;
        std::vector<std::string> names;
        int selected;
        bool deleteEnabled;
    };
    const Step steps[] = {
        // How names count up and which row a deletion selects is EquationTable's test.
        {nullptr, {"Equation 1"}, 0, false},
        {"addButton", {"Equation 1", "Equation 2"}, 1, true},
        {"addButton", {"Equation 1", "Equation 2", "Equation 3"}, 2, true},
        {"deleteButton", {"Equation 1", "Equation 2"}, 1, true},
        {"deleteButton", {"Equation 1"}, 0, false},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.button ? step.button : "start");
        if (step.button) QTest::mouseClick(button(step.button), Qt::LeftButton);
        EXPECT_EQ(names(), step.names);
        EXPECT_EQ(table.selectedRow(), step.selected);
        EXPECT_EQ(button("deleteButton")->isEnabled(), step.deleteEnabled);
        expectEditorShowsSelection();
    }
    // The disabled button and the action itself refuse the last entry.
    window.deleteEquation();
    EXPECT_EQ(table.equationCount(), 1);
}

TEST_F(EquationWindow, SelectingARowShowsItsTreeAndColour) {
    type("x");
    window.addEquation();
    type("y");
    window.setColorChooser([](const QColor &) { return QColor(Qt::red); });
    QTest::mouseClick(button("colorWell"), Qt::LeftButton);
    EXPECT_EQ(table.equations()[1]->color(), QColor(Qt::red));
    tableView()->selectRow(0);
    EXPECT_EQ(text(), "x");
    EXPECT_EQ(button("colorWell")->property("color").value<QColor>(), QColor(Qt::black));
    expectEditorShowsSelection();
    tableView()->selectRow(1);
    EXPECT_EQ(text(), "y");
    EXPECT_EQ(button("colorWell")->property("color").value<QColor>(), QColor(Qt::red));
}

TEST_F(EquationWindow, InlineRenameKeepsTheSelection) {
    window.addEquation();
    QAbstractItemModel *m = tableView()->model();
    EXPECT_TRUE(m->flags(m->index(1, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m->setData(m->index(1, 0), "circle", Qt::EditRole));
    EXPECT_EQ(table.equations()[1]->name(), "circle");
    EXPECT_EQ(names(), (std::vector<std::string>{"Equation 1", "circle"}));
    EXPECT_EQ(shownRow(), 1);
    EXPECT_EQ(table.selectedRow(), 1);
}

TEST_F(EquationWindow, TitleFollowsTheFileName) {
    EXPECT_EQ(window.windowTitle(), "Untitled");
    table.setName("/tmp/sets/conics.plw");
    EXPECT_EQ(window.windowTitle(), "conics.plw");
}

// Return presses Graph, which graphs through the list: the message field shows the
// classifier's message, and a later success clears it.
TEST_F(EquationWindow, GraphButtonReachesTheGraphView) {
    graphRecordingDraw draw;
    graphGLView view(draw, 400, 300);
    table.setGraphView(&view);
    type("t=5");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_EQ(child<QLabel>("messageField")->text(), "left hand side of '=' must be X, Y or Z.");
    EXPECT_EQ(text(), "t = 5");
    for (int i = 0; i < 5; ++i) type("\b");
    type("y=x");
    QTest::mouseClick(button("graphButton"), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>("messageField")->text(), "");
    EXPECT_TRUE(view.isGraphed());
    table.setGraphView(nullptr);
}

// A list read from a file replaces the one shown; its first row is selected.
TEST_F(EquationWindow, AnotherListReplacesTheShownOne) {
    type("x");
    graphEquationDocument other;
    other.table().addEquation();
    other.table().selectRow(0);
    window.setDocument(&other);
    EXPECT_EQ(names(), (std::vector<std::string>{"Equation 1", "Equation 2"}));
    EXPECT_TRUE(button("deleteButton")->isEnabled());
    EXPECT_EQ(editor()->equation(), other.table().equations()[0]->equation());
    EXPECT_EQ(window.undoStack(), &other.undoStack());
    // Undo acts on the shown document's history.
    type("y");
    EXPECT_EQ(other.undoStack().count(), 1);
    QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(other.undoStack().index(), 0);
    window.setDocument(&document);
}

}  // namespace
