#!/usr/bin/env python3
"""Writes tests/equationEditor/formulaCorpus.tsv: formulas written as people write them,
each with the value it must have at one point, computed here with Python's math module
and nothing of the program.

Columns: formula, variable (x or t), the variable's value, the expected values (one for
"y = ...", two for a parametric "x = ..., y = ..."), separated by tabs. Run again after
changing the templates: python3 tests/tools/makeFormulaCorpus.py
"""
import math
import os

# (text, value): "{a}" is a small whole number, "x" or "t" the variable of the row.
# Value expressions use Python's math names; sec, csc, cot, cbrt and lg are defined below.
TEMPLATES = [
    # Functions without brackets take the side-by-side product after them.
    ("y = sin {a}x", "sin({a}*x)"),
    ("y = sin{a}x", "sin({a}*x)"),
    ("y = cos {a}x", "cos({a}*x)"),
    ("y = tan {a}x", "tan({a}*x)"),
    ("y = ln {a}x", "log({a}*x)"),
    ("y = log {a}x", "log10({a}*x)"),
    ("y = sqrt {a}x", "sqrt({a}*x)"),
    ("y = sin {a}πx", "sin({a}*pi*x)"),
    ("y = sin {a}pi x", "sin({a}*pi*x)"),
    ("y = cos kx", "cos(K*x)"),
    ("y = sin kx + {a}", "sin(K*x) + {a}"),
    ("y = {a} sin x cos x", "{a}*sin(x)*cos(x)"),
    ("y = sin x cos {a}x", "sin(x)*cos({a}*x)"),
    ("y = sin x^{a}", "sin(x**{a})"),
    ("y = sin x/{a}", "sin(x)/{a}"),
    ("y = sin {a}x/3", "sin({a}*x)/3"),
    ("y = sin x + cos {a}x", "sin(x) + cos({a}*x)"),
    ("y = {a}sin x - sin {a}x", "{a}*sin(x) - sin({a}*x)"),
    ("y = sin -{a}x", "sin(-{a}*x)"),
    ("y = e^-x sin {a}x", "exp(-x)*sin({a}*x)"),
    ("y = x sin {a}x", "x*sin({a}*x)"),
    ("y = sin(x) x", "sin(x)*x"),
    ("y = cos(x)/{a}", "cos(x)/{a}"),
    ("y = sin {a}x cos {a}x", "sin({a}*x)*cos({a}*x)"),
    ("y = sqrt x + {a}", "sqrt(x) + {a}"),
    ("y = √{a}x", "sqrt({a}*x)"),
    ("y = √x/{a}", "sqrt(x)/{a}"),
    ("y = ln x^{a}", "log(x**{a})"),
    ("y = abs {a}x - 1", "abs({a}*x) - 1"),
    ("y = |x - {a}|", "abs(x - {a})"),
    ("y = sinh {a}x", "sinh({a}*x)"),
    ("y = tanh x/{a}", "tanh(x)/{a}"),
    # Powers and inverses of functions.
    ("y = sin^2 x", "sin(x)**2"),
    ("y = sin²x + {a}", "sin(x)**2 + {a}"),
    ("y = sin^2(x) - {a}", "sin(x)**2 - {a}"),
    ("y = cos^2 x + sin^2 x + {a}", "cos(x)**2 + sin(x)**2 + {a}"),
    ("y = cos^{a} x", "cos(x)**{a}"),
    ("y = cos³x", "cos(x)**3"),
    ("y = tan^2 {a}x", "tan({a}*x)**2"),
    ("y = sin^-1 x/{a}", "asin(x)/{a}"),
    ("y = sin⁻¹(x) + {a}", "asin(x) + {a}"),
    ("y = cos^-1(x/{a})", "acos(x/{a})"),
    ("y = tan^-1(x) * {a}", "atan(x)*{a}"),
    ("y = tan^(-1) {a}x", "atan({a}*x)"),
    ("y = ln^2 x + {a}", "log(x)**2 + {a}"),
    ("y = {a}sin^2 x cos x", "{a}*sin(x)**2*cos(x)"),
    # Names of other programs.
    ("y = exp(x) - {a}", "exp(x) - {a}"),
    ("y = exp(-x^2/{a})", "exp(-x**2/{a})"),
    ("y = exp x + {a}", "exp(x) + {a}"),
    ("y = {a}exp(-x)", "{a}*exp(-x)"),
    ("y = arcsin(x/{a})", "asin(x/{a})"),
    ("y = arccos x/{a}", "acos(x)/{a}"),
    ("y = arctan({a}x)", "atan({a}*x)"),
    ("y = arctan {a}x + 1", "atan({a}*x) + 1"),
    ("y = log10(x) + {a}", "log10(x) + {a}"),
    ("y = log10({a}x)", "log10({a}*x)"),
    ("y = lg x + {a}", "log10(x) + {a}"),
    ("y = lg({a}x)", "log10({a}*x)"),
    ("y = x**{a}", "x**{a}"),
    ("y = {a}*x**2 - x", "{a}*x**2 - x"),
    ("y = pow(x, {a})", "x**{a}"),
    ("y = pow(x + 1, {a}) - 1", "(x + 1)**{a} - 1"),
    ("y = pow({a}, x)", "{a}**x"),
    ("y = cbrt(x) + {a}", "cbrt(x) + {a}"),
    ("y = cbrt({a}x - 5)", "cbrt({a}*x - 5)"),
    ("y = ∛x * {a}", "cbrt(x)*{a}"),
    ("y = ∜x + {a}", "x**0.25 + {a}"),
    ("y = sec(x) - {a}", "sec(x) - {a}"),
    ("y = csc x + {a}", "csc(x) + {a}"),
    ("y = cot({a}x)", "cot({a}*x)"),
    ("y = sec^2 x", "sec(x)**2"),
    ("y = {a} ⋅ x", "{a}*x"),
    ("y = {a}x – 1", "{a}*x - 1"),
    ("y = {a}x — x^2", "{a}*x - x**2"),
    ("y = x ‒ {a}", "x - {a}"),
    ("y = {a} × x²", "{a}*x**2"),
    ("y = x⁴ − {a}", "x**4 - {a}"),
    ("y = x⁻¹ + {a}", "1/x + {a}"),
    ("y = {a}x³ − x²", "{a}*x**3 - x**2"),
    ("y = 10²x/{a}", "100*x/{a}"),
    ("y = ½x + {a}", "0.5*x + {a}"),
    ("y = ⅓x^2 - {a}", "x**2/3 - {a}"),
    ("y = ¼ sin x + {a}", "0.25*sin(x) + {a}"),
    ("y = ¾x", "0.75*x"),
    ("f(x) = {a}x^2 + 1", "{a}*x**2 + 1"),
    ("g(x) = sin {a}x", "sin({a}*x)"),
    ("h(x) = x/{a} + exp(x)", "x/{a} + exp(x)"),
    ("y(x) = {a} - x", "{a} - x"),
    # Text from word processors and web pages.
    ("y = 𝑥^2 + {a}", "x**2 + {a}"),
    ("y = {a}𝑥 − 1", "{a}*x - 1"),
    ("ｙ ＝ ｘ＾２ ＋ {a}", "x**2 + {a}"),
    ("y = \u200b{a}x\u200b + 1", "{a}*x + 1"),
    ("\ufeffy = x^{a}", "x**{a}"),
    ("y = {a}\u00adx", "{a}*x"),
    ("y = x\u200e + {a}", "x + {a}"),
    ("y\u00a0=\u00a0{a}x", "{a}*x"),
    # Numbers.
    ("y = 1e-3x + {a}", "0.001*x + {a}"),
    ("y = 2.5E2 x/{a}", "250*x/{a}"),
    ("y = .5x^2 + {a}", "0.5*x**2 + {a}"),
    ("y = {a}.x", "{a}*x"),
    ("y = 6.02e23 x / 1e23", "6.02*x"),
    ("y = 1e-400 + x + {a}", "x + {a}"),
    # School precedence.
    ("y = -x^2 + {a}", "-x**2 + {a}"),
    ("y = 1/{a}x", "x/{a}"),
    ("y = {a}/x/2", "{a}/x/2"),
    ("y = x^{a}/8 - 3", "x**{a}/8 - 3"),
    ("y = 2^-x + {a}", "2**-x + {a}"),
    ("y = (x + 1)(x - {a})", "(x + 1)*(x - {a})"),
    ("y = {a}(x - 1)^2", "{a}*(x - 1)**2"),
    ("y = e^(-x^2/{a})", "exp(-x**2/{a})"),
    ("y = root(x, {a})", "x**(1/{a})"),
    ("y = {a}x^3 - 2x^2 + x - 1", "{a}*x**3 - 2*x**2 + x - 1"),
    ("y = (x^2 + {a}) / (x + 1)", "(x**2 + {a})/(x + 1)"),
    ("y = {a} sin(x + pi/4)", "{a}*sin(x + pi/4)"),
    ("y = sqrt(1 - x^2) * {a}", "sqrt(1 - x**2)*{a}"),
]

# Parametric curves in t: texts and the values of x and y.
PARAMETRIC = [
    ("x = {a} sin 2t, y = {a} sin 3t", "{a}*sin(2*t)", "{a}*sin(3*t)"),
    ("x = cos {a}t, y = sin {a}t", "cos({a}*t)", "sin({a}*t)"),
    ("x = cos t; y = sin {a}t", "cos(t)", "sin({a}*t)"),
    ("x(t) = {a}cos t, y(t) = sin t", "{a}*cos(t)", "sin(t)"),
    ("x = t^2, y = {a}t", "t**2", "{a}*t"),
    ("x = {a}cos^3 t, y = {a}sin^3 t", "{a}*cos(t)**3", "{a}*sin(t)**3"),
    ("x = t - sin t, y = {a} - cos t", "t - sin(t)", "{a} - cos(t)"),
    ("x = e^t cos t, y = e^t sin {a}t", "exp(t)*cos(t)", "exp(t)*sin({a}*t)"),
    ("x = sin t cos {a}t, y = cos t", "sin(t)*cos({a}*t)", "cos(t)"),
    ("x = exp(-t) cos {a}t, y = exp(-t) sin {a}t", "exp(-t)*cos({a}*t)", "exp(-t)*sin({a}*t)"),
]

K = 1.5  # the value of k in the rows that use it

NAMES = {name: getattr(math, name) for name in dir(math) if not name.startswith("_")}
NAMES.update(
    sec=lambda u: 1 / math.cos(u),
    csc=lambda u: 1 / math.sin(u),
    cot=lambda u: 1 / math.tan(u),
    cbrt=lambda u: math.copysign(abs(u) ** (1 / 3), u),
    K=K,
    abs=abs,
)

COEFFICIENTS = [2, 3, 5]
POINTS = [0.3, 0.7, 0.45]


def value(expression, variable, point):
    names = dict(NAMES)
    names[variable] = point
    result = eval(expression, {"__builtins__": {}}, names)
    if isinstance(result, complex) or not math.isfinite(result):
        raise ValueError("no real value")
    return result


def rows():
    for text, expression in TEMPLATES:
        for a, point in zip(COEFFICIENTS, POINTS):
            formula = text.replace("{a}", str(a))
            try:
                yield formula, "x", point, [value(expression.replace("{a}", str(a)), "x", point)]
            except (ValueError, ZeroDivisionError):
                continue
    for text, xs, ys in PARAMETRIC:
        for a, point in zip(COEFFICIENTS, POINTS):
            values = [value(e.replace("{a}", str(a)), "t", point) for e in (xs, ys)]
            yield text.replace("{a}", str(a)), "t", point, values


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = os.path.join(here, "..", "equationEditor", "formulaCorpus.tsv")
    seen = set()
    with open(target, "w", encoding="utf-8", newline="\n") as out:
        out.write("# formula\tvariable\tpoint\texpected values (written by makeFormulaCorpus.py)\n")
        count = 0
        for formula, variable, point, values in rows():
            if formula in seen:
                continue
            seen.add(formula)
            assert "\t" not in formula and "\n" not in formula
            out.write("\t".join([formula, variable, repr(point)] + [repr(v) for v in values]))
            out.write("\n")
            count += 1
    print(count, "formulas written to", os.path.normpath(target))


if __name__ == "__main__":
    main()
