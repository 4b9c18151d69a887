#include "app/graphEquationTableModel.h"

#include <QPixmap>

#include "app/graphEquationTable.h"

void graphEquationTableModel::setTable(graphEquationTable *table) {
    beginResetModel();
    table_ = table;
    endResetModel();
}

void graphEquationTableModel::reload() {
    beginResetModel();
    endResetModel();
}

void graphEquationTableModel::refreshRow(int row) {
    if (row >= 0 && row < rowCount()) emit dataChanged(index(row, 0), index(row, 0));
}

int graphEquationTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() || !table_ ? 0 : table_->equationCount();
}

int graphEquationTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant graphEquationTableModel::data(const QModelIndex &index, int role) const {
    if (!table_ || !index.isValid() || index.row() >= table_->equationCount()) return {};
    const graphEquationContainer &entry = *table_->equations()[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return entry.name();
        case Qt::DecorationRole: {
            // A swatch of the entry's colour beside its name.
            QPixmap swatch(12, 12);
            swatch.fill(entry.color());
            return swatch;
        }
        default: return {};
    }
}

bool graphEquationTableModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!table_ || role != Qt::EditRole || !index.isValid() ||
        index.row() >= table_->equationCount())
        return false;
    const QString name = value.toString();
    if (name == table_->equations()[size_t(index.row())]->name()) return false;
    if (rename_)
        rename_(index.row(), name);
    else
        table_->setEquationName(index.row(), name);
    return true;
}

Qt::ItemFlags graphEquationTableModel::flags(const QModelIndex &index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

QVariant graphEquationTableModel::headerData(int section, Qt::Orientation orientation,
                                             int role) const {
    if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0) return tr("Name");
    return {};
}
