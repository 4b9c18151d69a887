// The k movie: one sweep of k up and down, one frame per value. The same loop serves the
// window's movie command and plotweave-cli movie; the caller draws each frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "movie/slMovieRecord.h"

// minK, minK + step, ... while below maxK, then maxK, maxK - step, ... while above minK,
// with step = (maxK - minK) / steps, and steps of 2 or less taken as 3. Each value is
// computed from its step number rather than by adding steps up, so rounding cannot put an
// extra frame next to maxK or minK (0.1 added ten times is just below 1). Equal bounds, or
// a minK above maxK, give no values.
std::vector<double> slKSweep(double minK, double maxK, int steps);

// Adds one frame per k: frameAt(k) draws the graph at k and answers its RGBA pixels (null
// when it cannot). progress(done) follows every frame; answering false stops the
// recording. Answers 0 when every frame was added, 1 when stopped, else the failure: -1
// when frameAt answered null, the recorder's status when it refused a frame.
int slRecordKSweep(slMovieRecord &recorder, const std::vector<double> &ks,
                   const std::function<const uint8_t *(double k)> &frameAt,
                   const std::function<bool(size_t done)> &progress);
