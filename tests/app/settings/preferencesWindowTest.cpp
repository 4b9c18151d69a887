// The preferences window driven through its widgets.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include "app/graphKMovieExporter.h"
#include "app/graphPreferencesWindow.h"
#include "ui_graphPreferencesWindow.h"

namespace {

class PreferencesWindowTest : public ::testing::Test {
protected:
    PreferencesWindowTest() : window(preferences) {
        QSettings().clear();
        preferences.setBeep([this] { beeps++; });
        window.activatePreferences = [this] {
            activations++;
            preferences.activatePreferences(nullptr, nullptr);
        };
        window.show();
    }

    // The line edit of the cell being edited, or null.
    QLineEdit *cellEditor() { return window.ui().constantTable->findChild<QLineEdit *>(); }

    // Types into the cell being edited and presses Return.
    void typeIntoCell(const QString &text) {
        QLineEdit *editor = cellEditor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }

    // Closed cell editors go away.
    static void settle() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    graphPreferences preferences;
    graphPreferencesWindow window;
    int beeps = 0, activations = 0;
};

TEST_F(PreferencesWindowTest, TypedNamesAreCutLoweredOrRefusedAndValuesShowSixDecimals) {
    window.addConstant();
    QLineEdit *editor = cellEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Ab");
    EXPECT_EQ(editor->text(), "A");  // cut while typed
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    EXPECT_EQ(preferences.constants.constants()[0].constantName(), "a");

    window.addConstant();
    typeIntoCell("x");
    EXPECT_NE(cellEditor(), nullptr);  // refused: still editing
    EXPECT_EQ(preferences.constants.constants()[1].constantName(), " ");
    typeIntoCell("b");
    EXPECT_EQ(preferences.constants.constants()[1].constantName(), "b");

    QTableView *table = window.ui().constantTable;
    table->edit(window.constantsModel().index(1, 1));
    typeIntoCell("2.5e1 apples");
    EXPECT_EQ(preferences.constants.constantForString("b"), 25.0);
    EXPECT_EQ(window.constantsModel().index(1, 1).data().toString(), "25.000000");

    table->selectRow(0);
    EXPECT_TRUE(window.ui().removeButton->isEnabled());
    QTest::mouseClick(window.ui().removeButton, Qt::LeftButton);
    EXPECT_EQ(preferences.constants.constantNames(), QStringList{"b"});
}

TEST_F(PreferencesWindowTest, ClosingAppliesAndShowsTheMendedRange) {
    window.ui().minKBox->setValue(4);
    window.ui().maxKBox->setValue(-4);
    window.ui().animationStepBox->setValue(1);
    window.ui().drawModePopup->setCurrentIndex(0);
    graphColorWell::chooser = [](const QColor &, QWidget *) { return QColor(10, 20, 30); };
    QTest::mouseClick(window.ui().gridColor, Qt::LeftButton);
    window.closePreferencesBox();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(window.ui().minKBox->value(), -10);
    EXPECT_EQ(window.ui().maxKBox->value(), 10);
    EXPECT_EQ(window.ui().animationStepBox->value(), 3);

    graphPreferences stored;
    stored.loadPreferences();
    EXPECT_EQ(stored.values.gridColor, QColor(10, 20, 30));
    EXPECT_EQ(stored.values.drawMode, 0);
    EXPECT_EQ(stored.values.minimumK, -10);
}

// The k bounds take decimals as the user types them.
TEST_F(PreferencesWindowTest, TheKBoundsTakeDecimals) {
    window.ui().maxKBox->selectAll();
    QTest::keyClicks(window.ui().maxKBox, QLocale().toString(6.28, 'f', 2));
    window.closePreferencesBox();
    EXPECT_DOUBLE_EQ(window.ui().maxKBox->value(), 6.28);
    graphPreferences stored;
    stored.loadPreferences();
    EXPECT_DOUBLE_EQ(stored.values.maximumK, 6.28);
}

TEST(MovieExport, QualityRowsThreeAndFiveAreSeparatorsAndTheMessageFollows) {
    QComboBox popup;
    QLabel message;
    graphSetUpMovieQualityPopup(&popup, &message);
    ASSERT_EQ(popup.count(), 7);
    auto *items = qobject_cast<QStandardItemModel *>(popup.model());
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(items->item(row)->isEnabled(), graphMovieQuality::selectable(row)) << row;
    EXPECT_EQ(message.text(), "Moderate quality, moderate compression");
    popup.setCurrentIndex(4);
    EXPECT_EQ(message.text(), "Very high quality, very low compression");
}

}  // namespace
