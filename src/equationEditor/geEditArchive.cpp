#include "equationEditor/geEditArchive.h"

#include <string>

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditCompare.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/graphEquationEditorModel.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

// Writes the records of the node's class chain, base class first.
void geEdit::encodeWithCoder(slArchiver &coder) const {
    coder.encodeObject(mainExpression_.expression());
    const geEditKind k = kind();
    if (geIsBinaryOp(k)) {
        const auto &op = static_cast<const geEditBinaryOp &>(*this);
        coder.encodeObject(op.rightExp());
        coder.encodeObject(op.leftExp());
    } else if (geIsUnaryOp(k)) {
        const auto &op = static_cast<const geEditUnaryOp &>(*this);
        coder.encodeObject(op.child());
        if (k == geEditKind::Func) {
            coder.encodeString(static_cast<const geEditFunc &>(*this).text(), kNSMutableString);
        }
    } else if (k == geEditKind::Num) {
        coder.encodeString(static_cast<const geEditNum &>(*this).text(), kNSMutableString);
    } else if (k == geEditKind::Var) {
        coder.encodeString(static_cast<const geEditVar &>(*this).text(), kNSString);
    }
}

namespace {

// The geEdit record of a node other than the root: nil.
void readNodeBase(slUnarchiver &coder) {
    const size_t start = coder.offset();
    if (coder.decodeObjectOfClass("geEdit", true)) {
        throw slTypedStream::slArchiveError("only an equation's root holds a top node", start);
    }
}

geEditPtr readChild(slUnarchiver &coder) {
    const size_t start = coder.offset();
    auto child = coder.decodeObjectOfClass<geEdit>("geEdit", false);
    if (!child || child->isRoot()) {
        throw slTypedStream::slArchiveError("an equation's root inside another node", start);
    }
    return child;
}

QString readText(slUnarchiver &coder, bool (*valid)(const QString &), const char *what) {
    const size_t start = coder.offset();
    const QString text = coder.decodeString(false);
    if (!valid(text)) throw slTypedStream::slArchiveError(std::string("invalid ") + what, start);
    return text;
}

bool isNumberText(const QString &text) {
    if (text.isEmpty() || text.count(u'.') > 1) return false;
    for (QChar c : text) {
        if (c != u'.' && !geIsDigit(c.unicode())) return false;
    }
    return true;
}

bool isVariableText(const QString &text) {
    return text.size() == 1 && geIsLetter(text[0].unicode());
}

bool isFunctionName(const QString &text) {
    if (text.isEmpty()) return false;
    for (QChar c : text) {
        if (!geIsLetter(c.unicode())) return false;
    }
    return true;
}

std::shared_ptr<slCoding> decodeRoot(slUnarchiver &coder) {
    const size_t start = coder.offset();
    geEditPtr root = geEdit::rootWithExpression(readChild(coder));
    if (root->height() > geMaxTreeHeight) {
        throw slTypedStream::slArchiveError(
            "equation nested deeper than " + std::to_string(geMaxTreeHeight) + " levels", start);
    }
    return root;
}

std::shared_ptr<slCoding> decodeEmpty(slUnarchiver &coder) {
    readNodeBase(coder);
    return geEditEmpty::emptyExpression();
}

std::shared_ptr<slCoding> decodeNum(slUnarchiver &coder) {
    readNodeBase(coder);
    geEditPtr number = geEditNum::numWithString(readText(coder, isNumberText, "number"));
    number->setCursorPosition(0);
    return number;
}

std::shared_ptr<slCoding> decodeVar(slUnarchiver &coder) {
    readNodeBase(coder);
    return geEditVar::varWithString(readText(coder, isVariableText, "variable"));
}

std::shared_ptr<slCoding> decodeFunc(slUnarchiver &coder) {
    readNodeBase(coder);
    geEditPtr argument = readChild(coder);
    return geEditFunc::funcWithExpression(argument,
                                          readText(coder, isFunctionName, "function name"));
}

template <geEditPtr (*factory)(geEditPtr)>
std::shared_ptr<slCoding> decodeUnary(slUnarchiver &coder) {
    readNodeBase(coder);
    return factory(readChild(coder));
}

// The right child comes first in the record.
template <geEditPtr (*factory)(geEditPtr, geEditPtr)>
std::shared_ptr<slCoding> decodeBinary(slUnarchiver &coder) {
    readNodeBase(coder);
    geEditPtr right = readChild(coder);
    geEditPtr left = readChild(coder);
    return factory(left, right);
}

}  // namespace

void geEditRegisterArchiveClasses(slArchiveRegistry &registry) {
    const std::string base = "geEdit";
    registry.registerClass({"geEdit", 0, kNSObject, decodeRoot});
    registry.registerClass({"geEditEmpty", 0, base, decodeEmpty});
    registry.registerClass({"geEditNum", 0, base, decodeNum});
    registry.registerClass({"geEditVar", 0, base, decodeVar});

    registry.registerClass({"geEditBinaryOp", 0, base, nullptr});
    registry.registerClass(
        {"geEditDiv", 0, "geEditBinaryOp", decodeBinary<geEditDiv::divWithLeft>});
    registry.registerClass(
        {"geEditPow", 0, "geEditBinaryOp", decodeBinary<geEditPow::powWithLeft>});
    registry.registerClass(
        {"geEditRoot", 0, "geEditBinaryOp", decodeBinary<geEditRoot::rootWithLeft>});
    registry.registerClass({"geEditBasicBinaryOp", 0, "geEditBinaryOp", nullptr});
    const std::string infix = "geEditBasicBinaryOp";
    registry.registerClass({"geEditAdd", 0, infix, decodeBinary<geEditAdd::addWithLeft>});
    registry.registerClass({"geEditSub", 0, infix, decodeBinary<geEditSub::subWithLeft>});
    registry.registerClass({"geEditMul", 0, infix, decodeBinary<geEditMul::mulWithLeft>});
    registry.registerClass({"geEditComma", 0, infix, decodeBinary<geEditComma::commaWithLeft>});
    registry.registerClass({"geEditEquals", 0, infix, decodeBinary<geEditEquals::equalsWithLeft>});
    registry.registerClass(
        {"geEditGreaterThan", 0, infix, decodeBinary<geEditGreaterThan::greaterThanWithLeft>});
    registry.registerClass(
        {"geEditLessThan", 0, infix, decodeBinary<geEditLessThan::lessThanWithLeft>});
    registry.registerClass(
        {"geEditCompareLess", 0, infix, decodeBinary<geEditCompareLess::compareLessWithLeft>});
    registry.registerClass({"geEditCompareGreater", 0, infix,
                            decodeBinary<geEditCompareGreater::compareGreaterWithLeft>});
    registry.registerClass({"geEditCompareLessEqual", 0, infix,
                            decodeBinary<geEditCompareLessEqual::compareLessEqualWithLeft>});
    registry.registerClass({"geEditCompareGreaterEqual", 0, infix,
                            decodeBinary<geEditCompareGreaterEqual::compareGreaterEqualWithLeft>});

    registry.registerClass({"geEditUnaryOp", 0, base, nullptr});
    registry.registerClass(
        {"geEditParens", 0, "geEditUnaryOp", decodeUnary<geEditParens::parensWithExpression>});
    registry.registerClass({"geEditNegative", 0, "geEditUnaryOp",
                            decodeUnary<geEditNegative::negativeWithExpression>});
    registry.registerClass({"geEditFunc", 0, "geEditUnaryOp", decodeFunc});
}
