#include "app/graphEquationContainer.h"

#include "equationEditor/geEditLeaves.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"

graphEquationContainer::graphEquationContainer()
    : name_(QStringLiteral("untitled")),
      equation_(geEdit::rootWithExpression(geEditEmpty::emptyExpression())),
      color_(Qt::black) {}

void graphEquationContainer::encodeWithCoder(slArchiver &coder) const {
    coder.encodeString(name_);
    coder.encodeColor(color_);
    coder.encodeObject(equation_);
}

// The tree must be an equation's root: a node of another class would leave the editor
// without the root it expects.
std::shared_ptr<slCoding> graphEquationContainer::initWithCoder(slUnarchiver &coder) {
    auto entry = std::make_shared<graphEquationContainer>();
    entry->setEquationName(coder.decodeString(true));
    entry->setEquationColor(coder.decodeColor());
    const size_t treeStart = coder.offset();
    geEditPtr tree = coder.decodeObjectOfClass<geEdit>("geEdit", false);
    if (!tree || !tree->isRoot()) {
        throw slTypedStream::slArchiveError("an equation's tree is not a root", treeStart);
    }
    entry->setEquation(std::move(tree));
    return entry;
}
