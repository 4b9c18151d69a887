// Nodes with one child slot: parentheses, named functions and unary minus.
#pragma once

#include <QPointF>
#include <QRectF>

#include "equationEditor/geEdit.h"

class geEditUnaryOp : public geEdit {
public:
    geEditContainer &expression() override { return expression_; }
    const geEditPtr &child() const { return expression_.expression(); }
    // Puts node into the child slot (initWithExpression:).
    void setChild(geEditPtr node);

    void setDelegate(geEditDelegate *delegate) override;
    bool isTerminal() const override { return false; }
    bool acceptsPower() const override { return true; }
    bool containsEmpty() const override;
    bool containsVariable() const override;
    geEditPtr leftMostExpression() override { return shared_from_this(); }
    geEditPtr rightMostExpression() override { return shared_from_this(); }
    int height() const override { return child() ? 1 + child()->height() : 1; }

    geEditPtr replaceExpression(geEdit *old, geEditPtr replacement) override;
    geEditPtr deleteExpression(geEdit *child) override;
    geEditPtr deleteNode() override { return baseDelete(); }

    // The child's box as last measured by layout.
    QRectF expressionBounds() const { return expressionBounds_; }

protected:
    geEditContainer expression_;
    QRectF expressionBounds_;
};

// Parentheses around the child: "(|x)" is cursorPosition 0, "(x)|" is 2.
class geEditParens : public geEditUnaryOp {
public:
    static geEditPtr parensWithExpression(geEditPtr node);
    geEditKind kind() const override { return geEditKind::Parens; }
    const char *className() const override { return "geEditParens"; }
    geEditPtr copy() const override;

    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;

    geEditPtr cursorEnterFromLeft() override;
    geEditPtr cursorEnterFromRight() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;

    geEditPtr keyDown(char16_t key) override;
    geEditPtr deleteNode() override;

    // "(" and ")" stretched over the child.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;

private:
    geEditPtr keyDownBeforeExpression(char16_t key);
};

// A named function of its argument: "|sin(x)" is cursorPosition 0, "sin|(x)" is 1.
class geEditFunc : public geEditUnaryOp {
public:
    // A function with the given name and a new empty placeholder as its argument.
    static geEditPtr funcWithString(const QString &name);
    // initWithExpression:withFunction:
    static geEditPtr funcWithExpression(geEditPtr argument, const QString &name);

    // The conversion's name table: the unary node of the named function over argument
    // (which it takes over), or null for an unknown name (argument is then released).
    static grExp *makeExpForString(const QString &name, grExp *argument);
    static bool recognizesFunction(const QString &name);

    geEditKind kind() const override { return geEditKind::Func; }
    const char *className() const override { return "geEditFunc"; }
    // The function name as typed (the node's `string` field).
    const QString &text() const { return name_; }
    geEditPtr copy() const override;

    geEditPtr rightMostExpression() override;
    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;

    geEditPtr cursorEnterFromLeft() override;
    geEditPtr cursorEnterFromRight() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;

    geEditPtr keyDown(char16_t key) override;
    bool handlesKeyDownForChild(geEdit *child, char16_t letter) override;
    geEditPtr replaceExpression(geEdit *old, geEditPtr replacement) override;
    geEditPtr deleteNode() override;

    // The name in italic, then the argument; brackets come from a parenthesised argument.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
    QPointF offset() const { return offset_; }
    QRectF bounds() const { return bounds_; }

private:
    QString name_;
    int code_ = -1;  // the engine's function code of name_, -1 when unknown
    QPointF offset_;
    QRectF bounds_;
};

// Unary minus of the child; the cursor it holds stands after the minus sign ("-|x").
class geEditNegative : public geEditUnaryOp {
public:
    static geEditPtr negativeWithExpression(geEditPtr node);
    geEditKind kind() const override { return geEditKind::Negative; }
    const char *className() const override { return "geEditNegative"; }
    geEditPtr copy() const override;

    grExp *makeExp() const override;
    Calculation calculateValue() const override;
    QString string() const override;

    geEditPtr cursorEnterFromLeft() override { return holdCursor(); }
    geEditPtr cursorEnterFromRight() override;
    geEditPtr moveCursorToLeftOfExpression(geEdit *child) override;
    geEditPtr moveCursorToRightOfExpression(geEdit *child) override;

    geEditPtr keyDown(char16_t key) override;
    bool handlesKeyDownForChild(geEdit *child, char16_t letter) override;
    geEditPtr deleteNode() override;

    // A bar 7 long and 1 thick on the operand's centre line.
    std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                 bool selection) override;
};
