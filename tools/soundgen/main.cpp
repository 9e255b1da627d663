// Synthesises the default sounds into the given folder.

#include "DefaultSounds.h"
#include "WavWriter.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <output folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        StereoBuffer (*make)();
    } sounds[] = {
        {"defBKSound.wav", RollingLoop},
        {"defStopSound.wav", WinningHit},
        {"defBBSound.wav", BoardChime},
    };
    for (const auto& s : sounds) {
        const std::string path = folder + "/" + s.name;
        if (!WavWriter::Write(path, s.make())) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
