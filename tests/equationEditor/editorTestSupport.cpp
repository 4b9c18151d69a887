#include "editorTestSupport.h"

#include "engine/slNumberText.h"

#include <set>

namespace editorTest {

namespace {

std::string childPicture(const geEditPtr &node) { return node ? picture(node.get()) : "null"; }

const char *shortName(geEditKind kind) {
    switch (kind) {
        case geEditKind::Div: return "Div";
        case geEditKind::Pow: return "Pow";
        case geEditKind::Root: return "Root";
        case geEditKind::Add: return "Add";
        case geEditKind::Sub: return "Sub";
        case geEditKind::Mul: return "Mul";
        case geEditKind::Comma: return "Comma";
        case geEditKind::Equals: return "Equals";
        case geEditKind::GreaterThan: return "Greater";
        case geEditKind::LessThan: return "Less";
        case geEditKind::Parens: return "Parens";
        case geEditKind::Negative: return "Neg";
        case geEditKind::Edit: case geEditKind::Empty: case geEditKind::Num:
        case geEditKind::Var: case geEditKind::Func: break;
    }
    return "";
}

std::string plainPicture(const geEdit *node) {
    const bool cursor = node->hasCursor();
    switch (node->kind()) {
        case geEditKind::Edit:
            return (cursor ? "|" : "") + childPicture(node->top());
        case geEditKind::Empty: return cursor ? "?|" : "?";
        case geEditKind::Num: {
            std::string t = static_cast<const geEditNum *>(node)->text().toStdString();
            if (cursor) t.insert(size_t(std::clamp<int>(node->cursorPosition(), 0, int(t.size()))), "|");
            return t;
        }
        case geEditKind::Var: {
            std::string t = node->string().toStdString();
            return cursor ? t + "|" : t;
        }
        case geEditKind::Func: {
            auto f = static_cast<const geEditFunc *>(node);
            const std::string name = f->text().toStdString();
            const std::string arg = "(" + childPicture(f->child()) + ")";
            if (!cursor) return name + arg;
            return node->cursorPosition() == 0 ? "|" + name + arg : name + "|" + arg;
        }
        case geEditKind::Parens: {
            auto p = static_cast<const geEditParens *>(node);
            if (!cursor) return "Parens(" + childPicture(p->child()) + ")";
            if (node->cursorPosition() == 0) return "Parens(|" + childPicture(p->child()) + ")";
            return "Parens(" + childPicture(p->child()) + ")|";
        }
        case geEditKind::Negative: {
            auto n = static_cast<const geEditNegative *>(node);
            return std::string(cursor ? "Neg|(" : "Neg(") + childPicture(n->child()) + ")";
        }
        case geEditKind::Div: case geEditKind::Pow: case geEditKind::Root: {
            auto b = static_cast<const geEditBinaryOp *>(node);
            return std::string(shortName(node->kind())) + "(" + childPicture(b->leftExp()) + ", " +
                   childPicture(b->rightExp()) + ")" + (cursor ? "|" : "");
        }
        case geEditKind::Add: case geEditKind::Sub: case geEditKind::Mul: case geEditKind::Comma:
        case geEditKind::Equals: case geEditKind::GreaterThan: case geEditKind::LessThan: {
            auto b = static_cast<const geEditBinaryOp *>(node);
            return std::string(shortName(node->kind())) + (cursor ? "|(" : "(") +
                   childPicture(b->leftExp()) + ", " + childPicture(b->rightExp()) + ")";
        }
    }
    return "?kind";
}

void forEachNode(const geEdit *node, const std::function<void(const geEdit *)> &visit) {
    if (!node) return;
    visit(node);
    if (node->isRoot()) forEachNode(node->top().get(), visit);
    if (geIsBinaryOp(node->kind())) {
        auto b = static_cast<const geEditBinaryOp *>(node);
        forEachNode(b->leftExp().get(), visit);
        forEachNode(b->rightExp().get(), visit);
    }
    if (geIsUnaryOp(node->kind())) forEachNode(static_cast<const geEditUnaryOp *>(node)->child().get(), visit);
}

}  // namespace

std::string picture(const geEdit *node) {
    if (!node) return "null";
    const std::string p = plainPicture(node);
    return node->isSelected() ? "[" + p + "]" : p;
}

std::string expPicture(const grExp *e) {
    if (!e) return "null";
    switch (e->type) {
        case grExpNumber: return slFormatNumber(*static_cast<double *>(e->payload), 'g', 10);
        case grExpConstant: {
            static const char *names[] = {"t", "s", "x", "y", "z", "k", "pi", "e"};
            const uint8_t code = *static_cast<uint8_t *>(e->payload);
            return code < 8 ? names[code] : "?const";
        }
        case grExpUnary: {
            static const char *names[] = {"?", "sin", "cos", "tan", "asin", "acos", "atan",
                                          "sinh", "cosh", "tanh", "erf", "erfc", "neg", "abs",
                                          "gamma", "ln", "log", "dx", "dy"};
            auto u = static_cast<grUnaryExp *>(e->payload);
            return std::string(u->fn < 19 ? names[u->fn] : "?fn") + "(" + expPicture(u->operand) + ")";
        }
        case grExpBinary: {
            static const char *names[] = {"?", "Add", "Sub", "Div", "Mul", "Pow", "Root",
                                          "Mod", "Equals", "Less", "Greater", "Comma"};
            auto b = static_cast<grBinaryExp *>(e->payload);
            return std::string(b->op < 12 ? names[b->op] : "?op") + "(" + expPicture(b->left) +
                   ", " + expPicture(b->right) + ")";
        }
        default: return "?type";
    }
}

std::string checkLinks(const geEdit *root) {
    std::set<const geEdit *> seen;
    std::string problem;
    const geEditDelegate *delegate = root ? root->delegate() : nullptr;
    forEachNode(root, [&](const geEdit *node) {
        if (!seen.insert(node).second) problem = "node held twice: " + picture(node);
        if (node->delegate() != delegate) problem = "delegate differs at " + picture(node);
        auto check = [&](const geEditPtr &child) {
            if (child && child->parent() != node) problem = "wrong parent of " + picture(child.get());
            if (!child && problem.empty()) problem = "empty slot in " + picture(node);
        };
        if (node->isRoot()) check(node->top());
        if (geIsBinaryOp(node->kind())) {
            check(static_cast<const geEditBinaryOp *>(node)->leftExp());
            check(static_cast<const geEditBinaryOp *>(node)->rightExp());
        }
        if (geIsUnaryOp(node->kind())) check(static_cast<const geEditUnaryOp *>(node)->child());
    });
    if (root && root->parent()) problem = "root has a parent";
    return problem;
}

int countCursors(const geEdit *root) {
    int n = 0;
    forEachNode(root, [&](const geEdit *node) { n += node->hasCursor() ? 1 : 0; });
    return n;
}

int countSelected(const geEdit *root) {
    int n = 0;
    forEachNode(root, [&](const geEdit *node) { n += node->isSelected() ? 1 : 0; });
    return n;
}

bool contains(const geEdit *root, const geEdit *node) {
    bool found = false;
    forEachNode(root, [&](const geEdit *n) { found = found || n == node; });
    return found;
}

std::string referenceStatus(const geEdit *root) {
    if (root->containsEmpty() || root->containsVariable()) return "";
    grExp *e = root->makeExp();
    if (!e || grFindNullExp(e)) {
        grFreeExp(e);
        return "";
    }
    grVariables variables{};
    double result = 0.0;
    const int status = grEvalExp(&variables, e, &result);
    grFreeExp(e);
    if (status != 0) return "";
    return "= " + geFormatFloat(float(result)).toStdString() + "\n";
}

void EditorTest::type(const std::u16string &keys) {
    for (char16_t k : keys) {
        switch (k) {
            case u'←': model.insertText(QString(QChar(geKeyLeftArrow))); break;
            case u'→': model.insertText(QString(QChar(geKeyRightArrow))); break;
            case u'⌫': model.deleteBackward(); break;
            case u'Ⓐ': model.selectAll(); break;
            default: model.insertText(QString(QChar(k))); break;
        }
        expectSound();
    }
}

std::string EditorTest::exp() const {
    grExp *e = model.equation()->makeExp();
    std::string p = expPicture(e);
    grFreeExp(e);
    return p;
}

void EditorTest::expectSound() const {
    const geEdit *root = model.equation().get();
    EXPECT_EQ(checkLinks(root), "") << tree();
    if (model.selection()) {
        EXPECT_EQ(model.keyResponder(), nullptr);
        EXPECT_EQ(countCursors(root), 0) << tree();
        EXPECT_EQ(countSelected(root), 1) << tree();
        EXPECT_TRUE(contains(root, model.selection().get())) << tree();
    } else {
        EXPECT_EQ(countSelected(root), 0) << tree();
        ASSERT_NE(model.keyResponder(), nullptr) << tree();
        EXPECT_TRUE(model.keyResponder()->hasCursor()) << tree();
        EXPECT_EQ(countCursors(root), 1) << tree();
        EXPECT_TRUE(contains(root, model.keyResponder().get())) << tree();
    }
}

}  // namespace editorTest
