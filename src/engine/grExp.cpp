#include <cstdio>
#include <memory>

#include "engine/grExp.h"

grExp *grNewExp(uint8_t type, void *payload) {
    return new grExp{type, payload};
}

grExp *grNewBinaryExp(uint8_t op, grExp *l, grExp *r) {
    auto payload = std::make_unique<grBinaryExp>(grBinaryExp{op, l, r});
    grExp *node = grNewExp(grExpBinary, payload.get());
    payload.release();
    return node;
}

grExp *grNewUnaryExp(uint8_t fn, grExp *a) {
    auto payload = std::make_unique<grUnaryExp>(grUnaryExp{fn, a});
    grExp *node = grNewExp(grExpUnary, payload.get());
    payload.release();
    return node;
}

grExp *grNewNumberExp(double v) {
    auto payload = std::make_unique<double>(v);
    grExp *node = grNewExp(grExpNumber, payload.get());
    payload.release();
    return node;
}

grExp *grNewConstantExp(uint8_t code) {
    auto payload = std::make_unique<uint8_t>(code);
    grExp *node = grNewExp(grExpConstant, payload.get());
    payload.release();
    return node;
}

void grFreeBinaryExp(grBinaryExp *payload) {
    grFreeExp(payload->left);
    grFreeExp(payload->right);
    delete payload;
}

void grFreeUnaryExp(grUnaryExp *payload) {
    grFreeExp(payload->operand);
    delete payload;
}

void grFreeExp(grExp *e) {
    if (!e) return;
    switch (e->type) {
        case grExpBinary: grFreeBinaryExp(static_cast<grBinaryExp *>(e->payload)); break;
        case grExpUnary: grFreeUnaryExp(static_cast<grUnaryExp *>(e->payload)); break;
        case grExpNumber: delete static_cast<double *>(e->payload); break;
        case grExpConstant: delete static_cast<uint8_t *>(e->payload); break;
        default:
            // The payload's layout is unknown, so only the node itself can be released.
            std::printf("unknown expression type in grFreeExp: %d\n", e->type);
            std::fflush(stdout);
            break;
    }
    delete e;
}
