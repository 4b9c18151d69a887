// Preferences through QSettings, the k rules of applying them, and the user constants
// with their editing rules (how they reach the calculator and the graph is kWindowTest's).
#include <gtest/gtest.h>

#include <QSettings>

#include "app/graphEquationTable.h"
#include "app/graphPreferences.h"

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { QSettings().clear(); }
};

TEST_F(PreferencesTest, EveryKeyRoundTripsAndAFirstRunGetsTheDefaults) {
    graphPreferences first;
    first.loadPreferences();
    EXPECT_EQ(first.values, graphDefaultPreferences());
    EXPECT_EQ(first.constants.count(), 0);

    graphPreferences saved;
    // Colours that float rounding or a lost alpha would change.
    saved.values.backgroundColor = QColor(1, 2, 3);
    saved.values.backgroundColor3D = QColor(254, 253, 252);
    saved.values.gridColor = QColor::fromRgb(0x12, 0x34, 0x56, 0x78);
    saved.values.graphColor = QColor(127, 128, 129);
    saved.values.axisColor = QColor(255, 0, 1);
    saved.values.selectionColor = QColor::fromRgbF(0.3f, 0.6f, 0.9f);
    saved.values.drawMode = 3;
    saved.values.minimumK = -4;
    saved.values.maximumK = 7;
    saved.values.animationSteps = 33;
    saved.values.playSounds = false;
    saved.values.colorByHeight = true;
    saved.constants.setConstants({{"b", 0.1}, {"a", -2.5e-300}, {"c", 1.0 / 3.0}});
    saved.savePreferences();

    graphPreferences loaded;
    loaded.loadPreferences();
    EXPECT_EQ(loaded.values, saved.values);
    EXPECT_EQ(loaded.constants.constants(), saved.constants.constants());
}

TEST_F(PreferencesTest, ConstantListsOfAnyLengthRoundTrip) {
    const std::vector<graphConstant> lists[] = {{}, {{"q", -0.0}}, {{"a", 1e300}, {"b", 2}}};
    for (const auto &list : lists) {
        SCOPED_TRACE(list.size());
        graphPreferences saved;
        saved.constants.setConstants(list);
        saved.savePreferences();
        graphPreferences loaded;
        loaded.constants.setConstants({{"z9", 9}});  // a list stored empty empties this
        loaded.loadPreferences();
        EXPECT_EQ(loaded.constants.constants(), list);
    }
}

TEST_F(PreferencesTest, ApplyingMendsTheKSettings) {
    struct Case {
        double minK, maxK;
        int steps;
        double appliedMin, appliedMax;
        int appliedSteps;
        double stepSize;
        bool beeps;
    } cases[] = {
        {0, 6, 1, 0, 6, 3, 2.0, false},         // too few steps become 3
        {0, 6.28, 4, 0, 6.28, 4, 1.57, false},  // decimals stay decimals (not 628)
        {0, 10, 2, 0, 10, 3, 10.0 / 3, false}, {0, 10, 3, 0, 10, 3, 10.0 / 3, false},
        {5, 5, 20, 5, 5, 20, 0.0, false},     // equal bounds are accepted
        {3, -3, 20, -10, 10, 20, 1.0, true},  // a reversed range beeps and resets
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.minK << ".." << c.maxK << " in " << c.steps);
        graphPreferences prefs;
        int beeps = 0;
        prefs.setBeep([&] { beeps++; });
        prefs.values.minimumK = c.minK;
        prefs.values.maximumK = c.maxK;
        prefs.values.animationSteps = c.steps;
        graphEquationTable table;
        prefs.activatePreferences(nullptr, &table);
        EXPECT_EQ(beeps, c.beeps ? 1 : 0);
        EXPECT_EQ(prefs.minK(), c.appliedMin);
        EXPECT_EQ(prefs.maxK(), c.appliedMax);
        EXPECT_DOUBLE_EQ(prefs.animationStepSize(), c.stepSize);
        EXPECT_EQ(table.defaultColor(), prefs.values.graphColor);
        // What is stored is what now applies.
        graphPreferences stored;
        stored.loadPreferences();
        EXPECT_EQ(stored.values.minimumK, c.appliedMin);
        EXPECT_EQ(stored.values.maximumK, c.appliedMax);
        EXPECT_EQ(stored.values.animationSteps, c.appliedSteps);
    }
}

TEST(ConstantTable, NamesAreOneLowerCaseLetterThatNoVariableUses) {
    struct Case {
        const char *typed, *accepted;  // null: refused
    } cases[] = {
        {"Ab", "a"},    {"q", "q"},          {"E", nullptr},       {"x", nullptr},
        {"K", nullptr}, {"s", nullptr},      {"7", nullptr},       {" ", nullptr},
        {"", nullptr},  {"\u03C0", nullptr}, {"\u00C9", "\u00E9"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        graphConstantTable table;
        const int row = table.addConstant();
        const QString cell = graphConstantTable::nameWhileTyping(QString::fromUtf8(c.typed));
        EXPECT_EQ(table.setName(row, cell), c.accepted != nullptr);
        EXPECT_EQ(table.constants()[0].constantName(),
                  c.accepted ? QString::fromUtf8(c.accepted) : QStringLiteral(" "));
    }
}

TEST(ConstantTable, ValuesAreReadAsAtofReadsThem) {
    const std::pair<const char *, double> cases[] = {
        {"2.5", 2.5}, {"  -3e2xyz", -300.0}, {"+.5", 0.5}, {"abc", 0.0},
        {"", 0.0},    {"+-1", 0.0},          {"1e", 1.0},
    };
    for (const auto &[text, value] : cases) {
        SCOPED_TRACE(text);
        graphConstantTable table;
        table.setValue(table.addConstant(), QString::fromUtf8(text));
        EXPECT_EQ(table.constants()[0].constantValue(), value);
    }
}

TEST(ConstantTable, LookupTakesTheFirstOfANameAndOneForAnUnknownName) {
    graphConstantTable table;
    table.setConstants({{"a", 2.0}, {"b", -1.0}, {"a", 5.0}});
    EXPECT_EQ(table.constantForString("a"), 2.0);
    EXPECT_EQ(table.constantForString("b"), -1.0);
    EXPECT_EQ(table.constantForString("c"), 1.0);
    table.removeConstant(0);
    EXPECT_EQ(table.constantForString("a"), 5.0);
}

}  // namespace
