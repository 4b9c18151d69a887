#include "editorTestSupport.h"

#include <cctype>
#include <cmath>
#include <iomanip>
#include <set>
#include <sstream>

#include "engine/slNumberText.h"

namespace editorTest {

namespace {

// Picture names of the node kinds, in the order of geEditKind; "" for those drawn otherwise.
const char *const kKindNames[] = {"",        "",     "",        "",       "Div",   "Pow",
                                  "Root",    "Add",  "Sub",     "Mul",    "Comma", "Equals",
                                  "Greater", "Less", "Compare", "Parens", "",      "Neg"};

const char *kindName(geEditKind kind) {
    return kKindNames[int(kind)];
}

// The child slots of a node, empty ones as null.
std::vector<geEditPtr> children(const geEdit *node) {
    if (node->isRoot()) return {node->top()};
    if (geIsBinaryOp(node->kind())) {
        auto b = static_cast<const geEditBinaryOp *>(node);
        return {b->leftExp(), b->rightExp()};
    }
    if (geIsUnaryOp(node->kind())) return {static_cast<const geEditUnaryOp *>(node)->child()};
    return {};
}

// Every node in pre-order.
std::vector<const geEdit *> nodes(const geEdit *root) {
    std::vector<const geEdit *> out;
    std::vector<const geEdit *> stack{root};
    while (!stack.empty()) {
        const geEdit *n = stack.back();
        stack.pop_back();
        if (!n) continue;
        out.push_back(n);
        auto c = children(n);
        for (auto it = c.rbegin(); it != c.rend(); ++it) stack.push_back(it->get());
    }
    return out;
}

std::string childPicture(const geEditPtr &node) {
    return node ? picture(node.get()) : "null";
}

std::string plainPicture(const geEdit *node) {
    const bool cursor = node->hasCursor();
    const int position = node->cursorPosition();
    const auto c = children(node);
    switch (node->kind()) {
        case geEditKind::Edit: return (cursor ? "|" : "") + childPicture(c[0]);
        case geEditKind::Empty: return cursor ? "?|" : "?";
        case geEditKind::Num: {
            std::string t = static_cast<const geEditNum *>(node)->text().toStdString();
            if (cursor) t.insert(size_t(std::clamp<int>(position, 0, int(t.size()))), "|");
            return t;
        }
        case geEditKind::Var: return node->string().toStdString() + (cursor ? "|" : "");
        case geEditKind::Func: {
            const std::string name = static_cast<const geEditFunc *>(node)->text().toStdString();
            const std::string arg = "(" + childPicture(c[0]) + ")";
            if (!cursor) return name + arg;
            return position == 0 ? "|" + name + arg : name + "|" + arg;
        }
        case geEditKind::Parens:
            if (cursor && position == 0) return "Parens(|" + childPicture(c[0]) + ")";
            return "Parens(" + childPicture(c[0]) + ")" + (cursor ? "|" : "");
        case geEditKind::Negative:
            return std::string(cursor ? "Neg|(" : "Neg(") + childPicture(c[0]) + ")";
        case geEditKind::Div:
        case geEditKind::Pow:
        case geEditKind::Root:
            return std::string(kindName(node->kind())) + "(" + childPicture(c[0]) + ", " +
                   childPicture(c[1]) + ")" + (cursor ? "|" : "");
        case geEditKind::Add:
        case geEditKind::Sub:
        case geEditKind::Mul:
        case geEditKind::Comma:
        case geEditKind::Equals:
        case geEditKind::GreaterThan:
        case geEditKind::LessThan:
        case geEditKind::Compare:
            return std::string(kindName(node->kind())) + (cursor ? "|(" : "(") +
                   childPicture(c[0]) + ", " + childPicture(c[1]) + ")";
    }
    return "?kind";
}

// Reads one node of a picture at text[at...], moving at past it.
geEditPtr buildAt(std::string_view text, size_t &at) {
    auto skipBlanks = [&] {
        while (at < text.size() && text[at] == ' ') ++at;
    };
    skipBlanks();
    const size_t end = std::min(text.find_first_of("(,)", at), text.size());
    const std::string_view word = text.substr(at, end - at);
    at = end;
    const QString name = QString::fromUtf8(word.data(), int(word.size()));
    if (word == "?") return geEditEmpty::emptyExpression();
    if (word == "null") return nullptr;
    if (word == "pi") return geEditVar::varWithChar(gePiChar);
    if (at >= text.size() || text[at] != '(') {
        if (!word.empty() && (std::isdigit(static_cast<unsigned char>(word[0])) || word[0] == '.'))
            return geEditNum::numWithString(name);
        return name.size() == 1 ? geEditVar::varWithChar(name.at(0).unicode())
                                : geEditVar::varWithString(name);
    }
    geEditPtr a = buildAt(text, ++at), b;
    skipBlanks();
    if (at < text.size() && text[at] == ',') b = buildAt(text, ++at);
    skipBlanks();
    ++at;  // ")"
    int kind = 0;
    while (kind < int(std::size(kKindNames)) && (!*kKindNames[kind] || word != kKindNames[kind]))
        ++kind;
    switch (geEditKind(kind)) {
        case geEditKind::Parens: return geEditParens::parensWithExpression(a);
        case geEditKind::Negative: return geEditNegative::negativeWithExpression(a);
        case geEditKind::Div: return geEditDiv::divWithLeft(a, b);
        case geEditKind::Pow: return geEditPow::powWithLeft(a, b);
        case geEditKind::Root: return geEditRoot::rootWithLeft(a, b);
        case geEditKind::GreaterThan: return geEditGreaterThan::greaterThanWithLeft(a, b);
        case geEditKind::LessThan: return geEditLessThan::lessThanWithLeft(a, b);
        case geEditKind::Add:
        case geEditKind::Sub:
        case geEditKind::Mul:
        case geEditKind::Comma:
        case geEditKind::Equals:
            return geMakeOperatorNode(u"+-*,="[kind - int(geEditKind::Add)], a, b);
        default: return geEditFunc::funcWithExpression(a, name);
    }
}

}  // namespace

std::string picture(const geEdit *node) {
    if (!node) return "null";
    const std::string p = plainPicture(node);
    return node->isSelected() ? "[" + p + "]" : p;
}

std::string expPicture(const grExp *e) {
    if (!e) return "null";
    static const char *constants[] = {"t", "s", "x", "y", "z", "k", "pi", "e", "?8", "theta", "r"};
    static const char *functions[] = {"?",     "sin",  "cos",  "tan", "asin", "acos", "atan",
                                      "sinh",  "cosh", "tanh", "erf", "erfc", "neg",  "abs",
                                      "gamma", "ln",   "log",  "dx",  "dy"};
    static const char *operators[] = {"?",       "Add",   "Sub",       "Div",         "Mul",
                                      "Pow",     "Root",  "Mod",       "Equals",      "Less",
                                      "Greater", "Comma", "LessEqual", "GreaterEqual"};
    switch (e->type) {
        case grExpNumber: return slFormatNumber(*static_cast<double *>(e->payload), 'g', 10);
        case grExpConstant: {
            const uint8_t code = *static_cast<uint8_t *>(e->payload);
            return code < 11 ? constants[code] : "?const";
        }
        case grExpUnary: {
            auto u = static_cast<grUnaryExp *>(e->payload);
            return std::string(u->fn < 19 ? functions[u->fn] : "?fn") + "(" +
                   expPicture(u->operand) + ")";
        }
        case grExpBinary: {
            auto b = static_cast<grBinaryExp *>(e->payload);
            return std::string(b->op < 14 ? operators[b->op] : "?op") + "(" + expPicture(b->left) +
                   ", " + expPicture(b->right) + ")";
        }
        default: return "?type";
    }
}

geEditPtr build(std::string_view picture) {
    size_t at = 0;
    return buildAt(picture, at);
}

std::string converted(const geEditPtr &node) {
    grExp *e = node->makeExp();
    std::string p = expPicture(e);
    grFreeExp(e);
    return p;
}

std::string checkLinks(const geEdit *root) {
    if (!root) return "";
    if (root->parent()) return "root has a parent";
    std::set<const geEdit *> seen;
    for (const geEdit *node : nodes(root)) {
        if (!seen.insert(node).second) return "node held twice: " + picture(node);
        if (node->delegate() != root->delegate()) return "delegate differs at " + picture(node);
        for (const auto &child : children(node)) {
            if (!child) return "empty slot in " + picture(node);
            if (child->parent() != node) return "wrong parent of " + picture(child.get());
        }
    }
    return "";
}

int countCursors(const geEdit *root) {
    const auto all = nodes(root);
    return int(
        std::count_if(all.begin(), all.end(), [](const geEdit *n) { return n->hasCursor(); }));
}

int countSelected(const geEdit *root) {
    const auto all = nodes(root);
    return int(
        std::count_if(all.begin(), all.end(), [](const geEdit *n) { return n->isSelected(); }));
}

bool contains(const geEdit *root, const geEdit *node) {
    const auto all = nodes(root);
    return std::find(all.begin(), all.end(), node) != all.end();
}

std::vector<geEditPtr> subtree(const geEditPtr &root) {
    std::vector<geEditPtr> out;
    for (const geEdit *n : nodes(root.get()))
        out.push_back(const_cast<geEdit *>(n)->shared_from_this());
    return out;
}

geEditPtr findNode(const geEditPtr &root, const std::string &wanted) {
    for (const geEditPtr &n : subtree(root))
        if (picture(n.get()) == wanted) return n;
    return nullptr;
}

namespace {

bool holdsRelation(const grExp *e) {
    if (!e) return false;
    if (e->type == grExpUnary)
        return holdsRelation(static_cast<const grUnaryExp *>(e->payload)->operand);
    if (e->type != grExpBinary) return false;
    const auto *b = static_cast<const grBinaryExp *>(e->payload);
    if (b->op == grOpEquals || b->op == grOpComma || b->op == grOpLessThan ||
        b->op == grOpGreaterThan || b->op == grOpLessEqual || b->op == grOpGreaterEqual)
        return true;
    return holdsRelation(b->left) || holdsRelation(b->right);
}

}  // namespace

std::string referenceStatus(const geEdit *root) {
    if (root->containsEmpty() || root->containsVariable()) return "";
    grExp *e = root->makeExp();
    if (!e || grFindNullExp(e) || holdsRelation(e)) {
        grFreeExp(e);
        return "";
    }
    grVariables variables{};
    double result = 0.0;
    const bool ok = grEvalExp(&variables, e, &result) == 0;
    grFreeExp(e);
    if (!ok || !std::isfinite(result)) return "= undefined\n";
    std::ostringstream out;
    out << std::setprecision(10) << result;
    return "= " + out.str() + "\n";
}

std::string problemAfterKey(const graphEquationEditorModel &model) {
    const geEdit *root = model.equation().get();
    std::string links = checkLinks(root);
    if (!links.empty()) return links;
    const int cursors = countCursors(root), selected = countSelected(root);
    if (model.selection()) {
        if (model.keyResponder()) return "key responder during a selection";
        if (cursors != 0 || selected != 1) return "cursors or selected nodes during a selection";
        return contains(root, model.selection().get()) ? "" : "selection outside the tree";
    }
    if (!model.keyResponder() || !model.keyResponder()->hasCursor())
        return "no key responder with the flag";
    if (cursors != 1 || selected != 0) return "cursors: " + std::to_string(cursors);
    return contains(root, model.keyResponder().get()) ? "" : "key responder outside the tree";
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
    return converted(model.equation());
}

}  // namespace editorTest
