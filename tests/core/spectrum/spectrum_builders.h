#pragma once

#include <initializer_list>

#include "spectrum/spectrum.h"

namespace qzx::test {

/// A spectrum of the given peaks, numbered from 1 in the order given.
inline Spectrum spectrumOf(std::initializer_list<Peak> peaks) {
    Spectrum s;
    int n = 0;
    for (const Peak& p : peaks)
        s.peak(++n) = p;
    s.setPeakCount(n);
    return s;
}

} // namespace qzx::test
