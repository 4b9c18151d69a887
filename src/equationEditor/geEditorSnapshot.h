// What undo brings back of an equation: a copy of its tree, where the caret stood (the
// node, its character position, its cursor mark) and what was selected (the node and, in
// a number, the character range). Nodes are found again by their child indices from the
// root, so a snapshot holds no node of the live tree except the root it belongs to.
#pragma once

#include <optional>
#include <vector>

#include "equationEditor/geEdit.h"

class graphEquationEditorModel;

class geEditorSnapshot {
public:
    // The state of the equation model shows now (a copy of its tree is made).
    static geEditorSnapshot capture(const graphEquationEditorModel &model);
    // The same tree copy with the caret and selection model shows now.
    geEditorSnapshot withMarksOf(const graphEquationEditorModel &model) const;

    const geEditPtr &root() const { return root_; }
    // Puts a copy of the tree into the root (the same root object, which its entry owns)
    // and restores caret and selection. model must show the root.
    void restore(graphEquationEditorModel &model) const;

    // Same node classes, texts and shape.
    static bool sameTree(const geEdit *a, const geEdit *b);
    bool sameTreeAs(const geEditorSnapshot &other) const {
        return sameTree(top_.get(), other.top_.get());
    }
    bool operator==(const geEditorSnapshot &other) const;

    // The child nodes in index order: the top node of a root, left and right, a unary
    // node's operand.
    struct Children {
        geEdit *node[2] = {nullptr, nullptr};
        int count = 0;
        geEdit *const *begin() const { return node; }
        geEdit *const *end() const { return node + count; }
    };
    static Children children(const geEdit *node);

private:
    struct Mark {
        std::vector<int> path;  // child indices from the root
        bool hasCursor = false;
        bool isSelected = false;
        int cursorPosition = 0;
        int startSelection = 0;
        int endSelection = 0;
        bool operator==(const Mark &) const = default;
    };
    static std::optional<Mark> markOf(const geEditPtr &root, const geEdit *node);
    static geEditPtr resolve(const geEditPtr &root, const Mark &mark);
    static void apply(const geEditPtr &node, const Mark &mark);

    geEditPtr root_;
    geEditPtr top_;  // the copy, never shown
    std::optional<Mark> responder_;
    std::optional<Mark> selection_;
};
