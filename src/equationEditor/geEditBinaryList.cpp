#include "equationEditor/geEditBinaryList.h"

#include <QtGlobal>

#include <algorithm>

#include "engine/engine.h"
#include "equationEditor/geEditCompare.h"

geEditBinaryList::~geEditBinaryList() {
    for (int i = head_; i >= 0; i = items_[i].next_) grFreeExp(items_[i].expression_);
}

void geEditBinaryList::appendItem(grExp *expression) {
    geEditBinaryListItem item;
    item.expression_ = expression;
    items_.push_back(item);
    const int index = int(items_.size()) - 1;
    if (last_ >= 0)
        items_[last_].next_ = index;
    else
        head_ = index;
    last_ = index;
}

void geEditBinaryList::setLastOperator(int op) {
    if (last_ >= 0) items_[last_].operator_ = op;
}

int geEditBinaryList::length() const {
    int n = 0;
    for (int i = head_; i >= 0; i = items_[i].next_) ++n;
    return n;
}

// At an item whose operator is in the set and which has a successor, the pair becomes one
// item, and the same item is tested again: a - b + c is ((a - b) + c).
void geEditBinaryList::parseOps(const int *ops, int opCount) {
    for (int i = head_; i >= 0;) {
        geEditBinaryListItem &item = items_[i];
        const bool inSet = std::find(ops, ops + opCount, item.operator_) != ops + opCount;
        if (inSet && item.next_ >= 0) {
            geEditBinaryListItem &next = items_[item.next_];
            item.expression_ = grNewBinaryExp(uint8_t(geEngineOperator(item.operator_)),
                                              item.expression_, next.expression_);
            next.expression_ = nullptr;
            item.operator_ = next.operator_;
            if (last_ == item.next_) last_ = i;
            item.next_ = next.next_;
        } else {
            i = item.next_;
        }
    }
}

grExp *geEditBinaryList::parseList() {
    static constexpr int products[] = {grOpMul};
    static constexpr int sums[] = {grOpAdd, grOpSub};
    static constexpr int equals[] = {grOpEquals, geListStrictMark | grOpLessThan,
                                     geListStrictMark | grOpGreaterThan, grOpLessEqual,
                                     grOpGreaterEqual};
    static constexpr int commas[] = {grOpComma};
    parseOps(products, 1);
    parseOps(sums, 2);
    parseOps(equals, 5);
    parseOps(commas, 1);
    if (head_ < 0) return nullptr;
    const int n = length();
    if (n != 1) qWarning("warning: %d entries in binary list after parsing\n", n);
    // The caller owns the head's expression; the destructor releases the entries left over.
    grExp *result = items_[head_].expression_;
    items_[head_].expression_ = nullptr;
    return result;
}
