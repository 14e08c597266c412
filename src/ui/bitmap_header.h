// The size of a bitmap file, read from its header: outside input, checked before use.
#pragma once

#include <string>

namespace ui {

// The pixel size of a .bmp file (Windows or OS/2 header; a negative height is a
// top-down bitmap). False for a missing, short, truncated or non-bitmap file.
bool ReadBitmapSize(const std::string& path, int& widthPx, int& heightPx);

}  // namespace ui
