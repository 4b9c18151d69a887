#include "textEquation.h"

#include "equationEditor/geEdit.h"
#include "equationEditor/geTextParser.h"

#include <stdexcept>
#include <string>

grExp *testExpression(const char *text) {
    const geTextParseResult parsed = geParseText(QString::fromUtf8(text));
    if (!parsed.root)
        throw std::runtime_error(std::string(text) + ": " + parsed.error.toStdString());
    grExp *tree = parsed.root->makeExp();
    if (tree == nullptr) throw std::runtime_error(std::string("no expression: ") + text);
    return tree;
}

grEquation *testEquation(const char *text) {
    grExp *tree = testExpression(text);
    grEquation *equation = grNewEquation(tree);
    if (equation == nullptr) {
        grFreeExp(tree);
        throw std::runtime_error(std::string("not graphable: ") + text);
    }
    return equation;
}
