#include "cli/cliEditor.h"

#include "cli/cliSupport.h"
#include "engine/engine.h"
#include "equationEditor/geEditBinaryOp.h"
#include "equationEditor/geEditLeaves.h"
#include "equationEditor/geEditUnaryOp.h"
#include "equationEditor/geTextParser.h"

std::vector<cliKey> cliParseKeys(const QString &keys) {
    std::vector<cliKey> result;
    for (qsizetype i = 0; i < keys.size(); i++) {
        const char16_t c = keys.at(i).unicode();
        if (c != u'\\') {
            result.push_back({cliKey::text, c});
            continue;
        }
        if (++i == keys.size())
            cliFail(
                QStringLiteral("keys \"%1\": a backslash at the end escapes nothing").arg(keys));
        switch (keys.at(i).unicode()) {
            case u'b': result.push_back({cliKey::backspace, 0}); break;
            case u'<': result.push_back({cliKey::text, geKeyLeftArrow}); break;
            case u'>': result.push_back({cliKey::text, geKeyRightArrow}); break;
            case u'a': result.push_back({cliKey::selectAll, 0}); break;
            case u'\\': result.push_back({cliKey::text, u'\\'}); break;
            default:
                cliFail(QStringLiteral(
                            "keys \"%1\": unknown escape \\%2 (use \\b, \\<, \\>, \\a or \\\\)")
                            .arg(keys, keys.at(i)));
        }
    }
    return result;
}

void cliTypeKeys(graphEquationEditorModel &model, const std::vector<cliKey> &keys) {
    for (const cliKey &key : keys) {
        switch (key.kind) {
            case cliKey::text:
                if (geIsArrow(key.character))
                    model.handleKey(key.character);
                else
                    model.insertText(QString(QChar(key.character)));
                break;
            case cliKey::backspace: model.deleteBackward(); break;
            case cliKey::selectAll: model.selectAll(); break;
        }
    }
}

geEditPtr cliTypedEquation(const QString &keys, QString *status) {
    const std::vector<cliKey> parsed = cliParseKeys(keys);
    graphEquationEditorModel model;
    model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    cliTypeKeys(model, parsed);
    if (status) *status = model.statusText();
    geEditPtr root = model.equation();
    // The tree is kept without the editor: no cursor, no selection, no delegate.
    if (model.keyResponder()) model.keyResponder()->setHasCursor(false);
    if (model.selection()) model.selection()->setIsSelected(false);
    model.setEquation(nullptr);
    root->setDelegate(nullptr);
    return root;
}

geEditPtr cliParsedEquation(const QString &text, const QString &what) {
    const geTextParseResult parsed = geParseText(text);
    if (!parsed.root) cliFail(QStringLiteral("%1 (%2): %3").arg(what, text, parsed.error));
    return parsed.root;
}

cliConstants &cliConstants::shared() {
    static cliConstants constants;
    return constants;
}

void cliConstants::define(const QString &assignment) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    const QString name = assignment.left(equals).trimmed();
    const bool oneLetter = name.size() == 1 && geIsLetter(name.at(0).unicode());
    if (equals < 0 || !oneLetter || geIsReservedLetter(name.at(0)))
        cliFail(QStringLiteral(
                    "--const \"%1\": expected NAME=VALUE with NAME one letter other than x, y, "
                    "z, s, t, k, e and pi")
                    .arg(assignment));
    values_[name] = cliParseNumber("--const", assignment.mid(equals + 1));
}

double cliConstants::constantForString(const QString &name) const {
    const auto found = values_.find(name);
    return found == values_.end() ? 1.0 : found->second;
}

// Function names only matter while keys are typed, which the editor model answers itself.
bool cliConstants::stringInFunctionArray(const QString &name) const {
    return geEditFunc::recognizesFunction(name);
}

namespace {

void collectConstants(const geEdit *node, std::set<QString> &letters) {
    if (!node) return;
    if (node->isRoot())
        collectConstants(node->top().get(), letters);
    else if (node->isKind(geEditKind::Var)) {
        const QString &text = static_cast<const geEditVar *>(node)->text();
        const QChar c = text.isEmpty() ? QChar() : text.at(0);
        if (!geIsReservedLetter(c)) letters.insert(text);
    } else if (geIsBinaryOp(node->kind())) {
        collectConstants(static_cast<const geEditBinaryOp *>(node)->leftExp().get(), letters);
        collectConstants(static_cast<const geEditBinaryOp *>(node)->rightExp().get(), letters);
    } else if (geIsUnaryOp(node->kind())) {
        collectConstants(static_cast<const geEditUnaryOp *>(node)->child().get(), letters);
    }
}

}  // namespace

std::set<QString> cliConstants::undefinedLetters(const geEditPtr &root) const {
    std::set<QString> letters;
    collectConstants(root.get(), letters);
    if (root && geStartsWithRadius(root->top().get())) {
        letters.erase(QStringLiteral("r"));
        letters.erase(QStringLiteral("R"));
    }
    for (const auto &[name, value] : values_) letters.erase(name);
    return letters;
}

void cliConstants::warnUndefined(const std::set<QString> &letters) {
    if (letters.empty()) return;
    QStringList names(letters.begin(), letters.end());
    cliPrintError(
        QStringLiteral(
            "plotweave-cli: warning: %1 taken as 1.0 (give a value with --const NAME=VALUE)")
            .arg(cliEscaped(names.join(QStringLiteral(", ")))));
}

namespace {

QString quoted(const QString &text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void appendNode(QString &out, const geEdit *node) {
    if (!node) {
        out += QStringLiteral("null");
        return;
    }
    out += QString::fromUtf8(node->className());
    switch (node->kind()) {
        case geEditKind::Num:
            out += QLatin1Char(' ') + quoted(static_cast<const geEditNum *>(node)->text());
            break;
        case geEditKind::Var:
            out += QLatin1Char(' ') + quoted(static_cast<const geEditVar *>(node)->text());
            break;
        case geEditKind::Empty: break;
        case geEditKind::Func:
            out += QLatin1Char(' ') + quoted(static_cast<const geEditFunc *>(node)->text());
            [[fallthrough]];
        case geEditKind::Parens:
        case geEditKind::Negative:
            out += QLatin1Char('(');
            appendNode(out, static_cast<const geEditUnaryOp *>(node)->child().get());
            out += QLatin1Char(')');
            break;
        case geEditKind::Edit:
            out += QLatin1Char('(');
            appendNode(out, node->top().get());
            out += QLatin1Char(')');
            break;
        case geEditKind::Div:
        case geEditKind::Pow:
        case geEditKind::Root:
        case geEditKind::Add:
        case geEditKind::Sub:
        case geEditKind::Mul:
        case geEditKind::Comma:
        case geEditKind::Equals:
        case geEditKind::GreaterThan:
        case geEditKind::LessThan:
        case geEditKind::Compare: {
            const auto *binary = static_cast<const geEditBinaryOp *>(node);
            out += QLatin1Char('(');
            appendNode(out, binary->leftExp().get());
            out += QStringLiteral(", ");
            appendNode(out, binary->rightExp().get());
            out += QLatin1Char(')');
            break;
        }
    }
    if (node->hasCursor()) out += QLatin1Char('@') + QString::number(node->cursorPosition());
}

}  // namespace

QString cliTreeString(const geEditPtr &root) {
    QString out;
    if (!root) return out;
    // The root is left out unless it holds the cursor itself.
    if (root->hasCursor())
        appendNode(out, root.get());
    else
        appendNode(out, root->top().get());
    return out;
}

const char *cliKindName(int kind) {
    switch (kind) {
        case grKindXOfY: return "grKindXOfY";
        case grKindYOfX: return "grKindYOfX";
        case grKindZOfXY: return "grKindZOfXY";
        case grKind2DParametricCurve: return "grKind2DParametricCurve";
        case grKind3DParametricCurve: return "grKind3DParametricCurve";
        case grKind3DParametricSurface: return "grKind3DParametricSurface";
        case grKind2DImplicit: return "grKind2DImplicit";
        case grKindPolar: return "grKindPolar";
        case grKind2DInequality: return "grKind2DInequality";
        case grKind3DImplicit: return "grKind3DImplicit";
        default: return "unknown kind";
    }
}

cliClassification cliClassify(const geEditPtr &root) {
    grExp *tree = root ? root->makeExp() : nullptr;
    grEquation *equation = grNewEquation(tree);
    if (!equation) {
        grFreeExp(tree);
        return {false, QString::fromUtf8(gGraphExpressionError ? gGraphExpressionError : "")};
    }
    cliClassification result{true, QString::fromUtf8(cliKindName(equation->kind))};
    grFreeEquation(equation);
    return result;
}
