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
    return op <= opMul || op == opDivSafe || op == opNegate || op == opAbs ? 1.0 : 20.0;
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

// pow(a, 2) and pow(a, 0.5) over one block: the certain results for all points first,
// without branches, then pow where they are not certain.
void squareBlock(double *__restrict d, const double *__restrict a, int n) {
    uint8_t unsure[blockSize];
    for (int i = 0; i < n; ++i) {
        d[i] = a[i] * a[i];
        unsure[i] = !grCertainPow::squareIsCertain(a[i], d[i]);
    }
    for (int i = 0; i < n; ++i)
        if (unsure[i]) d[i] = std::pow(a[i], 2.0);
}

void squareRootBlock(double *__restrict d, const double *__restrict a, int n) {
    uint8_t unsure[blockSize];
    for (int i = 0; i < n; ++i) {
        d[i] = std::sqrt(a[i]);
        unsure[i] = !grCertainPow::squareRootIsCertain(a[i], d[i]);
    }
    for (int i = 0; i < n; ++i)
        if (unsure[i]) d[i] = std::pow(a[i], 0.5);
}

// Runs instructions over one block; reg[r] points at register r's n values.
void runBlock(const std::vector<const instruction *> &list, double *const *reg, int n,
              uint8_t *__restrict failed) {
    for (const instruction *ins : list) {
        double *d = reg[ins->dst];
        const double *a = reg[ins->a], *b = reg[ins->b];
        const double c = ins->c;
        switch (ins->op) {
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
            case opSquare: squareBlock(d, a, n); break;
            case opSquareRoot: squareRootBlock(d, a, n); break;
            case opPowPlain: map1(d, a, n, [c](double x) { return std::pow(x, c); }); break;
            case opPowOddRoot: map1(d, a, n, [c](double x) { return oddRootPower(x, c); }); break;
            case opNegate: map1(d, a, n, [](double x) { return -x; }); break;
            case opAbs: map1(d, a, n, [](double x) { return std::fabs(x); }); break;
            default: {
                const uint8_t op = ins->op;
                for (int i = 0; i < n; ++i) d[i] = apply(op, a[i], 0.0, c);
                break;
            }
        }
    }
}

// Runs instructions at one point over scalar registers; false where one fails.
bool runScalar(const std::vector<const instruction *> &list, double *reg) {
    bool ok = true;
    for (const instruction *ins : list) {
        const double b = reg[ins->b];
        if (mayFail(ins->op) && b == 0.0) ok = false;
        reg[ins->dst] = apply(ins->op, reg[ins->a], b, ins->c);
    }
    return ok;
}

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

}  // namespace

int grCompiledExp::eval(const grVariables &v, double *value) const {
    if (alwaysFails) {
        *value = NAN;
        return -1;
    }
    constexpr int onStack = 64;
    if (registers > onStack) {
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
    // One switch over every code, so that each instruction costs a single dispatch.
    bool ok = true;
    for (const instruction &ins : code) {
        const double a = reg[ins.a], b = reg[ins.b];
        double r;
        switch (ins.op) {
            case opAdd: r = a + b; break;
            case opSub: r = a - b; break;
            case opMul: r = a * b; break;
            case opDiv: ok &= b != 0.0; [[fallthrough]];
            case opDivSafe: r = a / b; break;
            case opMod: ok &= b != 0.0; [[fallthrough]];
            case opModSafe: r = std::fmod(a, b); break;
            case opPow: r = grEvalRules::power(a, b); break;
            case opRoot: r = grEvalRules::rootOf(a, b); break;
            case opSquare: r = grEvalRules::square(a); break;
            case opSquareRoot: r = grEvalRules::squareRoot(a); break;
            case opPowPlain: r = std::pow(a, ins.c); break;
            case opPowOddRoot: r = oddRootPower(a, ins.c); break;
            case opSin: r = std::sin(a); break;
            case opCos: r = std::cos(a); break;
            case opNegate: r = -a; break;
            case opAbs: r = std::fabs(a); break;
            case opLn: r = std::log(a); break;
            default: r = apply(ins.op, a, b, ins.c); break;
        }
        reg[ins.dst] = r;
    }
    *value = ok ? reg[result] : NAN;
    return ok ? 0 : -1;
}

// The shared body of evalArrays and evalGrid. Registers fall in four classes by the
// inputs they depend on: "fixed" ones (neither rows nor columns) are computed once,
// "row" ones once per row, "column" ones once per column and kept for every row (grids
// only), and the rest at every point.
namespace {

struct plan {
    std::vector<const instruction *> fixed, row, column, point;
    std::vector<uint8_t> kind;  // per register: 0 fixed, 1 row, 2 column, 3 point
    // Fixed and row registers that point instructions or the result read.
    std::vector<int> fixedRead, rowRead;
    double pointCost = 0.0;

    plan(const std::vector<instruction> &code, int registers, int result, uint8_t rowInputs,
         uint8_t columnInputs, bool keepColumns)
        : kind(registers, 0) {
        for (int slot = 0; slot < grCompiledExp::inputSlots; ++slot)
            kind[slot] =
                classOf(static_cast<uint8_t>(1u << slot), rowInputs, columnInputs, keepColumns);
        for (const instruction &ins : code) {
            const uint8_t k = classOf(ins.inputs, rowInputs, columnInputs, keepColumns);
            kind[ins.dst] = k;
            (k == 0 ? fixed : k == 1 ? row : k == 2 ? column : point).push_back(&ins);
            if (k == 3) pointCost += costOf(ins.op);
        }
        std::vector<bool> read(registers, false);
        read[result] = true;
        for (const instruction *ins : point) read[ins->a] = read[ins->b] = true;
        for (int r = 0; r < registers; ++r) {
            if (read[r] && kind[r] == 0) fixedRead.push_back(r);
            if (read[r] && kind[r] == 1) rowRead.push_back(r);
        }
    }

    static uint8_t classOf(uint8_t inputs, uint8_t rowInputs, uint8_t columnInputs,
                           bool keepColumns) {
        const bool byRow = inputs & rowInputs, byColumn = inputs & columnInputs;
        if (byColumn) return byRow || !keepColumns ? 3 : 2;
        return byRow ? 1 : 0;
    }
};

}  // namespace

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
    const double *arrays[inputSlots] = {};
    if (rowSlot < 0 || columnSlot < 0 || rowSlot == columnSlot) {
        // Not a grid of two variables: nothing can be evaluated.
        const int n = std::max(0, rowCount) * std::max(0, columnCount);
        std::fill(out, out + n, NAN);
        if (failed) std::fill(failed, failed + n, uint8_t{1});
        return;
    }
    arrays[columnSlot] = columns;
    runGrid(fixed, static_cast<uint8_t>(1u << rowSlot), rows, rowCount,
            static_cast<uint8_t>(1u << columnSlot), arrays, columnCount, out, failed);
}

void grCompiledExp::runGrid(const grVariables &fixedValues, uint8_t rowInputs, const double *rows,
                            int rowCount, uint8_t columnInputs, const double *const *arrays,
                            int columnCount, double *out, uint8_t *failed) const {
    if (rowCount <= 0 || columnCount <= 0) return;
    const size_t total = static_cast<size_t>(rowCount) * columnCount;
    if (alwaysFails) {
        std::fill(out, out + total, NAN);
        if (failed) std::fill(failed, failed + total, uint8_t{1});
        return;
    }
    // Columns are kept across rows only for grids of several rows.
    const bool keepColumns = rowCount > 1;
    const plan p(code, registers, result, rowInputs, columnInputs, keepColumns);
    const int rowSlot = rowInputs ? std::countr_zero(rowInputs) : -1;

    // 1. Fixed registers, once.
    std::vector<double> base(registers, 0.0);
    base[slotS] = fixedValues.s;
    base[slotT] = fixedValues.t;
    base[slotX] = fixedValues.x;
    base[slotY] = fixedValues.y;
    base[slotK] = fixedValues.k;
    std::copy(constants.begin(), constants.end(), base.begin() + inputSlots);
    if (!runScalar(p.fixed, base.data())) {
        std::fill(out, out + total, NAN);
        if (failed) std::fill(failed, failed + total, uint8_t{1});
        return;
    }

    // 2. Column registers over every column, kept for all rows, with their failures.
    std::vector<double> kept(p.column.size() * columnCount);
    std::vector<uint8_t> columnFailed(columnCount, 0);
    std::vector<int> keptIndex(registers, -1);
    for (size_t i = 0; i < p.column.size(); ++i) keptIndex[p.column[i]->dst] = static_cast<int>(i);
    std::vector<double *> reg(registers, nullptr);
    if (!p.column.empty()) {
        std::vector<double> broadcast(static_cast<size_t>(registers) * blockSize);
        for (int r = 0; r < registers; ++r)
            if (p.kind[r] == 0) std::fill_n(&broadcast[size_t(r) * blockSize], blockSize, base[r]);
        for (int start = 0; start < columnCount; start += blockSize) {
            const int n = std::min(blockSize, columnCount - start);
            for (int r = 0; r < registers; ++r) {
                if (r < inputSlots && arrays[r])
                    reg[r] = const_cast<double *>(arrays[r] + start);
                else if (keptIndex[r] >= 0)
                    reg[r] = &kept[size_t(keptIndex[r]) * columnCount + start];
                else
                    reg[r] = &broadcast[size_t(r) * blockSize];
            }
            runBlock(p.column, reg.data(), n, &columnFailed[start]);
        }
    }

    // 3. Rows: their own registers once, then the point registers block by block.
    auto rowsFrom = [&](int first, int last) {
        std::vector<double> scalar(base);
        std::vector<double> block(static_cast<size_t>(registers) * blockSize);
        std::vector<double *> reg(registers, nullptr);
        uint8_t mask[blockSize];
        for (int r : p.fixedRead) std::fill_n(&block[size_t(r) * blockSize], blockSize, base[r]);
        for (int i = first; i < last; ++i) {
            if (rowSlot >= 0) scalar[rowSlot] = rows[i];
            const bool rowOk = runScalar(p.row, scalar.data());
            double *rowOut = out + static_cast<size_t>(i) * columnCount;
            uint8_t *rowFailed = failed ? failed + static_cast<size_t>(i) * columnCount : nullptr;
            if (!rowOk) {
                std::fill(rowOut, rowOut + columnCount, NAN);
                if (rowFailed) std::fill(rowFailed, rowFailed + columnCount, uint8_t{1});
                continue;
            }
            for (int r : p.rowRead)
                std::fill_n(&block[size_t(r) * blockSize], blockSize, scalar[r]);
            for (int start = 0; start < columnCount; start += blockSize) {
                const int n = std::min(blockSize, columnCount - start);
                for (int r = 0; r < registers; ++r) {
                    if (r < inputSlots && arrays[r])
                        reg[r] = const_cast<double *>(arrays[r] + start);
                    else if (p.kind[r] == 2)
                        reg[r] = &kept[size_t(keptIndex[r]) * columnCount + start];
                    else
                        reg[r] = &block[size_t(r) * blockSize];
                }
                std::memcpy(mask, &columnFailed[start], n);
                runBlock(p.point, reg.data(), n, mask);
                writeOutcome(reg[result], mask, n, rowOut + start,
                             rowFailed ? rowFailed + start : nullptr);
            }
        }
    };
    const double work = static_cast<double>(total) * (p.pointCost + 1.0);
    splitOver(rowCount, work, rowsFrom);
}
