#include "engine/slVector.h"

#include <cmath>

void slVectorSet(slVector *v, double x, double y, double z) {
    *v = {x, y, z};
}

void slVectorCross(const slVector *a, const slVector *b, slVector *out) {
    out->x = a->y * b->z - a->z * b->y;
    out->y = a->z * b->x - a->x * b->z;
    out->z = a->x * b->y - a->y * b->x;
}

void slVectorNormalize(slVector *v) {
    const double length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
    if (length == 0.0 || length == 1.0) return;
    v->x /= length;
    v->y /= length;
    v->z /= length;
}
