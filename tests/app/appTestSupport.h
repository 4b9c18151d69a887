// Equations typed as a user types them, and archives of them, for the list and file tests.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "app/graphEquationTable.h"
#include "editorTestSupport.h"
#include "equationEditor/geEditArchive.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

namespace appTest {

inline void registerClasses() {
    static const bool registered = [] {
        graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
        return true;
    }();
    (void)registered;
}

// The root of an equation typed key by key ("→" leaves a template or parentheses).
inline geEditPtr typed(const QString &keys) {
    graphEquationEditorModel model;
    model.setEquation(geEdit::rootWithExpression(geEditEmpty::emptyExpression()));
    model.inputString(keys);
    geEditPtr root = model.equation();
    root->setDelegate(nullptr);  // the model goes away with this function
    return root;
}

// Reads an archive that must hold an object of our classes.
template <class T>
std::shared_ptr<T> readBack(const QByteArray &data, QString *error = nullptr) {
    QString message;
    slArchivedObject root = slUnarchiver::unarchiveObjectWithData(data, &message);
    if (error) *error = message;
    auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root);
    return coded ? std::dynamic_pointer_cast<T>(*coded) : nullptr;
}

class AppTest : public ::testing::Test {
protected:
    AppTest() { registerClasses(); }
};

}  // namespace appTest
