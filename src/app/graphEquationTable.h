// The equation list: its entries, their names and colours, and graphing. Its document
// (graphEquationDocument) reads and writes it and keeps its undo history.
//
// This is the list's model; the equation window attaches to it as its observer (entries
// changed, selected row changed, delete button state, message text, title, editor focus)
// and calls the actions as its controls are used. A plain observer rather than Qt signals,
// because a list read from a file is built on the archive reader's own thread. A fresh list
// is made by the constructor followed by createInitialEquation, so it never drops below one
// entry; a list read from a file holds exactly the file's entries, at least one.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "app/graphEquationContainer.h"
#include "view/graphViewInterfaces.h"

class graphGLView;
class slArchiveRegistry;

// What the equation window learns from the list. Every method defaults to nothing.
class graphEquationTableObserver {
public:
    virtual ~graphEquationTableObserver() = default;
    virtual void entriesChanged() {}
    virtual void selectedRowChanged(int /*row*/) {}
    virtual void deleteEnabledChanged(bool /*enabled*/) {}
    virtual void messageTextChanged(const QString & /*text*/) {}
    virtual void titleChanged(const QString & /*title*/) {}
    virtual void editorFocusRequested() {}
};

class graphEquationTable : public slCoding, public graphEquationSource {
public:
    graphEquationTable();
    graphEquationTable(const graphEquationTable &) = delete;
    graphEquationTable &operator=(const graphEquationTable &) = delete;

    // The window that shows the list; null for none.
    void setObserver(graphEquationTableObserver *observer);

    const std::vector<graphEquationContainerPtr> &equations() const { return equations_; }
    // The row selected in the window's table, -1 for none.
    int selectedRow() const { return selectedRow_; }
    bool isDeleteEnabled() const { return deleteEnabled_; }
    const QString &messageText() const { return messageText_; }

    void setGraphView(graphGLView *view);
    void setDefaultColor(const QColor &color) { color_ = color; }
    // With the palette on, a new entry takes the first colour after the default that no
    // entry has (graphNewEquationColor) instead of the default itself.
    void setPaletteColors(bool on) { paletteColors_ = on; }
    // Where the letters of the equations get their values when graphed (null: from the
    // tree's own delegate, as the command line sets it).
    void setConstantSource(geEditDelegate *source) { constantSource_ = source; }
    const std::optional<QColor> &defaultColor() const { return color_; }

    void createInitialEquation();
    graphEquationContainerPtr addEmptyEquation();
    void addEquation();
    void deleteEquation();
    // Undo's counterparts of add and delete. insertEquation puts an entry back at row and
    // selects it; takeEquation removes the entry at row whatever the count, selects its
    // neighbour and answers it (null for a row out of range). Both regraph a graphed view,
    // as deleting does, and leave the counter of names alone.
    void insertEquation(int row, graphEquationContainerPtr entry);
    graphEquationContainerPtr takeEquation(int row);
    // Graphs every entry; the graph view's answer (empty after success) becomes the message.
    void graph();
    // The window's table selected a row (or none, -1).
    void selectRow(int row);
    // The table renamed an entry; the colour well recoloured the selected one.
    void setEquationName(int row, const QString &name);
    void setEquationColor(const QColor &color);

    // graphEquationSource: what the graph view draws.
    int equationCount() override { return static_cast<int>(equations_.size()); }
    QColor colorAtIndex(int index) override;
    // A new classified equation the caller owns, or null (index out of range, or the
    // classifier's failure with gGraphExpressionError set).
    grEquation *equationAtIndex(int index) override;

    // The equation-set file of this list (graphEquationDocument reads and writes it).
    void setName(const QString &path);
    const QString &name() const { return name_; }

    const char *archiveClassName() const override { return "graphEquationTable"; }
    void encodeWithCoder(slArchiver &coder) const override;
    static std::shared_ptr<slCoding> initWithCoder(slUnarchiver &coder);

private:
    void setDeleteEnabled(bool enabled);
    void append(graphEquationContainerPtr entry);

    std::vector<graphEquationContainerPtr> equations_;
    int eqCounter_ = 1;
    std::optional<QColor> color_;
    bool paletteColors_ = false;
    int selectedRow_ = -1;
    bool deleteEnabled_ = false;
    QString messageText_;
    QString name_;
    graphGLView *graphView_ = nullptr;
    geEditDelegate *constantSource_ = nullptr;
    graphEquationTableObserver silentObserver_;
    graphEquationTableObserver *observer_ = &silentObserver_;
};

// Registers the list, its entries and the editor's nodes with the archive registry.
void graphEquationTableRegisterArchiveClasses(slArchiveRegistry &registry);
