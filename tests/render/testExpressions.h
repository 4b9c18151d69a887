// Builds engine trees from short text for tests: "x^2 - 4", "y = 1/x", "x = y^2".
// Grammar: list := equation (',' equation)*; equation := sum ('=' sum)?;
// sum := product (('+' | '-') product)*; product := unary (('*' | '/') unary)*;
// unary := '-' unary | power; power := atom ('^' unary)?;
// atom := number | letter | name '(' sum ')' | '(' sum ')'.
// Letters x y z t s k e are variables or e; names: sin cos tan ln log abs.
#pragma once

#include "engine/engine.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

class testExpressionParser {
public:
    explicit testExpressionParser(const char *text) : p(text) {}

    grExp *parse() {
        grExp *e = equation();
        while (peek() == ',') {
            p++;
            e = grNewBinaryExp(grOpComma, e, equation());
        }
        if (peek() != '\0') throw std::runtime_error(std::string("unexpected text: ") + p);
        return e;
    }

private:
    char peek() {
        while (*p == ' ') p++;
        return *p;
    }

    grExp *equation() {
        grExp *e = sum();
        if (peek() == '=') {
            p++;
            e = grNewBinaryExp(grOpEquals, e, sum());
        }
        return e;
    }

    grExp *sum() {
        grExp *e = product();
        for (char c = peek(); c == '+' || c == '-'; c = peek()) {
            p++;
            e = grNewBinaryExp(c == '+' ? grOpAdd : grOpSub, e, product());
        }
        return e;
    }

    grExp *product() {
        grExp *e = unary();
        for (char c = peek(); c == '*' || c == '/'; c = peek()) {
            p++;
            e = grNewBinaryExp(c == '*' ? grOpMul : grOpDiv, e, unary());
        }
        return e;
    }

    grExp *unary() {
        if (peek() == '-') {
            p++;
            return grNewUnaryExp(grFnNegate, unary());
        }
        grExp *e = atom();
        if (peek() == '^') {
            p++;
            e = grNewBinaryExp(grOpPow, e, unary());
        }
        return e;
    }

    grExp *atom() {
        char c = peek();
        if (c == '(') {
            p++;
            grExp *e = sum();
            expect(')');
            return e;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            char *end = nullptr;
            double v = std::strtod(p, &end);
            p = end;
            return grNewNumberExp(v);
        }
        static const struct {
            const char *name;
            uint8_t fn;
        } functions[] = {{"sin", grFnSin}, {"cos", grFnCos}, {"tan", grFnTan},
                         {"ln", grFnLn},   {"log", grFnLog}, {"abs", grFnAbs}};
        for (const auto &f : functions) {
            size_t n = std::strlen(f.name);
            if (std::strncmp(p, f.name, n) == 0 && p[n] == '(') {
                p += n + 1;
                grExp *e = sum();
                expect(')');
                return grNewUnaryExp(f.fn, e);
            }
        }
        static const char letters[] = "tsxyzk_e";
        const char *at = std::strchr(letters, c);
        if (c != '\0' && at != nullptr && c != '_') {
            p++;
            return grNewConstantExp(static_cast<uint8_t>(at - letters));
        }
        throw std::runtime_error(std::string("cannot parse: ") + p);
    }

    void expect(char c) {
        if (peek() != c) throw std::runtime_error(std::string("expected ") + c);
        p++;
    }

    const char *p;
};

inline grExp *testExpression(const char *text) {
    return testExpressionParser(text).parse();
}

// A classified equation; the test fails loudly when classification does.
inline grEquation *testEquation(const char *text) {
    grExp *tree = testExpression(text);
    grEquation *q = grNewEquation(tree);
    if (q == nullptr) {
        grFreeExp(tree);
        throw std::runtime_error(std::string("not graphable: ") + text);
    }
    return q;
}
