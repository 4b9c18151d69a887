// Three-component double vectors, passed by pointer and never kept.
#pragma once

struct slVector {
    double x, y, z;
};

void slVectorSet(slVector *v, double x, double y, double z);
void slVectorCross(const slVector *a, const slVector *b, slVector *out);  // out is neither a nor b
void slVectorNormalize(slVector *v);  // unchanged when its length is exactly 0 or 1
