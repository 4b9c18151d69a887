// Comparisons typed with "<" and ">" (and "<=", ">=" by a following "="), at the level of
// "=" in their chain: y < x^2 converts to LessThan(y, x^2). They are archived under class
// names of their own, so the older geEditLessThan and geEditGreaterThan nodes keep their
// meaning in existing files.
#pragma once

#include "equationEditor/geEditBinaryOp.h"

// The operator codes of comparisons in a binary list: the engine's relation code, marked
// for strict comparisons so that they join their sides where the older nodes, carrying
// the plain code, join nothing.
inline constexpr int geListStrictMark = 0x100;
inline int geEngineOperator(int listOperator) {
    return listOperator & 0xFF;
}

class geEditCompare : public geEditBasicBinaryOp {
public:
    geEditKind kind() const override { return geEditKind::Compare; }
    QString textSign() const override { return QString::fromLatin1(text_); }
    // The non-strict comparison of the same direction, for a strict one.
    virtual geEditPtr withEquality() const { return nullptr; }
    bool isStrict() const { return (operator_ & geListStrictMark) != 0; }

protected:
    geEditCompare(const char16_t *glyph, const char *text, int op)
        : geEditBasicBinaryOp(glyph, op), text_(text) {}

private:
    const char *text_;  // the text form's sign: "<", "<=", ...
};

// Builds the comparison for the key "<" or ">" (null for others).
geEditPtr geMakeComparisonNode(char16_t key, geEditPtr left, geEditPtr right);

#define GE_DECLARE_COMPARE(Class, factory)                         \
    class Class : public geEditCompare {                           \
    public:                                                        \
        Class();                                                   \
        static geEditPtr factory(geEditPtr left, geEditPtr right); \
        const char *className() const override { return #Class; }  \
        geEditPtr copy() const override;                           \
        geEditPtr withEquality() const override;                   \
    };

GE_DECLARE_COMPARE(geEditCompareLess, compareLessWithLeft)
GE_DECLARE_COMPARE(geEditCompareGreater, compareGreaterWithLeft)
GE_DECLARE_COMPARE(geEditCompareLessEqual, compareLessEqualWithLeft)
GE_DECLARE_COMPARE(geEditCompareGreaterEqual, compareGreaterEqualWithLeft)

#undef GE_DECLARE_COMPARE
