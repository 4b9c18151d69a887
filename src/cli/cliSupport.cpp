#include "cli/cliSupport.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>

void cliFail(const QString &message) {
    throw cliError(cliBadInput, message);
}
void cliUsageError(const QString &message) {
    throw cliError(cliUsage, message);
}

namespace {

bool contains(const std::vector<std::string> &names, const std::string &name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

QString quoted(const QString &text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString invalid(const std::string &option, const QString &text, const char *expected) {
    return QStringLiteral("%1 %2: expected %3")
        .arg(QString::fromStdString(option), quoted(text), QString::fromUtf8(expected));
}

}  // namespace

cliArguments::cliArguments(const std::vector<std::string> &args,
                           const std::vector<std::string> &flags,
                           const std::vector<std::string> &valued) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); i++) {
        const std::string &a = args[i];
        const bool isOption = !optionsEnded && (a.rfind("--", 0) == 0 || a == "-o");
        if (!isOption) {
            items_.emplace_back(std::string(), QString::fromUtf8(a.c_str()));
        } else if (a == "--") {
            optionsEnded = true;
        } else if (contains(flags, a)) {
            items_.emplace_back(a, QString());
        } else if (contains(valued, a)) {
            if (i + 1 >= args.size())
                cliUsageError(
                    QStringLiteral("option %1 needs a value").arg(QString::fromStdString(a)));
            items_.emplace_back(a, QString::fromUtf8(args[++i].c_str()));
        } else {
            cliUsageError(QStringLiteral("unknown option %1").arg(QString::fromStdString(a)));
        }
    }
}

bool cliArguments::has(const std::string &option) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const auto &item) { return item.first == option; });
}

std::optional<QString> cliArguments::value(const std::string &option) const {
    std::optional<QString> found;
    for (const auto &item : items_)
        if (item.first == option) found = item.second;
    return found;
}

std::vector<QString> cliArguments::positional() const {
    std::vector<QString> result;
    for (const auto &item : items_)
        if (item.first.empty()) result.push_back(item.second);
    return result;
}

double cliParseNumber(const std::string &option, const QString &text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) cliFail(invalid(option, text, "a finite number"));
    return value;
}

int cliParseInteger(const std::string &option, const QString &text, int minimum, int maximum) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < minimum || value > maximum) {
        const std::string expected =
            "a whole number from " + std::to_string(minimum) + " to " + std::to_string(maximum);
        cliFail(invalid(option, text, expected.c_str()));
    }
    return value;
}

std::pair<double, double> cliParsePair(const std::string &option, const QString &text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2) cliFail(invalid(option, text, "two numbers separated by a comma"));
    return {cliParseNumber(option, parts[0]), cliParseNumber(option, parts[1])};
}

std::pair<double, double> cliParseRange(const std::string &option, const QString &text) {
    const auto range = cliParsePair(option, text);
    if (!(range.first < range.second)) cliFail(invalid(option, text, "a range A,B with A < B"));
    return range;
}

std::pair<int, int> cliParseSize(const std::string &option, const QString &text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    const int width = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int height = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (width < 1 || height < 1 || width > 8192 || height > 8192)
        cliFail(invalid(option, text, "WIDTHxHEIGHT, each from 1 to 8192 pixels"));
    return {width, height};
}

QColor cliParseColor(const std::string &option, const QString &text) {
    static const QRegularExpression pattern(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
    if (!pattern.match(text).hasMatch())
        cliFail(invalid(option, text, "a colour RRGGBB in hexadecimal"));
    return QColor(QStringLiteral("#") + text.right(6));
}

QString cliEscaped(const QString &text, bool withBackslash) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' && withBackslash)
            out += QStringLiteral("\\\\");
        else if (u == u'\t')
            out += QStringLiteral("\\t");
        else if (u == u'\n')
            out += QStringLiteral("\\n");
        else if (u == u'\r')
            out += QStringLiteral("\\r");
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            out += QStringLiteral("\\x") +
                   QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else if (c.category() == QChar::Other_Format || c.category() == QChar::Separator_Line ||
                 c.category() == QChar::Separator_Paragraph)
            out += QStringLiteral("\\u{") +
                   QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0')) +
                   QLatin1Char('}');
        else
            out += c;
    }
    return out;
}

namespace {

void printLine(const QString &line, FILE *stream) {
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

}  // namespace

void cliPrint(const QString &line) {
    printLine(line, stdout);
}

void cliPrintError(const QString &line) {
    printLine(line, stderr);
}
