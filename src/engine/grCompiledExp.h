// The compiled form of an expression tree, for evaluating one expression at many points.
//
// A grExp tree is compiled once into a flat program over numbered registers: constant
// subtrees are folded, repeated subtrees are computed once, and dx/dy nodes are expanded
// into the same program (the operand at x - 1e-10 and x + 1e-10). Every point evaluates
// to exactly the bits grEvalExp gives there, NaN and infinities included, and fails
// exactly where grEvalExp fails. A tree that can never evaluate (a null child, z, a
// relation, a comma, an unknown code) compiles to a program that fails everywhere.
//
// Over arrays the program runs instruction by instruction on blocks of points, and the
// part of it that does not depend on a varying input is computed once per call (for a
// grid, once per row or once per column). A failed point gets NaN, which is what every
// renderer does with failures anyway; pass `failed` to tell the two apart.
//
// A compiled program is immutable: any number of threads may evaluate it at once.
//
// Example, a 2D curve y = f(x) at n points with k fixed:
//
//     grCompiledExp f(equation->y);
//     grVariables fixed{0.0, 0.0, 0.0, 0.0, k};     // slots that do not vary
//     f.evalArrays(fixed, {.x = xs}, n, values);     // values[i] = f(xs[i]) or NaN
//
// A grid g(x, y) with x[i] per row and y[j] per column, into out[i * ny + j]:
//
//     f.evalGrid(fixed, grVarX, xs, nx, grVarY, ys, ny, out);
//
// A cube of points is one grid per layer, the layer's coordinate in a fixed slot, or one
// evalArrays call over all points (split over the cores when large). Evaluation keeps
// working memory per thread between calls, so repeating the same sizes allocates nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/grExp.h"

// Varying inputs of evalArrays: each non-null array gives that slot's value at every
// point; a null array leaves the slot at its fixed value.
struct grInputArrays {
    const double *x = nullptr;
    const double *y = nullptr;
    const double *s = nullptr;
    const double *t = nullptr;
};

class grCompiledExp {
public:
    // An empty program fails everywhere.
    grCompiledExp() = default;
    explicit grCompiledExp(const grExp *tree) { compile(tree); }

    // Replaces the program by that of tree (null compiles to "fails everywhere").
    void compile(const grExp *tree);

    // Whether evaluation can succeed anywhere: false when the tree is not evaluable or
    // fails whatever the variables (a division by a constant zero).
    bool evaluable() const { return !alwaysFails; }

    // One point: 0 and the value, or -1 (with NaN written) where grEvalExp fails.
    int eval(const grVariables &v, double *result) const;

    // n points with the varying slots read from the arrays and the others from fixed;
    // out[i] is the value or NaN, failed[i] (when given) 1 where evaluation failed.
    void evalArrays(const grVariables &fixed, const grInputArrays &inputs, int n, double *out,
                    uint8_t *failed = nullptr) const;

    // A grid: slot rowVar takes rows[i] and slot columnVar takes columns[j] (two distinct
    // codes among grVarT, grVarS, grVarX, grVarY), out[i * columnCount + j] as above. Large
    // grids split their rows over the cores; the results do not depend on the split.
    void evalGrid(const grVariables &fixed, uint8_t rowVar, const double *rows, int rowCount,
                  uint8_t columnVar, const double *columns, int columnCount, double *out,
                  uint8_t *failed = nullptr) const;

    // Instructions of the program, for tests and benchmarks.
    int size() const { return static_cast<int>(code.size()); }

    // Register numbers of the variables: the order of grVariables.
    static constexpr int slotS = 0, slotT = 1, slotX = 2, slotY = 3, slotK = 4, inputSlots = 5;

    // One instruction: dst = op(a, b). The op codes live in grCompiledExp.cpp.
    struct instruction {
        uint8_t op;
        uint8_t inputs;  // bit i set when the result depends on input slot i
        int32_t dst, a, b;
        double c;  // the folded exponent of the constant-power ops
    };

private:
    // eval of programs of more than one instruction, kept apart so that eval's short path
    // saves no registers.
    [[gnu::noinline]] int evalProgram(const grVariables &v, double *value) const;
    [[gnu::always_inline]] inline int evalInto(const grVariables &v, double *reg,
                                               double *value) const;
    // Rows take the inputs of rowInputs (one slot, from rows[i]), columns those of
    // columnInputs (from arrays[slot][j]).
    void runGrid(const grVariables &fixed, uint8_t rowInputs, const double *rows, int rowCount,
                 uint8_t columnInputs, const double *const *arrays, int columnCount, double *out,
                 uint8_t *failed) const;

    std::vector<instruction> code;
    std::vector<double> constants;  // registers inputSlots .. inputSlots + size - 1
    int registers = inputSlots;
    int result = 0;
    uint8_t resultInputs = 0;
    bool alwaysFails = true;
};
