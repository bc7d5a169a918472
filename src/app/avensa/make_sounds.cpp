// Writes the launcher's built-in sounds as small WAVE files: short tones, 8 kHz mono 16-bit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Tone {
    double frequency;
    int milliseconds;
};

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

bool WriteWave(const std::string& path, const std::vector<Tone>& tones) {
    constexpr std::uint32_t kRate = 8000;
    constexpr double kPi = 3.14159265358979323846;
    std::string samples;
    for (const Tone& tone : tones) {
        const int count = static_cast<int>(kRate) * tone.milliseconds / 1000;
        for (int i = 0; i < count; ++i) {
            // A short fade at both ends keeps the tone from clicking.
            const double fade = std::min({1.0, i / 80.0, (count - i) / 80.0});
            const double value = std::sin(2 * kPi * tone.frequency * i / kRate) * fade * 9000;
            PutLittle(samples, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), 2);
        }
    }
    std::string wave = "RIFF";
    PutLittle(wave, static_cast<std::uint32_t>(36 + samples.size()), 4);
    wave += "WAVEfmt ";
    PutLittle(wave, 16, 4);
    PutLittle(wave, 1, 2); // PCM
    PutLittle(wave, 1, 2); // mono
    PutLittle(wave, kRate, 4);
    PutLittle(wave, kRate * 2, 4);
    PutLittle(wave, 2, 2);
    PutLittle(wave, 16, 2);
    wave += "data";
    PutLittle(wave, static_cast<std::uint32_t>(samples.size()), 4);
    wave += samples;
    std::ofstream out(path, std::ios::binary);
    out << wave;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: avensa_make_sounds FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const bool ok = WriteWave(folder + "/start.wav", {{523.25, 90}, {659.25, 90}, {783.99, 140}}) &&
                    WriteWave(folder + "/click.wav", {{1200, 25}}) &&
                    WriteWave(folder + "/exit.wav", {{783.99, 90}, {659.25, 90}, {523.25, 140}});
    if (!ok) {
        std::fprintf(stderr, "avensa_make_sounds: cannot write to %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
