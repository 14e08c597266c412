// The bitmap header reader over any file content.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "ui/bitmap_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/kesma-fuzz-bitmap-" + std::to_string(getpid()) + ".bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    int width = 0, height = 0;
    ui::ReadBitmapSize(path, width, height);
    std::remove(path.c_str());
    return 0;
}
