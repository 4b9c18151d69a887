// Nodes with a left and a right child slot: the templates (fraction, power, root) and the
// infix operators, whose chains are re-parsed by precedence on conversion.
#pragma once

#include <QRectF>
#include <utility>
#include <vector>

#include "equationEditor/geEdit.h"

class geEditBinaryList;

class geEditBinaryOp : public geEdit {
public:
    geEditContainer &left() { return left_; }
    geEditContainer &right() { return right_; }
    const geEditPtr &leftExp() const { return left_.expression(); }
    const geEditPtr &rightExp() const { return right_.expression(); }
    // Puts the two nodes into the slots (initWithLeft:right:).
    void setChildren(geEditPtr left, geEditPtr right);

    void setDelegate(geEditDelegate *delegate) override;
    bool isTerminal() const override { return false; }
    bool acceptsPower() const override { return true; }
    bool containsEmpty() const override;
    bool containsVariable() const override;
    geEditPtr leftMostExpression() override { return shared_from_this(); }
    geEditPtr rightMostExpression() override { return shared_from_this(); }
    int height() const override;

    geEditPtr replaceExpression(geEdit *old, geEditPtr replacement) override;
    geEditPtr deleteExpression(geEdit *child) override;
    geEditPtr deleteNode() override { return baseDelete(); }

    // The children's boxes as last measured by layout, in this node's coordinates before
    // its final recentre.
    QRectF leftBounds() const { return leftBounds_; }
    QRectF rightBounds() const { return rightBounds_; }

protected:
    // A new node of the same class holding copies of both children.
    template <class T>
    static geEditPtr copyBinary(const geEditBinaryOp &from);

    geEditContainer left_;
    geEditContainer right_;
    QRectF leftBounds_;
    QRectF rightBounds_;
};

// Fraction, power and root: the cursor stands after the whole node.
class geEditTemplateOp : public geEditBinaryOp {
public:
    geEditPtr cursorEnterFromRight() override { return holdCursor(); }
    geEditPtr keyDown(char16_t key) override;
};

// A fraction: left over right.
class geEditDiv : public geEditTemplateOp {
public:
    static geEditPtr divWithLeft(geEditPtr left, geEditPtr right);
    geEditKind kind() const override { return geEditKind::Div; }
    const char *className() const override { return "geEditDiv"; }
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    bool acceptsPower() const override { return false; }
    geEditPtr copy() const override;
    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;
    geEditPtr cursorEnterFromLeft() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;
};

// A power: left is the base, right the exponent.
class geEditPow : public geEditTemplateOp {
public:
    static geEditPtr powWithLeft(geEditPtr left, geEditPtr right);
    geEditKind kind() const override { return geEditKind::Pow; }
    const char *className() const override { return "geEditPow"; }
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    bool acceptsPower() const override { return false; }
    geEditPtr copy() const override;
    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;
    geEditPtr cursorEnterFromLeft() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;
};

// A root: left is the index, right the radicand.
class geEditRoot : public geEditTemplateOp {
public:
    static geEditPtr rootWithLeft(geEditPtr left, geEditPtr right);
    geEditKind kind() const override { return geEditKind::Root; }
    const char *className() const override { return "geEditRoot"; }
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    geEditPtr copy() const override;
    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;
    geEditPtr cursorEnterFromLeft() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;
};

// An infix operator written between its operands. The cursor it holds stands just after
// its sign, before the right operand ("a+|b", cursorPosition 1).
class geEditBasicBinaryOp : public geEditBinaryOp {
public:
    const QString &glyphString() const { return glyphString_; }
    // The sign in the text form: the glyph, or an ASCII spelling of it.
    virtual QString textSign() const { return glyphString_; }
    int op() const { return operator_; }  // `operator`, the engine's binary operator code

    geEditPtr leftMostExpression() override;
    geEditPtr rightMostExpression() override;

    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;
    // Appends this node's flattened operator chain to list.
    void buildBinaryList(geEditBinaryList &list) const;
    // The same chain with each operand's calculated value and the operator after it.
    void buildCalculationList(std::vector<std::pair<Calculation, int>> &list) const;

    geEditPtr cursorEnterFromLeft() override;
    geEditPtr cursorEnterFromRight() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;

    geEditPtr keyDown(char16_t key) override;
    geEditPtr deleteNode() override;

    // The operator glyph at 0.7 between the operands, lined up on their centre lines.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;

protected:
    geEditBasicBinaryOp(const char16_t *glyph, int op)
        : glyphString_(QString::fromUtf16(glyph)), operator_(op) {}
    // The infix layout; a comma is drawn at full size with the caret over the line height.
    std::unique_ptr<geBezierPath> renderInfix(const geFont &font, bool cursor, bool selection,
                                              bool comma);

    QString glyphString_;
    int operator_;
};

// Whether the node is an operator chain with a comma among its operators: a list, which the
// text form brackets once more as a function's argument or a square root's radicand.
bool geHoldsCommaInChain(const geEdit *node);

// Builds Op(left, right) for one of the operator keys "+ - * / ^ , =" (null for others).
geEditPtr geMakeOperatorNode(char16_t key, geEditPtr left, geEditPtr right);

#define GE_DECLARE_INFIX(Class, factory)                           \
    class Class : public geEditBasicBinaryOp {                     \
    public:                                                        \
        Class();                                                   \
        static geEditPtr factory(geEditPtr left, geEditPtr right); \
        geEditKind kind() const override;                          \
        const char *className() const override { return #Class; }  \
        geEditPtr copy() const override;                           \
    };

GE_DECLARE_INFIX(geEditAdd, addWithLeft)
GE_DECLARE_INFIX(geEditSub, subWithLeft)
GE_DECLARE_INFIX(geEditEquals, equalsWithLeft)
GE_DECLARE_INFIX(geEditGreaterThan, greaterThanWithLeft)
GE_DECLARE_INFIX(geEditLessThan, lessThanWithLeft)

#undef GE_DECLARE_INFIX

class geEditComma : public geEditBasicBinaryOp {
public:
    geEditComma();
    static geEditPtr commaWithLeft(geEditPtr left, geEditPtr right);
    geEditKind kind() const override;
    const char *className() const override { return "geEditComma"; }
    geEditPtr copy() const override;
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
};

// A product, implicit (letters typed one after another, "2x") or explicit ("2•3"). Its dot
// shows only between two numbers; otherwise the boundary of its operands is a single
// cursor stop, the end of the left operand.
class geEditMul : public geEditBasicBinaryOp {
public:
    geEditMul();
    static geEditPtr mulWithLeft(geEditPtr left, geEditPtr right);
    geEditKind kind() const override { return geEditKind::Mul; }
    const char *className() const override { return "geEditMul"; }
    geEditPtr copy() const override;

    // The rightmost node of the left operand and the leftmost of the right are numbers.
    bool showsDot();

    QString string() const override;
    void makeMulString() override;
    geEditPtr mulExpression() override;
    bool replaceStringWithFunction(const QStringList &functions, geEditPtr &newExpression) override;

    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;
    geEditPtr expForClick() override;
    geEditPtr expToRightOf(geEdit *child) override;
    geEditPtr expToLeftOf(geEdit *child) override;

    geEditPtr keyDown(char16_t key) override;
    bool handlesKeyDownForChild(geEdit *child, char16_t letter) override;
    geEditPtr deleteNode() override;

    // With the dot between numbers and placeholders, else by juxtaposition.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;

private:
    std::optional<QString> negatedMulString() const;
};
