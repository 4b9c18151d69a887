// One entry of the equation list: a name, the root of its editor tree and a colour.
#pragma once

#include <QColor>
#include <QString>
#include <memory>

#include "equationEditor/geEdit.h"
#include "platform/archive/slCoding.h"

class graphEquationContainer : public slCoding {
public:
    // Named "untitled", holding a root over one empty placeholder, black.
    graphEquationContainer();

    const QString &name() const { return name_; }
    const geEditPtr &equation() const { return equation_; }
    const QColor &color() const { return color_; }
    void setEquationName(const QString &name) { name_ = name; }
    void setEquation(geEditPtr equation) { equation_ = std::move(equation); }
    void setEquationColor(const QColor &color) { color_ = color; }

    // Archived as three objects: the name, the colour, the tree.
    const char *archiveClassName() const override { return "graphEquationContainer"; }
    void encodeWithCoder(slArchiver &coder) const override;
    static std::shared_ptr<slCoding> initWithCoder(slUnarchiver &coder);

private:
    QString name_;
    geEditPtr equation_;
    QColor color_;
};

using graphEquationContainerPtr = std::shared_ptr<graphEquationContainer>;
