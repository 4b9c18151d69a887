#include "engine/slVector.h"

#include <cmath>
#include <cstdio>

#include "engine/slNumberText.h"

slVector *slNewVector(double x, double y, double z) {
    return new slVector{x, y, z};
}

void slVectorSet(slVector *v, double x, double y, double z) {
    *v = {x, y, z};
}

void slVectorZero(slVector *v) {
    *v = {0.0, 0.0, 0.0};
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

double slVectorAngle(const slVector *a, const slVector *b) {
    const double dot = a->x * b->x + a->y * b->y + a->z * b->z;
    const double lengthA = std::sqrt(a->x * a->x + a->y * a->y + a->z * a->z);
    const double lengthB = std::sqrt(b->x * b->x + b->y * b->y + b->z * b->z);
    return std::acos(dot / (lengthA * lengthB));
}

int slVectorCompare(const slVector *a, const slVector *b) {
    return (a->x == b->x && a->y == b->y && a->z == b->z) ? 0 : 1;
}

int slVectorInArray(const slVector *v, const slVector *array, int count) {
    for (int i = 0; i < count; ++i) {
        if (slVectorCompare(v, &array[i]) == 0) return 1;
    }
    return 0;
}

namespace {

void printTriple(double a, double b, double c) {
    std::printf("(%s, %s, %s)\n", slFormatNumber(a, 'f', 20).c_str(),
                slFormatNumber(b, 'f', 20).c_str(), slFormatNumber(c, 'f', 20).c_str());
}

}  // namespace

void slVectorPrint(const slVector *v) {
    printTriple(v->x, v->y, v->z);
}

void slsVectorZero(slsVector *v) {
    for (double &component : v->v) component = 0.0;
}

void slsVectorSet(slsVector *v, double a, double b, double c, double d, double e, double f) {
    *v = {{a, b, c, d, e, f}};
}

void slsVectorAdd(const slsVector *a, const slsVector *b, slsVector *out) {
    for (int i = 0; i < 6; ++i) out->v[i] = a->v[i] + b->v[i];
}

void slsVectorSub(const slsVector *a, const slsVector *b, slsVector *out) {
    for (int i = 0; i < 6; ++i) out->v[i] = a->v[i] - b->v[i];
}

void slsVectorMul(const slsVector *a, double s, slsVector *out) {
    for (int i = 0; i < 6; ++i) out->v[i] = s * a->v[i];
}

double slsVectorDot(const slsVector *a, const slsVector *b) {
    return a->v[0] * b->v[3] + a->v[1] * b->v[4] + a->v[2] * b->v[5] + a->v[3] * b->v[0] +
           a->v[4] * b->v[1] + a->v[5] * b->v[2];
}

void slsVectorPrint(const slsVector *v) {
    printTriple(v->v[0], v->v[1], v->v[2]);
    printTriple(v->v[3], v->v[4], v->v[5]);
}
