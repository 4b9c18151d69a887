#include "app/graphEquationTable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

#include "app/graphPalette.h"
#include "engine/engine.h"
#include "equationEditor/geEditArchive.h"
#include "equationEditor/geUnboundVariables.h"
#include "platform/archive/slArchiver.h"
#include "platform/archive/slUnarchiver.h"
#include "view/graphGLView.h"

graphEquationTable::graphEquationTable() {
    equations_.reserve(10);
}

void graphEquationTable::setObserver(graphEquationTableObserver *observer) {
    observer_ = observer ? observer : &silentObserver_;
}

void graphEquationTable::setGraphView(graphGLView *view) {
    graphView_ = view;
    if (view) view->setEquationTable(this);
}

void graphEquationTable::createInitialEquation() {
    addEquation();
    selectRow(selectedRow_);
}

graphEquationContainerPtr graphEquationTable::addEmptyEquation() {
    auto entry = std::make_shared<graphEquationContainer>();
    equations_.push_back(entry);
    return entry;
}

// Names count up from "Equation 1"; the counter is not stored in files.
void graphEquationTable::addEquation() {
    graphEquationContainerPtr entry = addEmptyEquation();
    entry->setEquationName(
        QCoreApplication::translate("graphEquationTable", "Equation %1").arg(eqCounter_++));
    if (color_ && !paletteColors_) {
        entry->setEquationColor(*color_);
    } else if (color_) {
        // Each new equation takes a colour no other entry has, starting from the default.
        std::vector<QColor> used;
        for (const auto &other : equations_)
            if (other != entry) used.push_back(other->color());
        entry->setEquationColor(graphNewEquationColor(*color_, used));
    }
    observer_->entriesChanged();
    selectRow(equationCount() - 1);
    if (equationCount() > 1) setDeleteEnabled(true);
    observer_->editorFocusRequested();
}

// Deleting the last entry is refused. The row after the deleted one (or the new last
// row) becomes the selection, so the editor keeps showing an entry.
void graphEquationTable::deleteEquation() {
    if (equationCount() <= 1 || selectedRow_ < 0 || selectedRow_ >= equationCount()) return;
    takeEquation(selectedRow_);
}

graphEquationContainerPtr graphEquationTable::takeEquation(int row) {
    if (row < 0 || row >= equationCount()) return nullptr;
    graphEquationContainerPtr entry = equations_[static_cast<size_t>(row)];
    equations_.erase(equations_.begin() + row);
    setDeleteEnabled(equationCount() > 1);
    observer_->entriesChanged();
    selectRow(std::min(row, equationCount() - 1));
    if (graphView_ && graphView_->isGraphed()) graph();
    observer_->editorFocusRequested();
    return entry;
}

void graphEquationTable::insertEquation(int row, graphEquationContainerPtr entry) {
    if (!entry) return;
    row = std::clamp(row, 0, equationCount());
    equations_.insert(equations_.begin() + row, std::move(entry));
    setDeleteEnabled(equationCount() > 1);
    observer_->entriesChanged();
    selectRow(row);
    if (graphView_ && graphView_->isGraphed()) graph();
    observer_->editorFocusRequested();
}

void graphEquationTable::graph() {
    messageText_ = graphView_ ? graphView_->graphMultipleEquations() : QString();
    // Graphed: say which letters are 0 for want of a value, as the command line does.
    for (size_t i = 0; graphView_ && messageText_.isEmpty() && i < equations_.size(); i++) {
        const QString warning = geUnboundVariablesWarning(equations_[i]->equation().get());
        if (!warning.isEmpty())
            messageText_ = equations_.size() == 1
                               ? warning
                               : equations_[i]->name() + QStringLiteral(": ") + warning;
    }
    observer_->messageTextChanged(messageText_);
}

void graphEquationTable::selectRow(int row) {
    selectedRow_ = (row >= 0 && row < equationCount()) ? row : -1;
    observer_->selectedRowChanged(selectedRow_);
}

void graphEquationTable::setEquationName(int row, const QString &name) {
    if (row < 0 || row >= equationCount()) return;
    equations_[static_cast<size_t>(row)]->setEquationName(name);
    observer_->entriesChanged();
}

void graphEquationTable::setEquationColor(const QColor &color) {
    if (selectedRow_ < 0 || selectedRow_ >= equationCount()) return;
    equations_[static_cast<size_t>(selectedRow_)]->setEquationColor(color);
    if (graphView_) {
        graphView_->compileEquations();
        graphView_->redraw();
    }
}

QColor graphEquationTable::colorAtIndex(int index) {
    if (index < 0 || index >= equationCount()) return QColor(Qt::black);
    return equations_[static_cast<size_t>(index)]->color();
}

grEquation *graphEquationTable::equationAtIndex(int index) {
    if (index < 0 || index >= equationCount()) return nullptr;
    const geEditPtr &root = equations_[static_cast<size_t>(index)]->equation();
    grExp *tree = nullptr;
    if (constantSource_) {
        // The tree answers the source for the conversion, then its own delegate again.
        geEditDelegate *own = root->delegate();
        root->setDelegate(constantSource_);
        tree = root->makeExp();
        root->setDelegate(own);
    } else {
        tree = root->makeExp();
    }
    grEquation *equation = grNewEquation(tree);
    if (!equation) grFreeExp(tree);  // a failed classification leaves the tree to us
    return equation;
}

void graphEquationTable::setName(const QString &path) {
    name_ = path;
    observer_->titleChanged(QFileInfo(path).fileName());
}

void graphEquationTable::setDeleteEnabled(bool enabled) {
    if (deleteEnabled_ == enabled) return;
    deleteEnabled_ = enabled;
    observer_->deleteEnabledChanged(enabled);
}

void graphEquationTable::encodeWithCoder(slArchiver &coder) const {
    const auto count = static_cast<uint32_t>(equations_.size());
    coder.encodeValueOfObjCType("I", &count);
    for (const auto &entry : equations_) coder.encodeObject(entry);
}

// Each entry takes more than one byte, so a count beyond the data left is refused before
// anything is read.
std::shared_ptr<slCoding> graphEquationTable::initWithCoder(slUnarchiver &coder) {
    auto table = std::make_shared<graphEquationTable>();
    const size_t countStart = coder.offset();
    uint32_t count = 0;
    coder.decodeValueOfObjCType("I", &count);
    if (count > coder.remaining()) {
        throw slTypedStream::slArchiveError(
            "entry count " + std::to_string(count) + " exceeds the data", countStart);
    }
    for (uint32_t i = 0; i < count; ++i) {
        table->equations_.push_back(
            coder.decodeObjectOfClass<graphEquationContainer>("graphEquationContainer", false));
    }
    table->deleteEnabled_ = count > 1;
    table->selectedRow_ = count > 0 ? 0 : -1;
    return table;
}

void graphEquationTableRegisterArchiveClasses(slArchiveRegistry &registry) {
    geEditRegisterArchiveClasses(registry);
    registry.registerClass(
        {"graphEquationContainer", 0, kNSObject, graphEquationContainer::initWithCoder});
    registry.registerClass({"graphEquationTable", 0, kNSObject, graphEquationTable::initWithCoder});
}
