#include "app/graphConstant.h"

#include <charconv>
#include <string>

#include "equationEditor/geEditUnaryOp.h"

double graphAtof(const QString &text) {
    const std::string bytes = text.toStdString();
    const char *first = bytes.data();
    const char *last = first + bytes.size();
    while (first != last && (*first == ' ' || (*first >= '\t' && *first <= '\r'))) ++first;
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first != last && (*first == '+' || *first == '-')) return 0.0;  // "+-1" is no number
    double value = 0.0;
    std::from_chars(first, last, value, std::chars_format::general);
    return negative ? -value : value;
}

int graphConstantTable::addConstant() {
    constants_.emplace_back(QStringLiteral(" "), 0.0);
    return count() - 1;
}

void graphConstantTable::removeConstant(int row) {
    if (row < 0 || row >= count()) return;
    constants_.erase(constants_.begin() + row);
}

QString graphConstantTable::nameWhileTyping(const QString &text) {
    return text.size() > 1 ? text.left(1) : text;
}

std::optional<QString> graphConstantTable::acceptedName(const QString &text) {
    const QString name = text.toLower();
    // A reserved letter would be read as a variable, e or pi and shadow the constant.
    if (name.isEmpty() || (name.size() == 1 && geIsReservedLetter(name.at(0))) ||
        !geIsLetter(name.at(0).unicode()))
        return std::nullopt;
    for (QChar c : name)
        if (!geIsLetter(c.unicode()) && !geIsDigit(c.unicode())) return std::nullopt;
    return name;
}

bool graphConstantTable::setName(int row, const QString &text) {
    const std::optional<QString> name = acceptedName(text);
    if (!name) return false;
    if (row >= 0 && row < count()) constants_[static_cast<size_t>(row)].setConstantName(*name);
    return true;
}

void graphConstantTable::setValue(int row, const QString &text) {
    if (row >= 0 && row < count())
        constants_[static_cast<size_t>(row)].setConstantValue(graphAtof(text));
}

double graphConstantTable::constantForString(const QString &name) const {
    for (const graphConstant &c : constants_)
        if (c.constantName() == name) return c.constantValue();
    return 1.0;
}

bool graphConstantTable::stringInFunctionArray(const QString &name) const {
    return geEditFunc::recognizesFunction(name);
}

QStringList graphConstantTable::constantNames() const {
    QStringList names;
    for (const graphConstant &c : constants_) names << c.constantName();
    return names;
}

QStringList graphConstantTable::constantValues() const {
    QStringList values;
    // 17 significant digits read back as the same double.
    for (const graphConstant &c : constants_) values << QString::number(c.constantValue(), 'g', 17);
    return values;
}

std::vector<graphConstant> graphConstantTable::fromStrings(const QStringList &names,
                                                           const QStringList &values) {
    std::vector<graphConstant> rows;
    for (qsizetype i = 0; i < values.size(); ++i)
        rows.emplace_back(i < names.size() ? names.at(i) : QString(), graphAtof(values.at(i)));
    return rows;
}
