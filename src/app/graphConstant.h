// User constants: one-letter names with a value, kept in table order. The equation editor
// and the graph conversion ask the table for a letter's value through geEditDelegate.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "equationEditor/geEdit.h"

class graphConstant {
public:
    graphConstant() = default;
    graphConstant(const QString &name, double value) : name_(name), value_(value) {}

    const QString &constantName() const { return name_; }
    double constantValue() const { return value_; }
    void setConstantName(const QString &name) { name_ = name; }
    void setConstantValue(double value) { value_ = value; }

    bool operator==(const graphConstant &) const = default;

private:
    QString name_;
    double value_ = 0.0;
};

// Text to a number as C's atof reads it, independent of the locale: leading white space,
// then the longest number at the start; 0.0 when there is none.
double graphAtof(const QString &text);

// The rows of the constants table and the rules of editing them.
class graphConstantTable : public geEditDelegate {
public:
    const std::vector<graphConstant> &constants() const { return constants_; }
    void setConstants(std::vector<graphConstant> constants) { constants_ = std::move(constants); }
    int count() const { return static_cast<int>(constants_.size()); }

    // A new row named " " (one space) worth 0.0 at the end; answers its row.
    int addConstant();
    // Removes the row; a row out of range does nothing.
    void removeConstant(int row);

    // The name cell while typed: a text longer than one character is cut to its first.
    static QString nameWhileTyping(const QString &text);
    // The name cell when editing would end: the lowered name, or nothing when it is refused
    // (reserved, empty, not a letter followed by letters and digits); the cell then stays
    // in editing.
    static std::optional<QString> acceptedName(const QString &text);
    // Ends editing of a cell: false when the name is refused (the row is left unchanged).
    bool setName(int row, const QString &text);
    void setValue(int row, const QString &text);

    // The value of the first constant with exactly this name; 1.0 when there is none.
    double constantForString(const QString &name) const override;
    bool stringInFunctionArray(const QString &name) const override;

    // The stored form: names and values as decimal text, in table order.
    QStringList constantNames() const;
    QStringList constantValues() const;
    // Rows from stored arrays; a value without a name gets the name "" (as stored data
    // can be short), extra names are ignored.
    static std::vector<graphConstant> fromStrings(const QStringList &names,
                                                  const QStringList &values);

private:
    std::vector<graphConstant> constants_;
};
