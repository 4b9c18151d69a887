#include "windowTestSupport.h"

#include "appTestSupport.h"

void launchedApp::setEquations(const std::vector<QString> &keys) {
    while (table().equationCount() < static_cast<int>(keys.size())) table().addEquation();
    for (size_t i = 0; i < keys.size(); i++)
        table().equations()[i]->setEquation(appTest::typed(keys[i]));
    table().graph();
    waitForFrame();
}
