// The editor node tree: the base class geEdit, its child slot geEditContainer and the
// delegate that nodes ask for function names and user constants.
//
// Invariants every node keeps:
// - A child slot is a geEditContainer; it owns its node through a shared_ptr. For every node
//   N held in a slot of P, N.parent() is P; the tree never holds the same node twice.
// - parent and delegate are plain back pointers. Putting a node into a slot sets its parent,
//   and setParent copies the parent's delegate, which binary and unary nodes pass to their
//   children, so the root's delegate reaches every node. Every subtree thus shares one
//   delegate, and setDelegate stops at a node that already has the one it is given.
// - A plain geEdit (kind Edit) is the root of one equation: it holds the top node in
//   mainExpression and answers the tree queries for it. Every other node leaves
//   mainExpression empty.
// - Operations that move the cursor or change the tree answer the node that holds the
//   cursor afterwards. A node that hands the cursor on clears its own hasCursor flag; the
//   node that takes it sets its own (the editor model sets it as well).
// - Structural edits go through the parent's replaceExpression, so parent links and the
//   cached implicit-product texts stay current. A method that may take itself out of the
//   tree keeps a shared_ptr to itself until it returns.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/archive/slCoding.h"

struct grExp;
class geBezierPath;
class geFont;

class geEdit;
using geEditPtr = std::shared_ptr<geEdit>;

// Key codes the nodes treat specially besides text characters.
inline constexpr char16_t geKeyLeftArrow = 0xF702;
inline constexpr char16_t geKeyRightArrow = 0xF703;
inline constexpr char16_t gePiChar = 0x03C0;
inline constexpr char16_t geThetaChar = 0x03B8;
inline constexpr char16_t geBulletChar = 0x2022;

// Character classes of the key rules: letters are Unicode letters (pi included).
bool geIsLetter(char16_t c);
bool geIsDigit(char16_t c);
// Whether the equation whose top node this is starts "r =": that r is the polar radius of
// r = f(θ), not a user constant.
bool geStartsWithRadius(const geEdit *top);
inline bool geIsArrow(char16_t c) {
    return c == geKeyLeftArrow || c == geKeyRightArrow;
}

// What the nodes ask the editor that shows them.
class geEditDelegate {
public:
    virtual ~geEditDelegate() = default;
    // Whether typed letters spell one of the function names the editor recognises.
    virtual bool stringInFunctionArray(const QString &name) const = 0;
    // The value of a letter that is neither a variable nor e nor pi.
    virtual double constantForString(const QString &name) const = 0;
    // The system beep for a refused key.
    virtual void beep() {}
};

// The exact class of a node, for the "exactly a geEditX" tests of the rules.
enum class geEditKind {
    Edit,  // the plain root
    Empty,
    Num,
    Var,
    Div,
    Pow,
    Root,
    Add,
    Sub,
    Mul,
    Comma,
    Equals,
    GreaterThan,
    LessThan,
    Compare,  // the comparisons of geEditCompare.h
    Parens,
    Func,
    Negative,
};

inline bool geIsBasicBinaryOp(geEditKind k) {
    return k >= geEditKind::Add && k <= geEditKind::Compare;
}
inline bool geIsBinaryOp(geEditKind k) {
    return k >= geEditKind::Div && k <= geEditKind::Compare;
}
inline bool geIsUnaryOp(geEditKind k) {
    return k >= geEditKind::Parens;
}

// One child slot. Putting in the node it already holds changes nothing.
class geEditContainer {
public:
    const geEditPtr &expression() const { return expression_; }
    void setExpression(geEditPtr node) {
        if (node != expression_) expression_ = std::move(node);
    }

private:
    geEditPtr expression_;
};

class geEdit : public slCoding, public std::enable_shared_from_this<geEdit> {
public:
    geEdit() = default;
    virtual ~geEdit() = default;
    geEdit(const geEdit &) = delete;
    geEdit &operator=(const geEdit &) = delete;

    // The root of an equation holding top (initWithExpression: of the plain class).
    static geEditPtr rootWithExpression(geEditPtr top);

    virtual geEditKind kind() const { return geEditKind::Edit; }
    virtual const char *className() const { return "geEdit"; }
    // Archived under the class name; the records are in geEditArchive.cpp.
    const char *archiveClassName() const override { return className(); }
    void encodeWithCoder(slArchiver &coder) const override;
    bool isKind(geEditKind k) const { return kind() == k; }
    bool isRoot() const { return kind() == geEditKind::Edit; }

    // Links.
    geEdit *parent() const { return parent_; }
    void setParent(geEdit *parent);
    geEditDelegate *delegate() const { return delegate_; }
    virtual void setDelegate(geEditDelegate *delegate);

    // Cursor and selection state.
    bool hasCursor() const { return hasCursor_; }
    void setHasCursor(bool flag) { hasCursor_ = flag; }
    // Takes the cursor and answers this node.
    geEditPtr holdCursor();
    bool isSelected() const { return isSelected_; }
    virtual void setIsSelected(bool flag);
    int cursorPosition() const { return cursorPosition_; }
    void setCursorPosition(int position) { cursorPosition_ = position; }
    int startSelection() const { return startSelection_; }
    int endSelection() const { return endSelection_; }
    // Where the centre line lies in the last laid-out box: at height box height / 2 -
    // centerOffset above its bottom. Neighbours are lined up on their centre lines.
    double centerOffset() const { return centerOffset_; }

    // The root's slot for the top node; a unary node answers its child slot instead.
    virtual geEditContainer &expression() { return mainExpression_; }
    geEditContainer &mainExpression() { return mainExpression_; }
    const geEditPtr &top() const { return mainExpression_.expression(); }

    // Tree queries (the root answers for its top node).
    virtual bool isTerminal() const;
    virtual bool acceptsPower() const;
    virtual bool containsEmpty() const;
    virtual bool containsVariable() const;
    virtual geEditPtr leftMostExpression();
    virtual geEditPtr rightMostExpression();
    // The number of nodes on the longest path down from this node (a leaf is 1).
    virtual int height() const { return top() ? 1 + top()->height() : 1; }

    // A deep copy of the same classes, without cursor, selection or delegate.
    virtual geEditPtr copy() const;

    // Conversion to an expression tree the caller owns (null for a placeholder) and to text.
    virtual grExp *makeExp() const;
    virtual QString string() const;

    // The calculator's value of the subtree, without building an expression tree: the
    // engine's own operations on one-level nodes over the same structure that makeExp
    // builds, so the value is the one grEvalExp gives for makeExp's tree. Blocked when the
    // subtree holds a placeholder, a variable or anything makeExp converts to null.
    struct Calculation {
        enum State { Value, Failed, Blocked } state;
        double value;
    };
    virtual Calculation calculateValue() const;

    // Implicit products: the letters of a product chain, and their rewriting into a
    // function, a square root or pi.
    virtual std::optional<QString> mulString() const { return mulString_; }
    virtual void makeMulString() { mulString_.reset(); }
    virtual geEditPtr mulExpression() { return nullptr; }
    virtual bool replaceStringWithFunction(const QStringList &functions, geEditPtr &newExpression);

    // Layout (the *Layout.cpp files): lays the subtree out into a new tree of paths that
    // carry their nodes, and sets centerOffset and the child boxes on the way. cursor draws
    // the caret of the node holding the cursor; selection draws highlights. The root
    // answers its top node's path (null without one); every other node answers a path
    // whose box starts at the origin.
    virtual std::unique_ptr<geBezierPath> renderWithFont(const geFont &font, bool cursor,
                                                         bool selection);

    // Cursor movement.
    virtual geEditPtr cursorEnterFromLeft();
    virtual geEditPtr cursorEnterFromRight();
    virtual geEditPtr moveCursorToLeftOfExpression(geEdit *child);
    virtual geEditPtr moveCursorToRightOfExpression(geEdit *child);
    virtual geEditPtr expForClick() { return shared_from_this(); }
    geEditPtr commonAncestorOf(geEdit *other);
    virtual geEditPtr expToRightOf(geEdit *child);
    virtual geEditPtr expToLeftOf(geEdit *child);

    // Keys and structural edits. deleteNode is the node's Backspace (`delete`).
    virtual geEditPtr keyDown(char16_t key);
    geEditPtr keyDownWithCursor(char16_t key);
    virtual bool handlesKeyDownForChild(geEdit *child, char16_t letter);
    virtual geEditPtr replaceExpression(geEdit *old, geEditPtr replacement);
    virtual geEditPtr deleteExpression(geEdit *child);
    virtual geEditPtr deleteNode();

protected:
    // Puts child into slot with this node as its parent (no further bookkeeping).
    void adopt(geEditContainer &slot, geEditPtr child);
    // Puts replacement where this node stands in parent. Read parent before building a
    // replacement that adopts this node, since adopting changes parent_. A function whose
    // argument is replaced may rebuild around the new node and hand the cursor on; that
    // cursor is withdrawn here because the caller decides where the cursor goes next.
    void replaceInParent(geEdit *parent, const geEditPtr &replacement);
    // Clears the flag and lets the parent place the cursor left or right of this node.
    geEditPtr leaveLeft();
    geEditPtr leaveRight();
    // Hands a key to the parent that takes it for this child. A parent that changes
    // nothing answers itself without holding the cursor; then the cursor stays where it
    // was, since a key that no rule accepts keeps the current responder.
    geEditPtr passKeyToParent(char16_t key);
    // The key rule shared by nodes that treat the cursor as standing just after themselves.
    geEditPtr trailingKeyDown(char16_t key);
    // The Backspace rule of nodes without one of their own: a new placeholder takes the
    // node's place and the cursor.
    geEditPtr baseDelete();
    // Copies of the base fields for copy().
    static geEditPtr copyOf(const geEditPtr &node) { return node ? node->copy() : nullptr; }

    geEdit *parent_ = nullptr;
    bool hasCursor_ = false;
    bool isSelected_ = false;
    int cursorPosition_ = 0;
    int startSelection_ = 0;
    int endSelection_ = 0;
    geEditContainer mainExpression_;
    double centerOffset_ = 0.0;
    geEditDelegate *delegate_ = nullptr;
    std::optional<QString> mulString_;
};

// The variable letters k, s, t, x, y, z in either case (e and pi are constants).
bool geIsVariableLetter(QChar c);
// The letters that are never a user constant: the variable letters, e in either case and
// pi. The constants table refuses them as names; the command line never asks for a value.
bool geIsReservedLetter(QChar c);
