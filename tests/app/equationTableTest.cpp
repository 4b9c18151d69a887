// The equation list's operations as the window uses them.
#include <set>
#include <vector>

#include "app/graphPalette.h"

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

// Each new entry takes the next palette colour after the default, one no entry has yet.
TEST_F(EquationTable, NewEntriesTakeColoursNoOtherEntryHas) {
    struct colourCase {
        const char *name;
        QColor first;
    };
    const colourCase cases[] = {
        {"a default outside the palette", QColor(0, 0, 255)},
        {"a palette colour as default", graphPaletteColor(3)},
        {"black", QColor(Qt::black)},
    };
    for (const colourCase &c : cases) {
        SCOPED_TRACE(c.name);
        graphEquationTable fresh;
        fresh.setDefaultColor(c.first);
        fresh.setPaletteColors(true);
        fresh.createInitialEquation();
        for (int i = 1; i < graphPaletteSize; i++) fresh.addEquation();
        std::set<QRgb> seen;
        for (int i = 0; i < fresh.equationCount(); i++) seen.insert(fresh.colorAtIndex(i).rgb());
        EXPECT_EQ(fresh.colorAtIndex(0), c.first);
        EXPECT_EQ(seen.size(), size_t(graphPaletteSize));
        // A colour freed by a recolouring is taken again before any repeats.
        fresh.selectRow(2);
        const QColor freed = fresh.colorAtIndex(2);
        fresh.setEquationColor(QColor(1, 2, 3));
        fresh.addEquation();
        EXPECT_EQ(fresh.colorAtIndex(graphPaletteSize), freed);
    }
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

// Letters that the kind gives no value are named on the message line once graphed.
TEST_F(EquationTable, GraphNamesLettersWithoutAValue) {
    graphRecordingDraw draw;
    graphGLView view(draw, 400, 300);
    list.setGraphView(&view);
    const std::pair<const char *, const char *> rows[] = {
        {"y=x+t", "t has no value in y = f(x) and is taken as 0"},
        {"z=x+s+t", "s and t have no value in z = f(x, y) and are taken as 0"},
        {"x=cost,y=sint+x", "x has no value in a parametric curve of t and is taken as 0"},
        {"y=x+k", ""},
    };
    for (const auto &[keys, message] : rows) {
        list.equations()[0]->setEquation(typed(keys));
        list.graph();
        EXPECT_EQ(list.messageText().toStdString(), message) << keys;
        EXPECT_TRUE(view.isGraphed());
    }
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
