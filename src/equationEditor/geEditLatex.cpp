#include "equationEditor/geEditLatex.h"

#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"

namespace {

// Names LaTeX has an operator for; the others are set upright with \operatorname.
QString functionLatex(const QString &name) {
    static const QStringList own = {"sin", "sinh", "cos", "cosh", "tan", "tanh", "log", "ln"};
    if (own.contains(name)) return u'\\' + name;
    if (name == QLatin1String("asin")) return QStringLiteral("\\arcsin");
    if (name == QLatin1String("acos")) return QStringLiteral("\\arccos");
    if (name == QLatin1String("atan")) return QStringLiteral("\\arctan");
    return QStringLiteral("\\operatorname{%1}").arg(name);
}

QString letterLatex(const QString &text) {
    if (text.size() == 1 && text.at(0).unicode() == gePiChar) return QStringLiteral("\\pi");
    return text;
}

bool isNumberOrPlaceholder(const geEditPtr &node) {
    return node && (node->isKind(geEditKind::Num) || node->isKind(geEditKind::Empty));
}

QString latex(const geEdit *node);

QString latex(const geEditPtr &node) {
    return latex(node.get());
}

QString binaryLatex(const geEditBinaryOp &op) {
    const QString l = latex(op.leftExp()), r = latex(op.rightExp());
    switch (op.kind()) {
        case geEditKind::Div: return QStringLiteral("\\frac{%1}{%2}").arg(l, r);
        case geEditKind::Pow:
            // A letter or number needs no braces as a base: "x^{2}", "{\\left(x + 1\\right)}^{2}".
            if (op.leftExp() && op.leftExp()->isTerminal())
                return QStringLiteral("%1^{%2}").arg(l, r);
            return QStringLiteral("{%1}^{%2}").arg(l, r);
        case geEditKind::Root: {
            const geEditPtr &index = op.leftExp();
            if (index && index->isKind(geEditKind::Num) &&
                static_cast<const geEditNum &>(*index).number() == 2.0)
                return QStringLiteral("\\sqrt{%1}").arg(r);
            return QStringLiteral("\\sqrt[%1]{%2}").arg(l, r);
        }
        case geEditKind::Add: return l + QStringLiteral(" + ") + r;
        case geEditKind::Sub: return l + QStringLiteral(" - ") + r;
        case geEditKind::Mul: {
            // "2•3" keeps its dot as on screen; other products are juxtaposed.
            const geEditPtr a = op.leftExp() ? op.leftExp()->rightMostExpression() : nullptr;
            const geEditPtr b = op.rightExp() ? op.rightExp()->leftMostExpression() : nullptr;
            if (isNumberOrPlaceholder(a) && isNumberOrPlaceholder(b))
                return l + QStringLiteral(" \\cdot ") + r;
            return l + u' ' + r;
        }
        case geEditKind::Comma: return l + QStringLiteral(", ") + r;
        case geEditKind::Equals: return l + QStringLiteral(" = ") + r;
        case geEditKind::GreaterThan: return l + QStringLiteral(" > ") + r;
        case geEditKind::LessThan: return l + QStringLiteral(" < ") + r;
        case geEditKind::Compare: {
            const QString &glyph = static_cast<const geEditBasicBinaryOp &>(op).glyphString();
            const QString sign = glyph == u"\u2264"   ? QStringLiteral("\\le")
                                 : glyph == u"\u2265" ? QStringLiteral("\\ge")
                                                      : glyph;
            return l + u' ' + sign + u' ' + r;
        }
        default: return l + u' ' + r;
    }
}

QString latex(const geEdit *node) {
    if (!node) return QStringLiteral("\\square");
    if (node->isRoot()) return latex(node->top());
    if (auto *b = dynamic_cast<const geEditBinaryOp *>(node)) return binaryLatex(*b);
    if (auto *f = dynamic_cast<const geEditFunc *>(node)) {
        if (f->text() == QLatin1String("abs"))
            return QStringLiteral("\\left|%1\\right|").arg(latex(f->child()));
        // A parenthesised argument brings its own brackets.
        if (f->child() && f->child()->isKind(geEditKind::Parens))
            return functionLatex(f->text()) + latex(f->child());
        return functionLatex(f->text()) + QStringLiteral("\\left(") + latex(f->child()) +
               QStringLiteral("\\right)");
    }
    if (auto *u = dynamic_cast<const geEditUnaryOp *>(node)) {
        if (u->isKind(geEditKind::Parens))
            return QStringLiteral("\\left(") + latex(u->child()) + QStringLiteral("\\right)");
        return u'-' + latex(u->child());
    }
    if (auto *n = dynamic_cast<const geEditNum *>(node)) return n->text();
    if (auto *v = dynamic_cast<const geEditVar *>(node)) return letterLatex(v->text());
    return QStringLiteral("\\square");
}

}  // namespace

QString geLatexString(const geEdit *node) {
    return latex(node);
}
