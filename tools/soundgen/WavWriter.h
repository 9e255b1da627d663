#pragma once

#include "StereoBuffer.h"

#include <string>

// Writes 16-bit PCM stereo WAV files at 44.1 kHz.
class WavWriter {
public:
    // Quantises with triangular dither (a fixed seed, so every build writes the same bytes) and
    // writes the file; false when it cannot be written. Samples beyond full scale are clamped.
    static bool Write(const std::string& path, const StereoBuffer& buffer);
};
