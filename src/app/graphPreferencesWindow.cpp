#include "app/graphPreferencesWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QValidator>

#include "ui_graphPreferencesWindow.h"

namespace {

// The name cell while typed: cut to its first character; only a name the table accepts
// may end the editing, so a refused one keeps the cell in editing.
class constantNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override {
        input = graphConstantTable::nameWhileTyping(input);
        position = std::min(position, int(input.size()));
        return graphConstantTable::acceptedName(input) ? Acceptable : Intermediate;
    }
};

class constantDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && index.column() == 0)
            line->setValidator(new constantNameValidator(line));
        return editor;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line) return QStyledItemDelegate::setEditorData(editor, index);
        // The value is edited as the number it is, not as its six-decimal display.
        line->setText(index.data(Qt::EditRole).toString());
        line->selectAll();
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (line && index.column() == 0 && !line->hasAcceptableInput()) {
            QApplication::beep();
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

}  // namespace

QVariant graphConstantsModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= table.count()) return {};
    const graphConstant &c = table.constants()[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return index.column() == 1 ? QString::asprintf("%f", c.constantValue()) : c.constantName();
    if (role == Qt::EditRole)
        return index.column() == 1 ? QString::number(c.constantValue(), 'g', 17) : c.constantName();
    return {};
}

QVariant graphConstantsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 1 ? graphPreferencesWindow::tr("Value") : graphPreferencesWindow::tr("Name");
}

bool graphConstantsModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    if (index.column() == 0) {
        if (!table.setName(index.row(), value.toString())) return false;
    } else {
        table.setValue(index.row(), value.toString());
    }
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags graphConstantsModel::flags(const QModelIndex &index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

int graphConstantsModel::addConstant() {
    beginInsertRows({}, table.count(), table.count());
    const int row = table.addConstant();
    endInsertRows();
    return row;
}

void graphConstantsModel::removeConstant(int row) {
    if (row < 0 || row >= table.count()) return;
    beginRemoveRows({}, row, row);
    table.removeConstant(row);
    endRemoveRows();
}

void graphConstantsModel::reload() {
    beginResetModel();
    endResetModel();
}

graphPreferencesWindow::graphPreferencesWindow(graphPreferences &preferences, QWidget *parent)
    : QWidget(parent, Qt::Window),
      form(std::make_unique<Ui::graphPreferencesWindow>()),
      preferences(preferences) {
    form->setupUi(this);
    model = new graphConstantsModel(preferences.constants, this);
    form->constantTable->setModel(model);
    form->constantTable->setItemDelegate(new constantDelegate(form->constantTable));
    form->constantTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    form->constantTable->setSelectionMode(QAbstractItemView::SingleSelection);
    form->constantTable->horizontalHeader()->setStretchLastSection(true);
    form->constantTable->verticalHeader()->hide();
    connect(
        form->constantTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        [this] {
            form->removeButton->setEnabled(form->constantTable->selectionModel()->hasSelection());
        });
    connect(form->addButton, &QPushButton::clicked, this, &graphPreferencesWindow::addConstant);
    connect(form->removeButton, &QPushButton::clicked, this,
            &graphPreferencesWindow::removeConstant);
    connect(form->applyButton, &QPushButton::clicked, this, [this] {
        readControls();
        if (activatePreferences) activatePreferences();
        showPreferences();
    });
    connect(form->closeButton, &QPushButton::clicked, this,
            &graphPreferencesWindow::closePreferencesBox);
    showPreferences();
}

graphPreferencesWindow::~graphPreferencesWindow() = default;

void graphPreferencesWindow::showPreferences() {
    filling = true;
    const graphPreferenceValues &v = preferences.values;
    form->backgroundColor->setColor(v.backgroundColor);
    form->backgroundColor3D->setColor(v.backgroundColor3D);
    form->gridColor->setColor(v.gridColor);
    form->graphColor->setColor(v.graphColor);
    form->axisColor->setColor(v.axisColor);
    form->selectionColor->setColor(v.selectionColor);
    form->drawModePopup->setCurrentIndex(v.drawMode);
    form->minKBox->setValue(v.minimumK);
    form->maxKBox->setValue(v.maximumK);
    form->animationStepBox->setValue(v.animationSteps);
    form->playSoundCheck->setChecked(v.playSounds);
    form->colorByHeightCheck->setChecked(v.colorByHeight);
    model->reload();
    form->removeButton->setEnabled(false);
    filling = false;
}

void graphPreferencesWindow::readControls() {
    graphPreferenceValues &v = preferences.values;
    v.backgroundColor = form->backgroundColor->color();
    v.backgroundColor3D = form->backgroundColor3D->color();
    v.gridColor = form->gridColor->color();
    v.graphColor = form->graphColor->color();
    v.axisColor = form->axisColor->color();
    v.selectionColor = form->selectionColor->color();
    v.drawMode = form->drawModePopup->currentIndex();
    v.minimumK = form->minKBox->value();
    v.maximumK = form->maxKBox->value();
    v.animationSteps = form->animationStepBox->value();
    v.playSounds = form->playSoundCheck->isChecked();
    v.colorByHeight = form->colorByHeightCheck->isChecked();
}

void graphPreferencesWindow::addConstant() {
    const int row = model->addConstant();
    QTableView *table = form->constantTable;
    table->selectionModel()->select(
        model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->setCurrentIndex(model->index(row, 0));
    table->edit(model->index(row, 0));
}

void graphPreferencesWindow::removeConstant() {
    const QModelIndexList rows = form->constantTable->selectionModel()->selectedRows();
    if (!rows.isEmpty()) model->removeConstant(rows.first().row());
}

void graphPreferencesWindow::closePreferencesBox() {
    close();
}

void graphPreferencesWindow::closeEvent(QCloseEvent *event) {
    // An open cell editor hands its text in first.
    if (QWidget *editor = form->constantTable->indexWidget(form->constantTable->currentIndex()))
        editor->clearFocus();
    readControls();
    if (activatePreferences) activatePreferences();
    showPreferences();
    QWidget::closeEvent(event);
}
