#pragma once

#include <cstddef>
#include <vector>

namespace tavelo {

// The fundamental's cosines and sines at the angles 2 pi k / count, each
// computed afresh. Harmonic n turns by n / count of a turn from sample to
// sample: its turns at every sample are those of the fundamental taken n at
// a time, so the one table serves every harmonic without an error that
// builds up.
struct FundamentalTable {
    std::vector<double> cosines;
    std::vector<double> sines;
};

FundamentalTable fundamentalTable(std::size_t count);

} // namespace tavelo
