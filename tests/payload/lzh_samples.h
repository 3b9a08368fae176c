#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace tavo::test {

// Inputs for the codec tests, the same on every run.

// Text-like data: words from a small vocabulary with line breaks.
inline std::string SampleText(std::size_t size, std::uint32_t seed = 1) {
    static const char* const words[] = {"Datenbank", "Verbindung", "Installation", "der",  "die",
                                        "und",       "Programm",   "Setup",        "\r\n", "  "};
    std::mt19937 random(seed);
    std::string out;
    while (out.size() < size) {
        out += words[random() % 10];
        out += ' ';
    }
    out.resize(size);
    return out;
}

// Data that no match shortens.
inline std::string SampleNoise(std::size_t size, std::uint32_t seed = 2) {
    std::mt19937 random(seed);
    std::string out(size, '\0');
    for (auto& c : out) c = static_cast<char>(random());
    return out;
}

// A mix like a program file: runs of zeros, repeated records, tables, noise and text.
inline std::string SampleMixed(std::size_t size, std::uint32_t seed = 3) {
    std::mt19937 random(seed);
    std::string out;
    while (out.size() < size) {
        switch (random() % 5) {
            case 0:
                out.append(random() % 300, '\0');
                break;
            case 1: {
                const std::string record = SampleNoise(4 + random() % 40, random());
                for (int k = static_cast<int>(random() % 20); k >= 0; --k) out += record;
                break;
            }
            case 2:
                for (std::uint32_t k = 0, n = random() % 200; k < n; ++k)
                    out += static_cast<char>(k * 4);
                break;
            case 3:
                out += SampleNoise(random() % 500, random());
                break;
            default:
                out += SampleText(random() % 800, random());
                break;
        }
    }
    out.resize(size);
    return out;
}

}  // namespace tavo::test
