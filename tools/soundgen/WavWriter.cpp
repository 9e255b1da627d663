#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <vector>

namespace {

void Put16(std::vector<char>& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::vector<char>& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutTag(std::vector<char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool WavWriter::Write(const std::string& path, const StereoBuffer& buffer) {
    const std::uint32_t frames = static_cast<std::uint32_t>(buffer.Frames());
    const std::uint32_t dataBytes = frames * 4;
    std::vector<char> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 2);
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * 4);
    Put16(out, 4);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);

    std::mt19937 rng(20240611);
    std::uniform_real_distribution<float> lsb(-0.5f, 0.5f);
    auto quantise = [&](float s) {
        const float v = s * 32767.0f + lsb(rng) + lsb(rng);
        return static_cast<std::int16_t>(std::clamp(std::lround(v), -32767L, 32767L));
    };
    for (std::uint32_t i = 0; i < frames; ++i) {
        Put16(out, static_cast<std::uint16_t>(quantise(buffer.left[i])));
        Put16(out, static_cast<std::uint16_t>(quantise(buffer.right[i])));
    }
    // Written aside and renamed, so a failed run never leaves half a sound behind.
    const std::string part = path + ".part";
    {
        std::ofstream file(part, std::ios::binary | std::ios::trunc);
        file.write(out.data(), static_cast<std::streamsize>(out.size()));
        if (!file)
            return false;
    }
    return std::rename(part.c_str(), path.c_str()) == 0;
}
