// A minimal PNG encoder: 24-bit RGB, no filtering, zlib stored blocks. Screenshots are small
// and only need to be viewable, not compact.
#pragma once

#include <cstdint>
#include <vector>

namespace kesma::automation {

// `rgb` holds height rows of width pixels, 3 bytes each (red, green, blue), top row first.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace kesma::automation
