// The preferences window: its controls show the working copy of graphPreferences and
// write every change back into it; Apply and closing the window apply the preferences.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/graphPreferences.h"

namespace Ui {
class graphPreferencesWindow;
}

// The constants table: column 0 the name, column 1 (identifier "value") the value shown
// with "%f". Edits follow the table's rules; a refused name leaves the row unchanged.
class graphConstantsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit graphConstantsModel(graphConstantTable &table, QObject *parent = nullptr)
        : QAbstractTableModel(parent), table(table) {}

    int rowCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : table.count();
    }
    int columnCount(const QModelIndex &parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int addConstant();
    void removeConstant(int row);
    void reload();

private:
    graphConstantTable &table;
};

class graphPreferencesWindow : public QWidget {
    Q_OBJECT
public:
    explicit graphPreferencesWindow(graphPreferences &preferences, QWidget *parent = nullptr);
    ~graphPreferencesWindow() override;

    // Fills the controls from the working copy (after loading, or after applying mended it).
    void showPreferences();
    // Apply and closing the window call this (the controller applies and shows the result).
    std::function<void()> activatePreferences;

    void addConstant();
    void removeConstant();
    // Apply, then close.
    void closePreferencesBox();

    Ui::graphPreferencesWindow &ui() { return *form; }
    graphConstantsModel &constantsModel() { return *model; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void readControls();

    std::unique_ptr<Ui::graphPreferencesWindow> form;
    graphPreferences &preferences;
    graphConstantsModel *model;
    bool filling = false;
};
