// An equation set as a document: its list, its file, its undo history and whether it has
// unsaved changes. Without widgets, so that the window and the command line read and write
// sets through the same code, and the rules are tested without a display.
//
// Every change of the list (add, delete, rename, recolour) is a command on the document's
// undo stack; the editor pushes its tree edits onto the same stack. The document is
// modified exactly when the stack is away from its clean state, so undoing back to the
// saved state clears the mark at once.
#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QUndoStack>

#include <memory>
#include <optional>

#include "app/graphEquationTable.h"

class graphEquationDocument : public QObject {
    Q_OBJECT
public:
    // Larger than any set a person makes by far; refuses /dev/zero and the like.
    static constexpr qint64 largestFile = 256LL * 1024 * 1024;

    // A list read from a file or from bytes, or null with a one-line reason that does not
    // name the file. A set without entries is refused: a list never has fewer than one.
    struct readResult {
        std::shared_ptr<graphEquationTable> table;
        QString reason;
    };
    static readResult readFile(const QString &path);
    static readResult readData(const QByteArray &data);
    // Writes the list as an equation-set file (atomically, through symbolic links); the
    // reason of the failure, or empty.
    static QString writeFile(const graphEquationTable &table, const QString &path);

    // A new document holding one empty equation in defaultColor (black without one),
    // without a file.
    explicit graphEquationDocument(const std::optional<QColor> &defaultColor = std::nullopt,
                                   QObject *parent = nullptr);
    // A document of a list that was read from path, unmodified.
    graphEquationDocument(std::shared_ptr<graphEquationTable> table, const QString &path,
                          QObject *parent = nullptr);
    ~graphEquationDocument() override;

    graphEquationTable &table() const { return *table_; }
    // The file's absolute path, empty for a document never saved.
    const QString &path() const { return table_->name(); }
    QUndoStack &undoStack() { return undoStack_; }

    bool isModified() const { return !undoStack_.isClean(); }
    // Writes the list to path. On success path becomes the document's file and the document
    // is unmodified; on failure nothing changes and the reason is answered.
    QString saveAs(const QString &path);
    // The user chose to drop the changes made so far: they are not asked about again until
    // the next edit.
    void discardChanges() { changesDiscarded_ = true; }
    bool changesDiscarded() const { return changesDiscarded_; }
    // Takes a discard back: an open that then failed leaves the changes to ask about.
    void keepChanges() { changesDiscarded_ = false; }

    // The list's edits, each one step of the undo history. addEquation adds a named entry
    // in the default colour; deleteEquation removes the selected entry unless it is the
    // last; recolorEquation colours the selected entry.
    void addEquation();
    void deleteEquation();
    void renameEquation(int row, const QString &name);
    void recolorEquation(const QColor &color);

signals:
    void modifiedChanged(bool modified);

private:
    void connectStack();

    std::shared_ptr<graphEquationTable> table_;
    QUndoStack undoStack_;
    bool changesDiscarded_ = false;
};
