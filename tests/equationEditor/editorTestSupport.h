// Helpers for driving the editor as a user does and for reading the tree back.
//
// Key strings: ordinary characters are typed as they are; "←" and "→" are the arrow keys,
// "⌫" is Backspace and "Ⓐ" is select-all.
//
// Pictures: leaves are their text ("12", "x", "pi", "?"), other nodes their class with the
// operands: Add(12, x), Mul(2, x), Div(1, ?), Pow(x, 2), Root(3, x), Parens(x), Neg(x),
// and functions their name: sin(x). The cursor is "|" where it stands: "1|2", "x|", "?|",
// after an operator's sign "Add|(a, b)", before or after a function name "|sin(x)",
// "sin|(x)", inside or after parentheses "Parens(|x)", "Parens(x)|", after a minus "Neg|(x)",
// after a template "Div(1, 2)|", and before the whole equation "|..." (the root).
// A selected node is wrapped in brackets: [Add(x, 1)].
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "equationEditor/equationEditor.h"

namespace editorTest {

std::string picture(const geEdit *node);
std::string expPicture(const grExp *e);
// The tree a picture shows (without cursor or selection marks): "Add(12, x)", "sin(?)",
// "Neg(pi)", "null" for an empty slot; other lower-case names with an argument are
// functions, a run of letters without one is a variable of that text.
geEditPtr build(std::string_view picture);
// The conversion of a subtree as expPicture.
std::string converted(const geEditPtr &node);

// Checks the structural invariants: every child's parent is its holder, no node appears
// twice, and the delegate of every node is the root's. Answers a message or "" when sound.
std::string checkLinks(const geEdit *root);
// The links, and one cursor at the key responder inside the tree or one selected node and
// no cursor: a message or "" when sound.
std::string problemAfterKey(const graphEquationEditorModel &model);
// The nodes with hasCursor and isSelected set.
int countCursors(const geEdit *root);
int countSelected(const geEdit *root);
bool contains(const geEdit *root, const geEdit *node);
// Every node of a subtree in pre-order, and the first one whose picture is the given one
// (null when none is).
std::vector<geEditPtr> subtree(const geEditPtr &root);
geEditPtr findNode(const geEditPtr &root, const std::string &picture);
// The calculator line by its definition: nothing for a placeholder or a variable, else the
// value of grEvalExp on makeExp's tree, nothing when that fails.
std::string referenceStatus(const geEdit *root);

// One row of a key table: keys typed into a new equation, the tree they leave and, when
// given, its conversion (expPicture) or, for "= ..." rows, the calculator line.
struct KeyCase {
    const char *name;
    std::u16string keys;
    std::string picture;
    std::string result = "";
};

class EditorTest : public ::testing::Test {
protected:
    EditorTest() {
        model.setBeepAction([this] { ++beeps; });
        model.setGraphAction([this] { ++graphPresses; });
        model.setConstantLookup([](const QString &name) { return name == "a" ? 10.0 : 0.0; });
        clear();
    }

    // A new equation: one placeholder holding the cursor.
    void clear() { model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression())); }
    // Types each row's keys into a new equation and compares the tree with its picture.
    void runKeyCases(const std::vector<KeyCase> &cases) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.name);
            clear();
            type(c.keys);
            EXPECT_EQ(tree(), c.picture);
            if (c.result.starts_with("= ")) {
                EXPECT_EQ(status(), c.result + "\n");
            } else if (!c.result.empty()) {
                EXPECT_EQ(exp(), c.result);
            }
        }
    }
    // Types keys through the model's text input (each key recalculates).
    void type(const std::u16string &keys);
    // The picture of the current equation, or of a subtree.
    std::string tree() const { return picture(model.equation().get()); }
    // The expression tree of the current equation.
    std::string exp() const;
    std::string status() const { return model.statusText().toStdString(); }
    void expectSound() const { EXPECT_EQ(problemAfterKey(model), "") << tree(); }

    graphEquationEditorModel model;
    int beeps = 0;
    int graphPresses = 0;
};

}  // namespace editorTest
