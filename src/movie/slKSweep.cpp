#include "movie/slKSweep.h"

std::vector<double> slKSweep(double minK, double maxK, int steps) {
    const int count = steps <= 2 ? 3 : steps;
    const double step = (maxK - minK) / count;
    std::vector<double> ks;
    if (!(step > 0.0)) return ks;
    for (int i = 0; i < count; i++) ks.push_back(minK + i * step);
    for (int i = 0; i < count; i++) ks.push_back(maxK - i * step);
    return ks;
}

int slRecordKSweep(slMovieRecord &recorder, const std::vector<double> &ks,
                   const std::function<const uint8_t *(double k)> &frameAt,
                   const std::function<bool(size_t done)> &progress) {
    for (size_t i = 0; i < ks.size(); i++) {
        const uint8_t *pixels = frameAt(ks[i]);
        if (pixels == nullptr) return -1;
        if (const int status = recorder.addFrameFromRGBAPixels(pixels); status != 0) return status;
        if (!progress(i + 1)) return 1;
    }
    return 0;
}
