// The transient list that re-parses a chain of infix operators by precedence.
//
// The chain a + b * c is the items (a, +), (b, *), (c, 0): each item holds an operand's
// expression and the operator joining it to the next item. One pass over an operator set
// joins each matching item with its successor, left to right, so each level is
// left-associative. The items do not own their expressions; whoever takes the list's
// result owns it, and the list releases what is left over.
#pragma once

#include <vector>

struct grExp;

class geEditBinaryListItem {
public:
    int next() const { return next_; }
    int op() const { return operator_; }  // `operator`
    grExp *expression() const { return expression_; }
    void setExpression(grExp *e) { expression_ = e; }

private:
    friend class geEditBinaryList;
    int next_ = -1;  // index of the following item in the list, -1 for none
    int operator_ = 0;
    grExp *expression_ = nullptr;
};

class geEditBinaryList {
public:
    geEditBinaryList() = default;
    ~geEditBinaryList();
    geEditBinaryList(const geEditBinaryList &) = delete;
    geEditBinaryList &operator=(const geEditBinaryList &) = delete;

    void appendItem(grExp *expression);
    void setLastOperator(int op);
    int length() const;
    // One precedence pass over the operators in ops.
    void parseOps(const int *ops, int opCount);
    // The four passes, tightest first: products; sums and differences; "="; ",". Answers
    // the head's expression, which the caller then owns. "<" and ">" belong to no level, so
    // a chain holding them keeps several entries: a warning is logged and only the first
    // entry is answered.
    grExp *parseList();

private:
    std::vector<geEditBinaryListItem> items_;
    int head_ = -1;
    int last_ = -1;
};
