#pragma once

#include <cstdint>
#include <vector>

namespace tavo {

// The side picture of the setup's windows: a Windows bitmap of 55 x 323 pixels with 8 bits
// per pixel and a palette of 256 colours, a blue band from dark to light with the maker's
// name from top to bottom. The build packs it as the block "logo_quer".
inline constexpr int kLogoWidth = 55;
inline constexpr int kLogoHeight = 323;

std::vector<std::uint8_t> MakeLogoBitmap();

}  // namespace tavo
