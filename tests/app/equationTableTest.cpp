// The equation list's operations as the window uses them.
#include <vector>

#include "appTestSupport.h"
#include "render/graphRecordingDraw.h"
#include "view/graphGLView.h"

using namespace appTest;

namespace {

// Records what the window would be told.
struct recordingObserver : graphEquationTableObserver {
    int reloads = 0;
    std::vector<int> rows;
    std::vector<bool> deleteStates;
    std::vector<QString> messages;
    std::vector<QString> titles;
    void entriesChanged() override { ++reloads; }
    void selectedRowChanged(int row) override { rows.push_back(row); }
    void deleteEnabledChanged(bool enabled) override { deleteStates.push_back(enabled); }
    void messageTextChanged(const QString &text) override { messages.push_back(text); }
    void titleChanged(const QString &title) override { titles.push_back(title); }
};

class EquationTable : public AppTest {
protected:
    EquationTable() {
        list.setObserver(&window);
        list.createInitialEquation();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto &e : list.equations()) out.push_back(e->name().toStdString());
        return out;
    }
    graphEquationTable list;
    recordingObserver window;
};

TEST_F(EquationTable, NamesCountUpAndAreNeverReused) {
    EXPECT_EQ(names(), std::vector<std::string>{"Equation 1"});
    EXPECT_EQ(list.equations()[0]->equation()->string(), "?");
    list.addEquation();
    list.addEquation();
    EXPECT_EQ(names(), (std::vector<std::string>{"Equation 1", "Equation 2", "Equation 3"}));
    EXPECT_EQ(list.selectedRow(), 2);  // each new entry is selected
    list.deleteEquation();
    list.addEquation();
    EXPECT_EQ(names(), (std::vector<std::string>{"Equation 1", "Equation 2", "Equation 4"}));
}

TEST_F(EquationTable, DeleteRules) {
    list.deleteEquation();  // the last entry stays
    EXPECT_EQ(list.equationCount(), 1);
    EXPECT_FALSE(list.isDeleteEnabled());
    list.addEquation();
    EXPECT_TRUE(list.isDeleteEnabled());
    list.selectRow(-1);
    list.deleteEquation();  // nothing selected: nothing deleted
    EXPECT_EQ(list.equationCount(), 2);
    list.selectRow(0);
    list.deleteEquation();
    EXPECT_EQ(names(), std::vector<std::string>{"Equation 2"});
    EXPECT_FALSE(list.isDeleteEnabled());
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(window.deleteStates, (std::vector<bool>{true, false}));
}

TEST_F(EquationTable, DefaultColourAppliesToLaterEntriesOnly) {
    EXPECT_EQ(list.colorAtIndex(0), QColor(Qt::black));
    list.setDefaultColor(Qt::green);
    list.addEquation();
    EXPECT_EQ(list.colorAtIndex(0), QColor(Qt::black));
    EXPECT_EQ(list.colorAtIndex(1), QColor(Qt::green));
    list.selectRow(0);
    list.setEquationColor(Qt::blue);
    EXPECT_EQ(list.colorAtIndex(0), QColor(Qt::blue));
}

TEST_F(EquationTable, EquationAtIndexConvertsAndClassifies) {
    list.equations()[0]->setEquation(typed("y=x^2"));
    list.addEquation();
    list.equations()[1]->setEquation(typed("t=5"));
    EXPECT_EQ(list.equationAtIndex(-1), nullptr);
    EXPECT_EQ(list.equationAtIndex(2), nullptr);  // index equal to the count
    grEquation *q = list.equationAtIndex(0);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->kind, grKindYOfX);
    grFreeEquation(q);
    EXPECT_EQ(list.equationAtIndex(1), nullptr);  // the converted tree is released (sanitizers)
    EXPECT_STREQ(gGraphExpressionError, "left hand side of '=' must be X, Y or Z.");
}

// Graphing shows the graph view's answer; deleting after a first graphing graphs again.
TEST_F(EquationTable, GraphAndRegraphAfterDelete) {
    graphRecordingDraw draw;
    graphGLView view(draw, 400, 300);
    list.setGraphView(&view);
    list.equations()[0]->setEquation(typed("y=x"));
    list.graph();
    EXPECT_EQ(list.messageText(), "");
    EXPECT_TRUE(view.isGraphed());
    list.addEquation();
    list.equations()[1]->setEquation(typed("t=5"));
    list.graph();
    EXPECT_EQ(list.messageText(), "left hand side of '=' must be X, Y or Z.");
    list.selectRow(1);
    list.deleteEquation();
    EXPECT_EQ(list.messageText(), "");
    EXPECT_EQ(window.messages.back(), "");
}

TEST_F(EquationTable, NameSetsTheTitle) {
    EXPECT_TRUE(list.name().isEmpty());
    list.setName("/home/someone/sets/waves.plw");
    EXPECT_EQ(window.titles.back(), "waves.plw");
    EXPECT_EQ(list.name(), "/home/someone/sets/waves.plw");
}

}  // namespace
