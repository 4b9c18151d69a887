#include "equationEditor/geUnboundVariables.h"

#include <QStringList>

#include "engine/engine.h"
#include "equationEditor/geEdit.h"

namespace {

const char *kindText(uint8_t kind) {
    switch (kind) {
        case grKindYOfX: return "y = f(x)";
        case grKindXOfY: return "x = f(y)";
        case grKindZOfXY: return "z = f(x, y)";
        case grKind2DParametricCurve:
        case grKind3DParametricCurve: return "a parametric curve of t";
        case grKind3DParametricSurface: return "a parametric surface of s and t";
        default: return "this equation";
    }
}

}  // namespace

QString geUnboundVariablesWarning(const geEdit *root) {
    if (!root) return QString();
    grExp *tree = root->makeExp();
    grEquation *equation = tree ? grNewEquation(tree) : nullptr;
    if (!equation) {
        grFreeExp(tree);
        return QString();
    }
    const unsigned unbound = grUnboundVariables(equation);
    const uint8_t kind = equation->kind;
    grFreeEquation(equation);
    QStringList letters;
    for (const auto &[code, letter] : {std::pair{grVarS, "s"}, std::pair{grVarT, "t"},
                                       std::pair{grVarX, "x"}, std::pair{grVarY, "y"}})
        if (unbound & (1u << code)) letters << QString::fromLatin1(letter);
    if (letters.isEmpty()) return QString();
    const QString names = letters.size() == 1
                              ? letters[0]
                              : letters.mid(0, letters.size() - 1).join(QStringLiteral(", ")) +
                                    QStringLiteral(" and ") + letters.back();
    return QStringLiteral("%1 %2 no value in %3 and %4 taken as 0")
        .arg(names, letters.size() == 1 ? QStringLiteral("has") : QStringLiteral("have"),
             QString::fromLatin1(kindText(kind)),
             letters.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}
