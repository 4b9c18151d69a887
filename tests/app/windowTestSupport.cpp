#include "windowTestSupport.h"

#include "appTestSupport.h"
#include "equationEditor/geTextParser.h"

void launchedApp::setEquations(const std::vector<QString> &keys) {
    while (table().equationCount() < static_cast<int>(keys.size())) table().addEquation();
    for (size_t i = 0; i < keys.size(); i++)
        table().equations()[i]->setEquation(appTest::typed(keys[i]));
    table().graph();
    waitForFrame();
}

bool launchedApp::setEquationText(const QString &text) {
    const geTextParseResult parsed = geParseText(text);
    if (!parsed.root) return false;
    table().equations()[0]->setEquation(parsed.root);
    table().selectRow(0);  // the editor shows the new tree
    return true;
}
