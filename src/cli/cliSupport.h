// What every command of the command line tool shares: its two kinds of failure, the
// argument reader and the parsers of option values.
#pragma once

#include <QColor>
#include <QString>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Exit status 1: bad input (a file that cannot be read, an option value that does not
// parse, an equation that cannot be graphed, an output that cannot be written).
inline constexpr int cliBadInput = 1;
// Exit status 2: the command line itself is wrong (unknown command or option, a missing
// argument).
inline constexpr int cliUsage = 2;

// A failure with its exit status and one line for standard error. A bare message (the
// classifier's own text) is printed as it is, without the program's name in front.
class cliError : public std::runtime_error {
public:
    cliError(int status, const std::string &message, bool bare = false)
        : std::runtime_error(message), status(status), bare(bare) {}
    cliError(int status, const QString &message, bool bare = false)
        : cliError(status, message.toStdString(), bare) {}
    int status;
    bool bare;
};

[[noreturn]] void cliFail(const QString &message);
[[noreturn]] void cliUsageError(const QString &message);

// Reads a command's arguments: options begin with "--" (and "-o"); everything else is a
// positional argument, so KEYS like "-x" need no quoting; after "--" every argument is
// positional. Each option is declared with the number of values it takes.
class cliArguments {
public:
    // flags: options without a value; valued: options taking one value each.
    cliArguments(const std::vector<std::string> &args, const std::vector<std::string> &flags,
                 const std::vector<std::string> &valued);

    bool has(const std::string &option) const;
    // The option's value, the last one given when repeated.
    std::optional<QString> value(const std::string &option) const;
    // Every (option, value) and positional argument in the order given; positional
    // arguments have an empty option name.
    const std::vector<std::pair<std::string, QString>> &items() const { return items_; }
    std::vector<QString> positional() const;

private:
    std::vector<std::pair<std::string, QString>> items_;
};

// Option values; each fails with status 1 naming the option and the value.
double cliParseNumber(const std::string &option, const QString &text);
int cliParseInteger(const std::string &option, const QString &text, int minimum, int maximum);
// "A,B" with A < B.
std::pair<double, double> cliParseRange(const std::string &option, const QString &text);
// "X,Y" (any two finite numbers).
std::pair<double, double> cliParsePair(const std::string &option, const QString &text);
// "WxH", each side 1..8192 pixels.
std::pair<int, int> cliParseSize(const std::string &option, const QString &text);
// "RRGGBB" with or without a leading "#".
QColor cliParseColor(const std::string &option, const QString &text);

// Text with its control characters written as escapes (\t, \n, \r, \x1B, \u{202E}), so
// that a name or message taken from a file prints whole on one line and cannot drive the
// terminal. withBackslash also doubles backslashes, which keeps the escaping reversible.
QString cliEscaped(const QString &text, bool withBackslash = false);

// Output in UTF-8 on standard output and standard error.
void cliPrint(const QString &line);
void cliPrintError(const QString &line);
