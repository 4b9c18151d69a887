// The first stage of reading a formula written as text: the text normalised (compatibility
// forms folded, invisible formatting dropped), then cut into tokens that keep the column
// of their first character in the text as given.
#pragma once

#include <QString>
#include <vector>

// A refusal: the message already ends with "at column N" and the advice after it.
struct geTextParseError {
    QString message;
    int column;
};

// Throws the refusal "<what> at column <column>[: <advice>]".
[[noreturn]] void geTextFail(const QString &what, int column, const QString &advice = QString());

enum class geTextTok {
    End,
    Number,    // digits with a decimal point, written as plain decimals
    Var,       // one letter
    Func,      // a function name, lower case, as the reader knows it (see geTextFunctions)
    Pi,        // pi or π
    Fraction,  // ½ ⅓ ¼ ¾, text "1/2"
    Op,        // + - * / ^ = , ( ) | ?
};

struct geTextToken {
    geTextTok kind;
    QString text;              // the number's text, the letter, the function's name, the operator
    int column;                // 1-based column of the token's first character in the text as given
    qsizetype start = 0;       // index of the first character in the normalised text
    qsizetype end = 0;         // index after the last character in the normalised text
    bool spaceBefore = false;  // blank space separates it from the token before
    bool is(char16_t op) const { return kind == geTextTok::Op && text.at(0) == op; }
};

// Whether the reader knows name as a function: the editor's table, sqrt, root and the
// names other programs use (exp, arcsin, lg, sec, cbrt, pow, ...).
bool geTextIsFunctionName(const QString &name);

class geTextTokenizer {
public:
    explicit geTextTokenizer(const QString &text);

    std::vector<geTextToken> run();
    // The normalised text that the tokens index.
    const QString &normalized() const { return text_; }

private:
    int column(qsizetype index) const { return columns_[size_t(index)]; }
    void push(geTextTok kind, const QString &text, qsizetype start, qsizetype end);
    void operatorChar();
    void superscripts();
    QString digitsAt();
    void number();
    void checkNumberSideBySide(qsizetype start);
    void letters();
    void refuseUnknownName(const QString &run, qsizetype start);
    void functionDigits(qsizetype start);
    bool insideCallBrackets() const;

    QString original_;
    QString text_;
    std::vector<int> columns_;  // column of each unit of text_, and one past the end
    qsizetype i_ = 0;
    std::vector<geTextToken> tokens_;
    std::vector<bool> callBrackets_;  // for each open "(", whether it holds a call's arguments
};
