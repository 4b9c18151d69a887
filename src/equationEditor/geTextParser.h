// Reads one equation written as ordinary text into an editor tree, with the precedence
// taught at school:
//
//   ,  lowest: a parametric list          =  equation
//   + -  sums                             * and implicit products ("3x", "2 sin x", "(a)(b)")
//   unary -  of a fraction or power ("-x^2" is -(x^2), "-a/b" is -(a/b), "-2x" is (-2)·x)
//   /  fractions, over the nearest operands ("1/2x" is (1/2)·x, "a/b/c" is (a/b)/c)
//   ^  right-associative ("2^3^4" is 2^(3^4)); an exponent or denominator may start with
//      a minus ("2^-x", "a/-b")
//
// Functions of the editor's table are called with brackets or on one factor ("sin(x)",
// "sin x", "sinx"); "sqrt(x)", "root(x, n)", "abs(x)" and "|x|"; "pi" or "π" and "e".
// Runs of letters are split as the editor splits typed letters: the longest function name,
// "sqrt" or "pi" ending at each letter is taken ("2pi" is 2π, "xsin x" is x·sin(x)), and
// every other letter is a one-letter variable or user constant ("ab" is a·b). "?" is the
// empty placeholder. Numbers take a decimal point and an exponent ("2.5E-4"), written into
// the number's text as plain decimals.
//
// The editor's text form reads back to a tree with the same text and the same expression:
// a bracket group around a fraction's side, an exponent or a root's index is the one that
// form adds and leaves no node, "(- x)" is the negation itself, and a function's call
// brackets leave a brackets node only around an operator chain, so the argument is shown
// bracketed. Other brackets become brackets nodes.
#pragma once

#include <QString>
#include <memory>

class geEdit;

struct geTextParseResult {
    std::shared_ptr<geEdit>
        root;        // the equation's root (plain geEdit holding mainExpression); null on failure
    QString error;   // e.g. "unknown function exp at column 5"; empty on success
    int column = 0;  // 1-based column of the error, 0 on success
};

// The longest text read; longer texts are refused at their first character.
inline constexpr int geTextParserMaxLength = 4000;

geTextParseResult geParseText(const QString &text);
