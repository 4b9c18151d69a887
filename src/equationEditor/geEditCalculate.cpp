// The calculator's evaluation of an editor tree. The calculator line runs after every key,
// and converting the whole tree for it would allocate two engine records per node each
// time. Instead each node evaluates its children and applies the engine's own operation to
// their values through one-level nodes on the stack. The engine's evaluation of a node
// depends only on its children's values, so the value equals grEvalExp of makeExp's tree;
// an expression that holds a placeholder, a variable, an unknown function, a relation or a
// comma is Blocked, where the calculator shows nothing: an equation is no calculation.
#include <QtGlobal>

#include "engine/engine.h"
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

namespace {

using Calculation = geEdit::Calculation;

Calculation calculationOf(const geEditPtr &node) {
    return node ? node->calculateValue() : Calculation{Calculation::Blocked, 0.0};
}

Calculation evaluated(grExp *node) {
    grVariables variables{};
    double result = 0.0;
    if (grEvalExp(&variables, node, &result) != 0) return {Calculation::Failed, 0.0};
    return {Calculation::Value, result};
}

// A placeholder anywhere blocks the whole; otherwise a failure anywhere fails it.
Calculation binary(uint8_t op, Calculation l, Calculation r) {
    if (l.state == Calculation::Blocked || r.state == Calculation::Blocked)
        return {Calculation::Blocked, 0.0};
    if (l.state == Calculation::Failed || r.state == Calculation::Failed)
        return {Calculation::Failed, 0.0};
    grExp left{grExpNumber, &l.value};
    grExp right{grExpNumber, &r.value};
    grBinaryExp payload{op, &left, &right};
    grExp node{grExpBinary, &payload};
    return evaluated(&node);
}

Calculation unary(uint8_t fn, Calculation a) {
    if (a.state != Calculation::Value) return a;
    grExp operand{grExpNumber, &a.value};
    grUnaryExp payload{fn, &operand};
    grExp node{grExpUnary, &payload};
    return evaluated(&node);
}

}  // namespace

Calculation geEdit::calculateValue() const {
    return calculationOf(top());
}

Calculation geEditVar::calculateValue() const {
    if (containsVariable()) return {Calculation::Blocked, 0.0};
    const char16_t c = text_.isEmpty() ? char16_t(0) : text_.at(0).unicode();
    if (c == u'e' || c == u'E') {
        uint8_t code = grConstE;
        grExp node{grExpConstant, &code};
        return evaluated(&node);
    }
    if (c == gePiChar) return {Calculation::Value, grPiValue};
    return {Calculation::Value, delegate_ ? delegate_->constantForString(text_) : 0.0};
}

Calculation geEditDiv::calculateValue() const {
    const Calculation l = calculationOf(leftExp());
    return binary(grOpDiv, l, calculationOf(rightExp()));
}

Calculation geEditPow::calculateValue() const {
    const Calculation l = calculationOf(leftExp());
    return binary(grOpPow, l, calculationOf(rightExp()));
}

// The engine's root takes the radicand first, then the index.
Calculation geEditRoot::calculateValue() const {
    const Calculation index = calculationOf(leftExp());
    return binary(grOpRoot, calculationOf(rightExp()), index);
}

Calculation geEditParens::calculateValue() const {
    return calculationOf(child());
}

Calculation geEditNegative::calculateValue() const {
    return unary(grFnNegate, calculationOf(child()));
}

Calculation geEditFunc::calculateValue() const {
    const Calculation a = calculationOf(child());
    if (code_ < 0) return {Calculation::Blocked, 0.0};
    return unary(uint8_t(code_), a);
}

void geEditBasicBinaryOp::buildCalculationList(
    std::vector<std::pair<Calculation, int>> &list) const {
    const auto &l = leftExp();
    if (l && geIsBasicBinaryOp(l->kind()))
        static_cast<const geEditBasicBinaryOp &>(*l).buildCalculationList(list);
    else
        list.emplace_back(calculationOf(l), 0);
    // A comparison joins its sides where "=" does, and has no value either.
    list.back().second = kind() == geEditKind::Compare ? int(grOpEquals) : operator_;
    const auto &r = rightExp();
    if (r && geIsBasicBinaryOp(r->kind()))
        static_cast<const geEditBasicBinaryOp &>(*r).buildCalculationList(list);
    else
        list.emplace_back(calculationOf(r), 0);
}

// The chain parse of makeExp on values: four left-to-right passes, tightest first, each
// joining an entry to the one before it when that one's operator is in the pass's set.
Calculation geEditBasicBinaryOp::calculateValue() const {
    std::vector<std::pair<Calculation, int>> list;
    buildCalculationList(list);
    for (const auto &entry : list) {
        if (entry.first.state == Calculation::Blocked) return entry.first;
        if (entry.second != grOpAdd && entry.second != grOpSub && entry.second != grOpMul &&
            entry.second != 0)
            return {Calculation::Blocked, 0.0};
    }
    static constexpr int passes[4][2] = {
        {grOpMul, grOpMul}, {grOpAdd, grOpSub}, {grOpEquals, grOpEquals}, {grOpComma, grOpComma}};
    for (const auto &pass : passes) {
        size_t out = 0;
        for (size_t i = 1; i < list.size(); ++i) {
            auto &previous = list[out];
            if (previous.second == pass[0] || previous.second == pass[1]) {
                previous.first = binary(uint8_t(previous.second), previous.first, list[i].first);
                previous.second = list[i].second;
            } else {
                list[++out] = list[i];
            }
        }
        list.resize(out + 1);
    }
    if (list.size() != 1)
        qWarning("warning: %d entries in binary list after parsing\n", int(list.size()));
    return list.front().first;
}
