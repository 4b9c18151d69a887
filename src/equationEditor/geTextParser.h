// Reads one equation written as ordinary text into an editor tree, with the precedence
// taught at school:
//
//   ,  lowest: the parts of a parametric equation (";" too)
//   =  one per part (the level where relations belong)
//   + -  sums                             * and implicit products ("3x", "2 sin x", "(a)(b)")
//   unary -  of a fraction or power ("-x^2" is -(x^2), "-a/b" is -(a/b), "-2x" is (-2)·x)
//   /  fractions, over the nearest operands ("1/2x" is (1/2)·x, "a/b/c" is (a/b)/c)
//   ^  right-associative ("2^3^4" is 2^(3^4)); an exponent or denominator may start with
//      a minus ("2^-x", "a/-b"); "**" and superscripts ("x²", "10⁻³") are exponents too
//
// A function takes its argument in call brackets, or without brackets the side-by-side
// product that follows it, up to an operator, a closing bracket or the next function
// name: "sin 2x" is sin(2x), "sin x cos x" is sin(x)·cos(x), "sin x/2" is sin(x)/2, and
// such a product is kept in a brackets node. "sin^2 x" is (sin x)^2, "sin^-1 x" is asin x.
// Names of other programs read as the tree they mean: exp(u) is e^u, arcsin is asin,
// lg and log10 are log, pow(a, b) is a^b, cbrt(u), ∛u and ∜u are roots, sec, csc and cot
// are reciprocals. "f(x) = ..." reads as "y = ...", "x(t) = ..." as "x = ...".
// Runs of letters are split as the editor splits typed letters: the longest function name
// or "pi" ending at each letter is taken ("2pi" is 2π, "xsin x" is x·sin(x)), and every
// other letter is a one-letter variable or user constant ("ab" is a·b). "?" is the empty
// placeholder. Numbers take a decimal point and an exponent ("2.5E-4"), written into the
// number's text as plain decimals.
//
// The text is first folded to its compatibility forms (fullwidth digits, mathematical
// italic letters) with invisible formatting dropped. What a careful reader would have to
// guess is refused with the fix in the message: numbers side by side ("1 000"), a decimal
// comma, "0x10", "1e3e3", "6.02 x 10^23", "log(8, 2)", unknown functions, a second "=".
// Columns in messages count characters of the text as given, 1-based.
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
    QString error;   // e.g. "unknown function floor at column 5: ..."; empty on success
    int column = 0;  // 1-based column of the error, 0 on success
};

// The longest text read; longer texts are refused at their first character.
inline constexpr int geTextParserMaxLength = 16000;

geTextParseResult geParseText(const QString &text);
