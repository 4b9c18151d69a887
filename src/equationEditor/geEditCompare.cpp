#include "equationEditor/geEditCompare.h"

#include "engine/engine.h"

geEditPtr geMakeComparisonNode(char16_t key, geEditPtr left, geEditPtr right) {
    if (key == u'<')
        return geEditCompareLess::compareLessWithLeft(std::move(left), std::move(right));
    if (key == u'>')
        return geEditCompareGreater::compareGreaterWithLeft(std::move(left), std::move(right));
    return nullptr;
}

#define GE_DEFINE_COMPARE(Class, factory, glyph, text, code, equality) \
    Class::Class() : geEditCompare(glyph, text, code) {}               \
    geEditPtr Class::factory(geEditPtr l, geEditPtr r) {               \
        auto n = std::make_shared<Class>();                            \
        n->setChildren(std::move(l), std::move(r));                    \
        return n;                                                      \
    }                                                                  \
    geEditPtr Class::copy() const {                                    \
        return factory(copyOf(leftExp()), copyOf(rightExp()));         \
    }                                                                  \
    geEditPtr Class::withEquality() const {                            \
        return equality;                                               \
    }

GE_DEFINE_COMPARE(geEditCompareLess, compareLessWithLeft, u"<", "<",
                  geListStrictMark | grOpLessThan,
                  geEditCompareLessEqual::compareLessEqualWithLeft(leftExp(), rightExp()))
GE_DEFINE_COMPARE(geEditCompareGreater, compareGreaterWithLeft, u">", ">",
                  geListStrictMark | grOpGreaterThan,
                  geEditCompareGreaterEqual::compareGreaterEqualWithLeft(leftExp(), rightExp()))
GE_DEFINE_COMPARE(geEditCompareLessEqual, compareLessEqualWithLeft, u"\u2264", "<=", grOpLessEqual,
                  nullptr)
GE_DEFINE_COMPARE(geEditCompareGreaterEqual, compareGreaterEqualWithLeft, u"\u2265",
                  ">=", grOpGreaterEqual, nullptr)

#undef GE_DEFINE_COMPARE
