// Three- and six-component double vectors, passed by pointer and never kept.
#pragma once

struct slVector {
    double x, y, z;
};

// A first triple followed by a second triple.
struct slsVector {
    double v[6];
};

slVector *slNewVector(double x, double y, double z);  // the caller deletes it
void slVectorSet(slVector *v, double x, double y, double z);
void slVectorZero(slVector *v);
void slVectorCross(const slVector *a, const slVector *b, slVector *out);  // out is neither a nor b
void slVectorNormalize(slVector *v);  // unchanged when its length is exactly 0 or 1
double slVectorAngle(const slVector *a, const slVector *b);
int slVectorCompare(const slVector *a, const slVector *b);  // 0 when equal
int slVectorInArray(const slVector *v, const slVector *array, int count);
void slVectorPrint(const slVector *v);

void slsVectorZero(slsVector *v);
void slsVectorSet(slsVector *v, double a, double b, double c, double d, double e, double f);
void slsVectorAdd(const slsVector *a, const slsVector *b, slsVector *out);
void slsVectorSub(const slsVector *a, const slsVector *b, slsVector *out);
void slsVectorMul(const slsVector *a, double s, slsVector *out);
double slsVectorDot(const slsVector *a, const slsVector *b);  // first half against second
void slsVectorPrint(const slsVector *v);
