#include "tools/logo_bitmap.h"

#include <array>
#include <string_view>

namespace tavo {
namespace {

constexpr int kRowBytes = (kLogoWidth + 3) / 4 * 4;
constexpr int kPaletteSize = 256;
constexpr int kPixelOffset = 14 + 40 + kPaletteSize * 4;
constexpr int kBandColours = 192;  // indices 0..191 blue band, 255 white
constexpr std::uint8_t kWhite = 255;

// Letters of 5 x 7 dots, one row a string, top row first.
struct Glyph {
    char letter;
    std::array<std::string_view, 7> rows;
};

constexpr std::array<Glyph, 5> kGlyphs{{
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
}};
constexpr int kDot = 5;         // pixels per dot
constexpr int kLetterGap = 12;  // pixels between letters
constexpr int kTopMargin = 24;

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutHeaders(std::vector<std::uint8_t>& out) {
    const std::uint32_t imageSize = kRowBytes * kLogoHeight;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, kPixelOffset + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, kPixelOffset, 4);
    PutLe(out, 40, 4);
    PutLe(out, kLogoWidth, 4);
    PutLe(out, kLogoHeight, 4);  // positive: rows bottom-up
    PutLe(out, 1, 2);
    PutLe(out, 8, 2);
    PutLe(out, 0, 4);  // no compression
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4);  // 72 dpi
    PutLe(out, 2835, 4);
    PutLe(out, kPaletteSize, 4);
    PutLe(out, 0, 4);
}

// Palette entries are blue, green, red, reserved.
void PutPalette(std::vector<std::uint8_t>& out) {
    for (int i = 0; i < kPaletteSize; ++i) {
        if (i < kBandColours) {
            out.push_back(static_cast<std::uint8_t>(0x60 + i * 0x70 / kBandColours));
            out.push_back(static_cast<std::uint8_t>(0x18 + i * 0x50 / kBandColours));
            out.push_back(static_cast<std::uint8_t>(0x08 + i * 0x30 / kBandColours));
        } else {
            out.push_back(kWhite);
            out.push_back(kWhite);
            out.push_back(kWhite);
        }
        out.push_back(0);
    }
}

bool InLetters(int x, int y) {
    const int letterHeight = 7 * kDot;
    const int left = (kLogoWidth - 5 * kDot) / 2;
    if (x < left || x >= left + 5 * kDot || y < kTopMargin) return false;
    const int slot = (y - kTopMargin) / (letterHeight + kLetterGap);
    const int inSlot = (y - kTopMargin) % (letterHeight + kLetterGap);
    if (slot >= static_cast<int>(kGlyphs.size()) || inSlot >= letterHeight) return false;
    return kGlyphs[slot].rows[inSlot / kDot][(x - left) / kDot] == '#';
}

std::uint8_t PixelAt(int x, int y) {
    if (InLetters(x, y)) return kWhite;
    return static_cast<std::uint8_t>(y * (kBandColours - 1) / (kLogoHeight - 1));
}

}  // namespace

std::vector<std::uint8_t> MakeLogoBitmap() {
    std::vector<std::uint8_t> out;
    out.reserve(kPixelOffset + kRowBytes * kLogoHeight);
    PutHeaders(out);
    PutPalette(out);
    for (int row = kLogoHeight - 1; row >= 0; --row) {
        for (int x = 0; x < kLogoWidth; ++x) out.push_back(PixelAt(x, row));
        for (int pad = kLogoWidth; pad < kRowBytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace tavo
