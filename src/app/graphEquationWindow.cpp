#include "app/graphEquationWindow.h"
#include "app/graphTranslations.h"

#include <QAbstractButton>
#include <QAction>
#include <QColorDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QUndoGroup>
#include <QUndoStack>

#include "app/graphEquationTableModel.h"
#include "equationEditor/graphEquationEditorView.h"
#include "ui_graphEquationWindow.h"

graphEquationWindow::graphEquationWindow(graphEquationDocument *document, QWidget *parent)
    : QWidget(parent), ui_(std::make_unique<Ui::GraphEquationWindow>()) {
    ui_->setupUi(this);
    undoGroup_ = new QUndoGroup(this);

    editor_ = new graphEquationEditorView;
    editor_->setObjectName(QStringLiteral("equationEditor"));
    ui_->editorScroll->setWidget(editor_);
    // The window gives the keys to the editor; Tab goes list, editor, then the buttons.
    setFocusProxy(editor_);
    setTabOrder(ui_->equationTable, editor_);
    setTabOrder(editor_, ui_->colorWell);
    ui_->splitter->setStretchFactor(0, 1);
    ui_->splitter->setStretchFactor(1, 3);
    ui_->splitter->setSizes({180, 540});
    ui_->editorScroll->setBackgroundRole(QPalette::Base);
    editor_->setGraphButton(ui_->graphButton);
    editor_->setShowRoot([this](const geEditPtr &root) { showRoot(root); });
    connect(editor_, &graphEquationEditorView::statusTextChanged, ui_->messageField,
            &QLabel::setText);

    model_ = new graphEquationTableModel(this);
    model_->setRename([this](int row, const QString &name) { renameEquation(row, name); });
    ui_->equationTable->setModel(model_);
    ui_->equationTable->horizontalHeader()->setStretchLastSection(true);
    ui_->equationTable->verticalHeader()->hide();
    // Without row headers and with one row selected at a time the corner selects nothing.
    ui_->equationTable->setCornerButtonEnabled(false);
    for (QAbstractButton *corner : ui_->equationTable->findChildren<QAbstractButton *>())
        corner->setAccessibleName(tr("Equations corner"));
    connect(ui_->equationTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &graphEquationWindow::tableSelectionChanged);

    connect(ui_->addButton, &QPushButton::clicked, this, &graphEquationWindow::addEquation);
    connect(ui_->deleteButton, &QPushButton::clicked, this, &graphEquationWindow::deleteEquation);
    connect(ui_->graphButton, &QPushButton::clicked, this, &graphEquationWindow::graph);
    connect(ui_->colorWell, &QPushButton::clicked, this, &graphEquationWindow::chooseColor);

    for (int percent : {50, 75, 100, 125, 150, 200, 300, 400})
        ui_->zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    ui_->zoomBox->setCurrentIndex(ui_->zoomBox->findData(1.0));
    connect(ui_->zoomBox, &QComboBox::activated, this,
            [this](int index) { editor_->setScale(ui_->zoomBox->itemData(index).toDouble()); });
    connect(editor_, &graphEquationEditorView::scaleChanged, this, [this](double scale) {
        const int index = ui_->zoomBox->findData(scale);
        if (index >= 0)
            ui_->zoomBox->setCurrentIndex(index);
        else
            ui_->zoomBox->setEditText(QStringLiteral("%1%").arg(qRound(scale * 100)));
    });

    QAction *undo = undoGroup_->createUndoAction(this);
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = undoGroup_->createRedoAction(this);
    redo->setShortcut(QKeySequence::Redo);
    for (QAction *a : {undo, redo}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
    undo->setObjectName(QStringLiteral("undo"));
    redo->setObjectName(QStringLiteral("redo"));

    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &graphEquationWindow::applicationStateChanged);
    setDocument(document);
}

graphEquationWindow::~graphEquationWindow() {
    setDocument(nullptr);
}

QUndoStack *graphEquationWindow::undoStack() const {
    return document_ ? &document_->undoStack() : nullptr;
}

// The tree edits of the old document's history refer to the editor: that history goes, so
// that none of its commands runs on a tree the editor no longer shows.
void graphEquationWindow::setDocument(graphEquationDocument *document) {
    if (table_) table_->setObserver(nullptr);
    if (document_) {
        undoGroup_->removeStack(&document_->undoStack());
        disconnect(document_, nullptr, this, nullptr);
        if (document_ != document) document_->undoStack().clear();
    }
    document_ = document;
    table_ = document ? &document->table() : nullptr;
    model_->setTable(table_);
    editor_->setUndoStack(document ? &document->undoStack() : nullptr);
    if (!document) {
        editor_->setEquation(nullptr);
        return;
    }
    undoGroup_->addStack(&document->undoStack());
    undoGroup_->setActiveStack(&document->undoStack());
    connect(document, &QObject::destroyed, this, [this] {
        document_ = nullptr;
        table_ = nullptr;
        model_->setTable(nullptr);
        editor_->setUndoStack(nullptr);
        editor_->setEquation(nullptr);
    });
    table_->setObserver(this);
    titleChanged(QFileInfo(table_->name()).fileName());
    deleteEnabledChanged(table_->isDeleteEnabled());
    messageTextChanged(table_->messageText());
    if (table_->defaultColor()) showColor(*table_->defaultColor());
    selectedRowChanged(table_->selectedRow());
}

void graphEquationWindow::focusEditor() {
    editor_->setFocus(Qt::OtherFocusReason);
}

// --- actions ---

void graphEquationWindow::addEquation() {
    if (document_) document_->addEquation();
}

void graphEquationWindow::deleteEquation() {
    if (!document_) return;
    graphEquationTable &table = document_->table();
    const int row = table.selectedRow();
    if (table.equationCount() <= 1 || row < 0 || row >= table.equationCount()) return;
    const QString name = table.equations()[size_t(row)]->name();
    document_->deleteEquation();
    const QString undoKeys = QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText);
    ui_->messageField->setText(
        tr("Deleted \u201c%1\u201d. Undo (%2) brings it back.").arg(name, undoKeys));
}

void graphEquationWindow::leaveShortcutsToMenus() {
    for (QAction *action : actions()) action->setShortcuts({});
    for (const char *name : {"cut", "copy", "copyText", "copyLatex", "paste", "selectAll", "zoomIn",
                             "zoomOut", "actualSize"})
        if (QAction *action = editor_->action(name)) action->setShortcuts({});
}

void graphEquationWindow::graph() {
    if (table_) table_->graph();
}

void graphEquationWindow::chooseColor() {
    if (!table_ || table_->selectedRow() < 0) return;
    const QColor current = table_->equations()[size_t(table_->selectedRow())]->color();
    std::optional<QColor> chosen;
    if (colorChooser_) {
        chosen = colorChooser_(current);
    } else {
        const QColor c = QColorDialog::getColor(current, this, tr("Equation Colour"));
        if (c.isValid()) chosen = c;
    }
    if (chosen) setEquationColor(*chosen);
}

void graphEquationWindow::setEquationColor(const QColor &color) {
    if (!document_) return;
    const int row = table_->selectedRow();
    if (row < 0 || row >= table_->equationCount()) return;
    document_->recolorEquation(color);
    showColor(table_->equations()[size_t(row)]->color());
    model_->refreshRow(row);
}

void graphEquationWindow::renameEquation(int row, const QString &name) {
    if (document_) document_->renameEquation(row, name);
}

// --- the list's notifications ---

// Reading the rows again drops the table's selection; the list's selection is shown again.
void graphEquationWindow::entriesChanged() {
    showingSelection_ = true;
    model_->reload();
    if (table_ && table_->selectedRow() >= 0) ui_->equationTable->selectRow(table_->selectedRow());
    showingSelection_ = false;
}

void graphEquationWindow::selectedRowChanged(int row) {
    showingSelection_ = true;
    if (row >= 0)
        ui_->equationTable->selectRow(row);
    else
        ui_->equationTable->clearSelection();
    showingSelection_ = false;
    if (row < 0 || !table_ || row >= table_->equationCount()) {
        // A list without entries leaves nothing to edit.
        if (table_ && table_->equationCount() == 0) editor_->setEquation(nullptr);
        return;
    }
    const graphEquationContainer &entry = *table_->equations()[size_t(row)];
    if (editor_->equation() != entry.equation()) editor_->setEquation(entry.equation());
    showColor(entry.color());
    model_->refreshRow(row);
    focusEditor();
}

void graphEquationWindow::deleteEnabledChanged(bool enabled) {
    ui_->deleteButton->setEnabled(enabled);
}

void graphEquationWindow::messageTextChanged(const QString &text) {
    // The engine's reasons are English; their translations are listed with the window's.
    ui_->messageField->setText(graphTranslatedEngineMessage(text));
}

void graphEquationWindow::titleChanged(const QString &title) {
    setWindowTitle(title.isEmpty() ? tr("Untitled") : title);
}

void graphEquationWindow::editorFocusRequested() {
    focusEditor();
}

// --- helpers ---

void graphEquationWindow::showColor(const QColor &color) {
    QPixmap swatch(32, 14);
    swatch.fill(color);
    ui_->colorWell->setIcon(QIcon(swatch));
    ui_->colorWell->setIconSize(swatch.size());
    ui_->colorWell->setProperty("color", color);
    ui_->colorWell->setAccessibleDescription(color.name());
}

void graphEquationWindow::showRoot(const geEditPtr &root) {
    if (!table_) return;
    const auto &entries = table_->equations();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->equation() == root) {
            table_->selectRow(int(i));
            return;
        }
    }
}

void graphEquationWindow::tableSelectionChanged() {
    if (showingSelection_ || !table_) return;
    const QModelIndexList rows = ui_->equationTable->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    if (row != table_->selectedRow()) table_->selectRow(row);
}

void graphEquationWindow::applicationStateChanged(Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive && editor_->hasFocus())
        editor_->startCursor();
    else if (state != Qt::ApplicationActive)
        editor_->stopCursor();
}
