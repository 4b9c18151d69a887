// Evaluation of compiled programs: at one point, over arrays in blocks, and over grids.
//
// Over arrays every register is a block of points, or one value broadcast over a block
// where it does not vary. Instructions run one after the other over whole blocks, so the
// dispatch costs once per block and the plain arithmetic vectorises. Failures (divisions
// by zero) are collected per point in a mask and turned into NaN at the end.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/grCompiledExp.h"
#include "engine/grCompiledOps.h"

using namespace grCompiledOps;

namespace {

using instruction = grCompiledExp::instruction;

// Points per block: a few dozen registers of it stay within the level 2 cache.
constexpr int blockSize = 128;

// Work below which a grid or array is not worth a second thread, in rough nanoseconds.
constexpr double threadWork = 400000.0;

double costOf(uint8_t op) {
    const bool cheap =
        op <= opMul || op == opDivSafe || op == opSquare || op == opNegate || op == opAbs;
    return cheap ? 1.0 : 20.0;
}

// dst[i] = f(a[i]) or f(a[i], b[i]) over one block.
template <class F>
inline void map1(double *__restrict dst, const double *__restrict a, int n, F f) {
    for (int i = 0; i < n; ++i) dst[i] = f(a[i]);
}
template <class F>
inline void map2(double *__restrict dst, const double *__restrict a, const double *__restrict b,
                 int n, F f) {
    for (int i = 0; i < n; ++i) dst[i] = f(a[i], b[i]);
}

// f(a[i]) over one block for a costly f, reusing the previous point's result where the
// operand repeats bit for bit, as it does along the rows of a grid given as points or a
// contour's row at one y: f is pure, so the reused bits are the ones it would give.
template <class F>
inline void mapReusing(double *__restrict dst, const double *__restrict a, int n, F f) {
    if (n <= 0) return;
    uint64_t lastBits = std::bit_cast<uint64_t>(a[0]);
    double last = dst[0] = f(a[0]);
    for (int i = 1; i < n; ++i) {
        const uint64_t bits = std::bit_cast<uint64_t>(a[i]);
        if (bits != lastBits) {
            lastBits = bits;
            last = f(a[i]);
        }
        dst[i] = last;
    }
}

// pow(a, 0.5) over one block: the certain results for all points first, without
// branches, then pow where they are not certain.
void squareRootBlock(double *__restrict d, const double *__restrict a, int n) {
    uint8_t unsure[blockSize];
    for (int i = 0; i < n; ++i) {
        d[i] = std::sqrt(a[i]);
        unsure[i] = !grCertainPow::squareRootIsCertain(a[i], d[i]);
    }
    for (int i = 0; i < n; ++i)
        if (unsure[i]) d[i] = grEvalRules::libraryPow(a[i], 0.5);
}

// Which registers vary in a grid: "fixed" ones (on neither rows nor columns) are
// computed once, "row" ones once per row, "column" ones once per column and kept for
// every row (grids of several rows only), and "point" ones at every point.
enum registerKind : uint8_t { kindFixed, kindRow, kindColumn, kindPoint };

struct gridShape {
    uint8_t rowInputs, columnInputs;
    bool keepColumns;
    registerKind kindOf(uint8_t inputs) const {
        const bool byRow = inputs & rowInputs, byColumn = inputs & columnInputs;
        if (byColumn) return byRow || !keepColumns ? kindPoint : kindColumn;
        return byRow ? kindRow : kindFixed;
    }
};

// Runs the instructions of one kind over one block; reg[r] points at register r's n values.
void runBlock(const std::vector<instruction> &code, gridShape shape, registerKind kind,
              double *const *reg, int n, uint8_t *__restrict failed) {
    for (const instruction &ins : code) {
        if (shape.kindOf(ins.inputs) != kind) continue;
        double *d = reg[ins.dst];
        const double *a = reg[ins.a], *b = reg[ins.b];
        const double c = ins.c;
        switch (ins.op) {
            case opAdd: map2(d, a, b, n, [](double x, double y) { return x + y; }); break;
            case opSub: map2(d, a, b, n, [](double x, double y) { return x - y; }); break;
            case opMul: map2(d, a, b, n, [](double x, double y) { return x * y; }); break;
            case opDiv:
                for (int i = 0; i < n; ++i) failed[i] |= b[i] == 0.0;
                [[fallthrough]];
            case opDivSafe: map2(d, a, b, n, [](double x, double y) { return x / y; }); break;
            case opMod:
                for (int i = 0; i < n; ++i) failed[i] |= b[i] == 0.0;
                [[fallthrough]];
            case opModSafe:
                map2(d, a, b, n, [](double x, double y) { return std::fmod(x, y); });
                break;
            case opPow: map2(d, a, b, n, grEvalRules::power); break;
            case opRoot: map2(d, a, b, n, grEvalRules::rootOf); break;
            case opSquare: map1(d, a, n, [](double x) { return x * x; }); break;
            case opSquareRoot: squareRootBlock(d, a, n); break;
            case opPowPlain: mapReusing(d, a, n, [c](double x) { return std::pow(x, c); }); break;
            case opPowOddRoot:
                mapReusing(d, a, n, [c](double x) { return oddRootPower(x, c); });
                break;
            case opPowEvenFraction:
                mapReusing(d, a, n, [c](double x) { return evenFractionPower(x, c); });
                break;
            case opSin: mapReusing(d, a, n, [](double x) { return std::sin(x); }); break;
            case opCos: mapReusing(d, a, n, [](double x) { return std::cos(x); }); break;
            case opNegate: map1(d, a, n, [](double x) { return -x; }); break;
            case opAbs: map1(d, a, n, [](double x) { return std::fabs(x); }); break;
            case opLn: mapReusing(d, a, n, [](double x) { return std::log(x); }); break;
            default: {
                const uint8_t op = ins.op;
                mapReusing(d, a, n, [op, c](double x) { return apply(op, x, 0.0, c); });
                break;
            }
        }
    }
}

// Runs the instructions of one kind at one point over scalar registers; false where one
// fails.
bool runScalar(const std::vector<instruction> &code, gridShape shape, registerKind kind,
               double *reg) {
    bool ok = true;
    for (const instruction &ins : code) {
        if (shape.kindOf(ins.inputs) != kind) continue;
        const double b = reg[ins.b];
        if (mayFail(ins.op) && b == 0.0) ok = false;
        reg[ins.dst] = apply(ins.op, reg[ins.a], b, ins.c);
    }
    return ok;
}

// Working memory of one thread, kept between calls so that evaluating the same grids
// again allocates nothing. It only grows, from a size that common grids fit in.
template <class T>
T *atLeast(std::vector<T> &memory, size_t size) {
    constexpr size_t least = 16384;
    if (memory.size() < size) memory.resize(std::max(size, std::max(least, 2 * memory.size())));
    return memory.data();
}

struct workspace {
    // Of a whole call: the fixed registers, the kept columns and their failures.
    std::vector<double> base, kept;
    std::vector<uint8_t> columnFailed;
    std::vector<int> keptIndex;
    std::vector<double *> columnReg;
    // Of a run of rows.
    std::vector<double> scalar, block;
    std::vector<double *> reg;
};

thread_local workspace threadWorkspace;

// Splits [0, count) into contiguous parts over the cores when the work pays for it, and
// runs part(begin, end) for each; the caller's thread takes the first part.
template <class Part>
void splitOver(int count, double work, Part part) {
    const double worthwhile = std::min(double(count), std::floor(work / threadWork));
    if (worthwhile < 2.0) {
        part(0, count);
        return;
    }
    // Asking for the cores reads a file, so it is done once.
    static const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int parts = static_cast<int>(std::min(double(cores), worthwhile));
    if (parts <= 1) {
        part(0, count);
        return;
    }
    std::vector<std::thread> helpers;
    helpers.reserve(parts - 1);
    auto bound = [&](int p) { return static_cast<int>(static_cast<long long>(count) * p / parts); };
    for (int p = 1; p < parts; ++p) helpers.emplace_back(part, bound(p), bound(p + 1));
    part(0, bound(1));
    for (std::thread &helper : helpers) helper.join();
}

void writeOutcome(const double *values, const uint8_t *failedHere, int n, double *out,
                  uint8_t *failed) {
    for (int i = 0; i < n; ++i) out[i] = failedHere[i] ? NAN : values[i];
    if (failed) std::memcpy(failed, failedHere, n);
}

// One instruction at one point: a single switch over every code, so that each
// instruction costs one dispatch; ok turns false where a division fails.
[[gnu::always_inline]] inline double step(const instruction &ins, double a, double b, bool &ok) {
    switch (ins.op) {
        case opAdd: return a + b;
        case opSub: return a - b;
        case opMul: return a * b;
        case opDiv: ok &= b != 0.0; [[fallthrough]];
        case opDivSafe: return a / b;
        case opMod: ok &= b != 0.0; [[fallthrough]];
        case opModSafe: return std::fmod(a, b);
        case opPow: return grEvalRules::power(a, b);
        case opRoot: return grEvalRules::rootOf(a, b);
        case opSquare: return a * a;
        case opSquareRoot: {
            const double root = std::sqrt(a);
            return grCertainPow::squareRootIsCertain(a, root) ? root
                                                              : grEvalRules::libraryPow(a, 0.5);
        }
        case opPowPlain: return std::pow(a, ins.c);
        case opPowOddRoot: return oddRootPower(a, ins.c);
        case opPowEvenFraction: return evenFractionPower(a, ins.c);
        case opSin: return std::sin(a);
        case opCos: return std::cos(a);
        case opNegate: return -a;
        case opAbs: return std::fabs(a);
        case opLn: return std::log(a);
        default: return apply(ins.op, a, b, ins.c);
    }
}

}  // namespace

int grCompiledExp::eval(const grVariables &v, double *value) const {
    if (code.size() != 1 || alwaysFails) return evalProgram(v, value);
    // One instruction (x^2, sin x, x + k): its operands are variables or constants, read
    // where they are, without a register file or the saved registers of the general loop.
    const instruction &ins = code.front();
    const double in[inputSlots] = {v.s, v.t, v.x, v.y, v.k};
    auto operand = [&](int r) { return r < inputSlots ? in[r] : constants[r - inputSlots]; };
    bool ok = true;
    const double r = step(ins, operand(ins.a), operand(ins.b), ok);
    *value = ok ? r : NAN;
    return ok ? 0 : -1;
}

int grCompiledExp::evalProgram(const grVariables &v, double *value) const {
    if (alwaysFails) {
        *value = NAN;
        return -1;
    }
    constexpr int onStack = 64;
    if (registers > onStack) [[unlikely]] {
        std::vector<double> reg(registers);
        return evalInto(v, reg.data(), value);
    }
    double reg[onStack];
    return evalInto(v, reg, value);
}

int grCompiledExp::evalInto(const grVariables &v, double *reg, double *value) const {
    reg[slotS] = v.s;
    reg[slotT] = v.t;
    reg[slotX] = v.x;
    reg[slotY] = v.y;
    reg[slotK] = v.k;
    if (!constants.empty())
        std::memcpy(reg + inputSlots, constants.data(), constants.size() * sizeof(double));
    bool ok = true;
    for (const instruction &ins : code) reg[ins.dst] = step(ins, reg[ins.a], reg[ins.b], ok);
    *value = ok ? reg[result] : NAN;
    return ok ? 0 : -1;
}

void grCompiledExp::evalArrays(const grVariables &fixed, const grInputArrays &inputs, int n,
                               double *out, uint8_t *failed) const {
    // Arrays are a grid of one row whose columns vary in every given slot.
    const double *arrays[inputSlots] = {inputs.s, inputs.t, inputs.x, inputs.y, nullptr};
    uint8_t varying = 0;
    for (int slot = 0; slot < inputSlots; ++slot)
        if (arrays[slot]) varying |= static_cast<uint8_t>(1u << slot);
    double cost = 1.0;
    for (const instruction &ins : code) cost += costOf(ins.op);
    splitOver(n, cost * n, [&](int first, int last) {
        const double *part[inputSlots];
        for (int slot = 0; slot < inputSlots; ++slot)
            part[slot] = arrays[slot] ? arrays[slot] + first : nullptr;
        runGrid(fixed, 0, nullptr, 1, varying, part, last - first, out + first,
                failed ? failed + first : nullptr);
    });
}

void grCompiledExp::evalGrid(const grVariables &fixed, uint8_t rowVar, const double *rows,
                             int rowCount, uint8_t columnVar, const double *columns,
                             int columnCount, double *out, uint8_t *failed) const {
    auto slotOf = [](uint8_t code) {
        switch (code) {
            case grVarS: return slotS;
            case grVarT: return slotT;
            case grVarX: return slotX;
            case grVarY: return slotY;
            default: return -1;
        }
    };
    const int rowSlot = slotOf(rowVar), columnSlot = slotOf(columnVar);
    if (rowSlot < 0 || columnSlot < 0 || rowSlot == columnSlot) {
        // Not a grid of two variables: nothing can be evaluated.
        const size_t n = static_cast<size_t>(std::max(0, rowCount)) * std::max(0, columnCount);
        std::fill(out, out + n, NAN);
        if (failed) std::fill(failed, failed + n, uint8_t{1});
        return;
    }
    const double *arrays[inputSlots] = {};
    arrays[columnSlot] = columns;
    runGrid(fixed, static_cast<uint8_t>(1u << rowSlot), rows, rowCount,
            static_cast<uint8_t>(1u << columnSlot), arrays, columnCount, out, failed);
}

void grCompiledExp::runGrid(const grVariables &fixedValues, uint8_t rowInputs, const double *rows,
                            int rowCount, uint8_t columnInputs, const double *const *arrays,
                            int columnCount, double *out, uint8_t *failed) const {
    if (rowCount <= 0 || columnCount <= 0) return;
    const size_t total = static_cast<size_t>(rowCount) * columnCount;
    auto failEverywhere = [&] {
        std::fill(out, out + total, NAN);
        if (failed) std::fill(failed, failed + total, uint8_t{1});
    };
    if (alwaysFails) return failEverywhere();
    // Columns are kept across rows only for grids of several rows.
    const gridShape shape{rowInputs, columnInputs, rowCount > 1};
    auto kindOf = [&](int reg) {
        if (reg < inputSlots) return shape.kindOf(static_cast<uint8_t>(1u << reg));
        if (reg < inputSlots + static_cast<int>(constants.size())) return kindFixed;
        return shape.kindOf(code[reg - inputSlots - constants.size()].inputs);
    };
    const int rowSlot = rowInputs ? std::countr_zero(rowInputs) : -1;
    workspace &w = threadWorkspace;

    // 1. Fixed registers, once.
    double *base = atLeast(w.base, registers);
    base[slotS] = fixedValues.s;
    base[slotT] = fixedValues.t;
    base[slotX] = fixedValues.x;
    base[slotY] = fixedValues.y;
    base[slotK] = fixedValues.k;
    std::copy(constants.begin(), constants.end(), base + inputSlots);
    if (!runScalar(code, shape, kindFixed, base)) return failEverywhere();

    // 2. Column registers over every column, kept for all rows, with their failures.
    int keptCount = 0;
    int *keptIndex = atLeast(w.keptIndex, registers);
    for (int r = 0; r < registers; ++r)
        keptIndex[r] = kindOf(r) == kindColumn && r >= inputSlots ? keptCount++ : -1;
    double *kept = atLeast(w.kept, static_cast<size_t>(keptCount) * columnCount);
    uint8_t *columnFailed = atLeast(w.columnFailed, columnCount);
    std::fill_n(columnFailed, columnCount, uint8_t{0});
    if (keptCount > 0) {
        double *broadcast = atLeast(w.block, static_cast<size_t>(registers) * blockSize);
        double **reg = atLeast(w.columnReg, registers);
        for (int r = 0; r < registers; ++r)
            if (kindOf(r) == kindFixed)
                std::fill_n(broadcast + size_t(r) * blockSize, blockSize, base[r]);
        for (int start = 0; start < columnCount; start += blockSize) {
            const int n = std::min(blockSize, columnCount - start);
            for (int r = 0; r < registers; ++r) {
                if (r < inputSlots && arrays[r])
                    reg[r] = const_cast<double *>(arrays[r] + start);
                else if (keptIndex[r] >= 0)
                    reg[r] = kept + size_t(keptIndex[r]) * columnCount + start;
                else
                    reg[r] = broadcast + size_t(r) * blockSize;
            }
            runBlock(code, shape, kindColumn, reg, n, columnFailed + start);
        }
    }

    // 3. Rows: their own registers once, then the point registers block by block.
    double pointCost = 1.0;
    for (const instruction &ins : code)
        if (shape.kindOf(ins.inputs) == kindPoint) pointCost += costOf(ins.op);
    auto rowsFrom = [&](int first, int last) {
        workspace &own = threadWorkspace;
        double *scalar = atLeast(own.scalar, registers);
        double *block = atLeast(own.block, static_cast<size_t>(registers) * blockSize);
        double **reg = atLeast(own.reg, registers);
        uint8_t mask[blockSize];
        std::copy(base, base + registers, scalar);
        for (int r = 0; r < registers; ++r)
            if (kindOf(r) == kindFixed)
                std::fill_n(block + size_t(r) * blockSize, blockSize, base[r]);
        for (int i = first; i < last; ++i) {
            if (rowSlot >= 0) scalar[rowSlot] = rows[i];
            double *rowOut = out + static_cast<size_t>(i) * columnCount;
            uint8_t *rowFailed = failed ? failed + static_cast<size_t>(i) * columnCount : nullptr;
            if (!runScalar(code, shape, kindRow, scalar)) {
                std::fill(rowOut, rowOut + columnCount, NAN);
                if (rowFailed) std::fill(rowFailed, rowFailed + columnCount, uint8_t{1});
                continue;
            }
            for (int r = 0; r < registers; ++r)
                if (kindOf(r) == kindRow)
                    std::fill_n(block + size_t(r) * blockSize, blockSize, scalar[r]);
            for (int start = 0; start < columnCount; start += blockSize) {
                const int n = std::min(blockSize, columnCount - start);
                for (int r = 0; r < registers; ++r) {
                    if (r < inputSlots && arrays[r])
                        reg[r] = const_cast<double *>(arrays[r] + start);
                    else if (keptIndex[r] >= 0)
                        reg[r] = kept + size_t(keptIndex[r]) * columnCount + start;
                    else
                        reg[r] = block + size_t(r) * blockSize;
                }
                std::memcpy(mask, columnFailed + start, n);
                runBlock(code, shape, kindPoint, reg, n, mask);
                writeOutcome(reg[result], mask, n, rowOut + start,
                             rowFailed ? rowFailed + start : nullptr);
            }
        }
    };
    splitOver(rowCount, static_cast<double>(total) * pointCost, rowsFrom);
}
