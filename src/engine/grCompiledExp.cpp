// Compilation of a tree into a flat program: value numbering with constant folding, then
// removal of what the result does not need.
#include "engine/grCompiledExp.h"

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>

#include "engine/grCompiledOps.h"

using namespace grCompiledOps;

namespace {

uint64_t bitsOf(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// Builds the program in evaluation order. Registers below inputSlots are the variables,
// registers from inputSlots on are constants or results, numbered as they are made.
class builder {
public:
    struct value {
        bool constant;
        double number;  // of a constant
        uint8_t inputs;
    };

    std::vector<value> values;
    std::vector<grCompiledExp::instruction> code;
    bool fails = false;  // some part can never evaluate, or always fails

    builder() {
        for (int slot = 0; slot < grCompiledExp::inputSlots; ++slot)
            values.push_back({false, 0.0, static_cast<uint8_t>(1u << slot)});
    }

    int constant(double number) {
        auto [it, added] = constants.try_emplace(bitsOf(number), static_cast<int>(values.size()));
        if (added) values.push_back({true, number, 0});
        return it->second;
    }

    bool isConstant(int reg) const { return values[reg].constant; }

    int emit(uint8_t op, int a, int b = 0, double c = 0.0) {
        const bool binary = isBinary(op);
        if (!binary) b = 0;
        // Constant operands fold, through the evaluators' own function.
        if (isConstant(a) && (!binary || isConstant(b))) {
            const double va = values[a].number, vb = binary ? values[b].number : 0.0;
            if (mayFail(op) && vb == 0.0) fails = true;
            return constant(apply(op, va, vb, c));
        }
        // The same operation on the same registers is computed once.
        const auto key = std::make_tuple(op, a, b, bitsOf(c));
        auto [it, added] = numbered.try_emplace(key, static_cast<int>(values.size()));
        if (!added) return it->second;
        const uint8_t inputs = values[a].inputs | (binary ? values[b].inputs : 0);
        code.push_back({op, inputs, static_cast<int32_t>(values.size()), a, b, c});
        values.push_back({false, 0.0, inputs});
        return it->second;
    }

    // The register of e's value with the variables in env; -1 where e is not evaluable.
    int node(const grExp *e, const int *env) {
        if (!e) return -1;
        switch (e->type) {
            case grExpNumber: return constant(*static_cast<const double *>(e->payload));
            case grExpConstant: return leaf(*static_cast<const uint8_t *>(e->payload), env);
            case grExpBinary: return binaryNode(static_cast<const grBinaryExp *>(e->payload), env);
            case grExpUnary: return unaryNode(static_cast<const grUnaryExp *>(e->payload), env);
            default: return -1;
        }
    }

private:
    std::map<uint64_t, int> constants;
    std::map<std::tuple<uint8_t, int, int, uint64_t>, int> numbered;

    int leaf(uint8_t code, const int *env) {
        switch (code) {
            case grVarS: return env[grCompiledExp::slotS];
            case grVarT:
            case grVarTheta: return env[grCompiledExp::slotT];  // θ reads the t slot
            case grVarX: return env[grCompiledExp::slotX];
            case grVarY: return env[grCompiledExp::slotY];
            case grVarK: return env[grCompiledExp::slotK];
            case grConstPi: return constant(grPiValue);
            case grConstE: return constant(grEValue);
            default: return -1;  // z and unknown codes
        }
    }

    int binaryNode(const grBinaryExp *p, const int *env) {
        const int l = node(p->left, env);
        if (l < 0) return -1;
        const int r = node(p->right, env);
        if (r < 0) return -1;
        const bool constantRight = isConstant(r) && !isConstant(l);
        const double c = values[r].number;
        switch (p->op) {
            case grOpAdd: return emit(opAdd, l, r);
            case grOpSub: return emit(opSub, l, r);
            case grOpMul: return emit(opMul, l, r);
            case grOpDiv: return emit(constantRight && c != 0.0 ? opDivSafe : opDiv, l, r);
            case grOpMod: return emit(constantRight && c != 0.0 ? opModSafe : opMod, l, r);
            case grOpPow: return constantRight ? powerOf(l, c) : emit(opPow, l, r);
            case grOpRoot: {
                if (!constantRight) return emit(opRoot, l, r);
                const double exponent = 1.0 / c;
                if (exponent == 0.5) return emit(opSquareRoot, l);
                return emit(grEvalRules::isOddWhole(c) ? opPowOddRoot : opPowPlain, l, 0, exponent);
            }
            default: return -1;  // relations, the comma and unknown codes
        }
    }

    // A power with a constant exponent: the branch of the power rule is chosen here.
    int powerOf(int base, double exponent) {
        if (exponent == 2.0) return emit(opSquare, base);
        if (exponent == 0.5) return emit(opSquareRoot, base);
        if (std::fmod(exponent, 1.0) == 0.0) return emit(opPowPlain, base, 0, exponent);
        double p = 0.0;
        const int q = grEvalRules::fractionDenominator(exponent, &p);
        if (q == 0 || q % 2 == 0) return emit(opPowPlain, base, 0, exponent);
        // p/q with q odd: a negative base keeps the sign of p's parity.
        return emit(std::fmod(p, 2.0) == 0.0 ? opPowEvenFraction : opPowOddRoot, base, 0, exponent);
    }

    int unaryNode(const grUnaryExp *p, const int *env) {
        const int a = node(p->operand, env);
        if (a < 0) return -1;
        switch (p->fn) {
            case grFnSin: return emit(opSin, a);
            case grFnCos: return emit(opCos, a);
            case grFnTan: return emit(opTan, a);
            case grFnAsin: return emit(opAsin, a);
            case grFnAcos: return emit(opAcos, a);
            case grFnAtan: return emit(opAtan, a);
            case grFnSinh: return emit(opSinh, a);
            case grFnCosh: return emit(opCosh, a);
            case grFnTanh: return emit(opTanh, a);
            case grFnErf: return emit(opErf, a);
            case grFnErfc: return emit(opErfc, a);
            case grFnNegate: return emit(opNegate, a);
            case grFnAbs: return emit(opAbs, a);
            case grFnGamma: return emit(opGamma, a);
            case grFnLn: return emit(opLn, a);
            case grFnLog: return emit(opLog, a);
            case grFnDx: return derivative(p->operand, env, grCompiledExp::slotX);
            case grFnDy: return derivative(p->operand, env, grCompiledExp::slotY);
            default: return -1;
        }
    }

    // (f(v + 1e-10) - f(v - 1e-10)) / 2e-10 with the slot at v - 1e-10 and v + 1e-10.
    // The operand at v itself was compiled by the caller, as the tree walk evaluates it
    // first: its divisions stay in the program, since their failures count.
    int derivative(const grExp *operand, const int *env, int slot) {
        const int step = constant(1e-10);
        int shifted[grCompiledExp::inputSlots];
        std::memcpy(shifted, env, sizeof shifted);
        shifted[slot] = emit(opSub, env[slot], step);
        const int below = node(operand, shifted);
        if (below < 0) return -1;
        shifted[slot] = emit(opAdd, env[slot], step);
        const int above = node(operand, shifted);
        if (above < 0) return -1;
        return emit(opDivSafe, emit(opSub, above, below), constant(2e-10));
    }
};

}  // namespace

void grCompiledExp::compile(const grExp *tree) {
    code.clear();
    constants.clear();
    registers = inputSlots;
    result = 0;
    resultInputs = 0;
    alwaysFails = true;

    builder b;
    const int env[inputSlots] = {slotS, slotT, slotX, slotY, slotK};
    const int root = b.node(tree, env);
    if (root < 0 || b.fails) return;

    // Keep what the result needs, including every division whose failure it inherits.
    std::vector<bool> needed(b.values.size(), false);
    needed[root] = true;
    for (auto it = b.code.rbegin(); it != b.code.rend(); ++it) {
        if (!needed[it->dst] && !mayFail(it->op)) continue;
        needed[it->dst] = true;
        needed[it->a] = true;
        if (isBinary(it->op)) needed[it->b] = true;
    }

    // Registers: the variables, the constants, then one per kept instruction.
    std::vector<int32_t> renumbered(b.values.size(), -1);
    for (int slot = 0; slot < inputSlots; ++slot) renumbered[slot] = slot;
    int next = inputSlots;
    for (size_t reg = inputSlots; reg < b.values.size(); ++reg) {
        if (!b.values[reg].constant || !needed[reg]) continue;
        renumbered[reg] = next++;
        constants.push_back(b.values[reg].number);
    }
    for (const instruction &ins : b.code) {
        if (!needed[ins.dst]) continue;
        instruction kept = ins;
        kept.dst = renumbered[ins.dst] = next++;
        kept.a = renumbered[ins.a];
        kept.b = isBinary(ins.op) ? renumbered[ins.b] : kept.a;
        code.push_back(kept);
    }
    registers = next;
    result = renumbered[root];
    resultInputs = b.values[root].inputs;
    alwaysFails = false;
}
