#include "app/graphEquationDocument.h"

#include <QFileInfo>

#include "platform/archive/slArchiver.h"
#include "platform/archive/slFileIO.h"
#include "platform/archive/slUnarchiver.h"

namespace {

void registerArchiveClasses() {
    static const bool registered = [] {
        graphEquationTableRegisterArchiveClasses(slArchiveRegistry::shared());
        return true;
    }();
    (void)registered;
}

// Extensions of pictures, which an equation set must never overwrite by a slip.
bool isPictureName(const QString &path) {
    static const QStringList pictures{"png", "tif", "tiff", "jpg", "jpeg",
                                      "gif", "bmp", "pdf",  "svg"};
    return pictures.contains(QFileInfo(path).suffix().toLower());
}

// The list's edits. Each first redo is the edit itself, made before the command is pushed.
class graphListCommand : public QUndoCommand {
public:
    graphListCommand(const QString &label, graphEquationTable *table)
        : QUndoCommand(label), table_(table) {}

protected:
    bool firstRedo() { return std::exchange(first_, false); }
    graphEquationTable *table_;

private:
    bool first_ = true;
};

class graphAddCommand : public graphListCommand {
public:
    graphAddCommand(graphEquationTable *table, int row, graphEquationContainerPtr entry)
        : graphListCommand(QObject::tr("Add Equation"), table),
          row_(row),
          entry_(std::move(entry)) {}
    void undo() override { table_->takeEquation(row_); }
    void redo() override {
        if (!firstRedo()) table_->insertEquation(row_, entry_);
    }

private:
    int row_;
    graphEquationContainerPtr entry_;
};

class graphDeleteCommand : public graphListCommand {
public:
    graphDeleteCommand(graphEquationTable *table, int row, graphEquationContainerPtr entry)
        : graphListCommand(QObject::tr("Delete Equation"), table),
          row_(row),
          entry_(std::move(entry)) {}
    void undo() override { table_->insertEquation(row_, entry_); }
    void redo() override {
        if (!firstRedo()) table_->takeEquation(row_);
    }

private:
    int row_;
    graphEquationContainerPtr entry_;
};

class graphRenameCommand : public graphListCommand {
public:
    graphRenameCommand(graphEquationTable *table, int row, QString before, QString after)
        : graphListCommand(QObject::tr("Rename Equation"), table),
          row_(row),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { set(before_); }
    void redo() override { set(after_); }

private:
    void set(const QString &name) {
        table_->setEquationName(row_, name);
        table_->selectRow(row_);
    }
    int row_;
    QString before_, after_;
};

class graphColorCommand : public graphListCommand {
public:
    graphColorCommand(graphEquationTable *table, int row, QColor before, QColor after)
        : graphListCommand(QObject::tr("Change Colour"), table),
          row_(row),
          before_(before),
          after_(after) {}
    void undo() override { set(before_); }
    void redo() override {
        if (!firstRedo()) set(after_);
    }

private:
    void set(const QColor &color) {
        if (table_->selectedRow() != row_) table_->selectRow(row_);
        table_->setEquationColor(color);
        table_->selectRow(row_);  // the colour well and the table's swatch show the colour
    }
    int row_;
    QColor before_, after_;
};

}  // namespace

graphEquationDocument::readResult graphEquationDocument::readFile(const QString &path) {
    QByteArray data;
    QString reason;
    if (!slReadFileBounded(path, largestFile, data, reason)) return {nullptr, reason};
    return readData(data);
}

graphEquationDocument::readResult graphEquationDocument::readData(const QByteArray &data) {
    registerArchiveClasses();
    QString error;
    const slArchivedObject root = slUnarchiver::unarchiveObjectWithData(data, &error);
    if (!error.isEmpty()) return {nullptr, error};
    const auto *coded = std::get_if<std::shared_ptr<slCoding>>(&root);
    auto table = coded != nullptr ? std::dynamic_pointer_cast<graphEquationTable>(*coded) : nullptr;
    if (!table) return {nullptr, QStringLiteral("the archive does not hold an equation set")};
    if (table->equationCount() == 0)
        return {nullptr, QStringLiteral("the equation set holds no equation")};
    return {table, {}};
}

QString graphEquationDocument::writeFile(const graphEquationTable &table, const QString &path) {
    if (isPictureName(path))
        return QStringLiteral(
            "an equation set is not written under a picture's name; use a "
            ".plw name");
    registerArchiveClasses();
    QString reason;
    if (!slWriteFileAtomically(path, slArchiver::archivedDataWithRootObject(table), reason))
        return reason;
    return {};
}

graphEquationDocument::graphEquationDocument(const std::optional<QColor> &defaultColor,
                                             QObject *parent)
    : QObject(parent), table_(std::make_shared<graphEquationTable>()) {
    if (defaultColor) table_->setDefaultColor(*defaultColor);
    table_->createInitialEquation();
    connectStack();
}

graphEquationDocument::graphEquationDocument(std::shared_ptr<graphEquationTable> table,
                                             const QString &path, QObject *parent)
    : QObject(parent), table_(std::move(table)) {
    table_->setName(QFileInfo(path).absoluteFilePath());
    connectStack();
}

graphEquationDocument::~graphEquationDocument() {
    // Commands refer to the list and the editor's trees: none may run once the list goes.
    undoStack_.disconnect(this);
    undoStack_.clear();
}

void graphEquationDocument::connectStack() {
    // Each edit of a tree keeps one copy of the tree: bounded, the history stays small even
    // for equations of thousands of nodes.
    undoStack_.setUndoLimit(500);
    connect(&undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    connect(&undoStack_, &QUndoStack::indexChanged, this, [this] { changesDiscarded_ = false; });
}

QString graphEquationDocument::saveAs(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QString reason = writeFile(*table_, absolute);
    if (!reason.isEmpty()) return reason;
    table_->setName(absolute);
    undoStack_.setClean();
    changesDiscarded_ = false;
    return {};
}

void graphEquationDocument::addEquation() {
    table_->addEquation();
    const int row = table_->equationCount() - 1;
    undoStack_.push(new graphAddCommand(table_.get(), row, table_->equations()[size_t(row)]));
}

void graphEquationDocument::deleteEquation() {
    const int row = table_->selectedRow();
    if (table_->equationCount() <= 1 || row < 0 || row >= table_->equationCount()) return;
    graphEquationContainerPtr entry = table_->equations()[size_t(row)];
    table_->deleteEquation();
    undoStack_.push(new graphDeleteCommand(table_.get(), row, std::move(entry)));
}

void graphEquationDocument::renameEquation(int row, const QString &name) {
    if (row < 0 || row >= table_->equationCount()) return;
    const QString before = table_->equations()[size_t(row)]->name();
    if (before == name) return;
    undoStack_.push(new graphRenameCommand(table_.get(), row, before, name));
}

void graphEquationDocument::recolorEquation(const QColor &color) {
    const int row = table_->selectedRow();
    if (row < 0 || row >= table_->equationCount()) return;
    const QColor before = table_->equations()[size_t(row)]->color();
    if (before == color) return;
    table_->setEquationColor(color);
    undoStack_.push(new graphColorCommand(table_.get(), row, before, color));
}
