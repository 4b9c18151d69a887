// The equation list as a Qt item model for the window's table: one row per entry, one
// column of names, renamed inline. Renaming is handed to the window (it goes through undo)
// rather than written here.
#pragma once

#include <QAbstractTableModel>
#include <functional>

class graphEquationTable;

class graphEquationTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit graphEquationTableModel(QObject *parent = nullptr) : QAbstractTableModel(parent) {}

    void setTable(graphEquationTable *table);
    void setRename(std::function<void(int, const QString &)> rename) {
        rename_ = std::move(rename);
    }
    // The list's entries changed: rows are read again.
    void reload();
    // One entry's name or colour changed.
    void refreshRow(int row);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    graphEquationTable *table_ = nullptr;
    std::function<void(int, const QString &)> rename_;
};
