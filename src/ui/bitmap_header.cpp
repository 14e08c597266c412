#include "ui/bitmap_header.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace ui {

namespace {

std::uint32_t U16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

bool ReadBitmapSize(const std::string& path, int& widthPx, int& heightPx) {
    // C stdio rather than iostreams: the streams' locale machinery would add most of a
    // megabyte to every statically linked program.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long end = std::ftell(file.get());
    if (end <= 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    const auto fileSize = static_cast<std::uint64_t>(end);

    constexpr std::size_t kFileHeader = 14, kCoreHeader = 12, kInfoHeader = 40, kMaxHeader = 124;
    std::array<unsigned char, kFileHeader + kMaxHeader> head{};
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, head.size()));
    if (std::fread(head.data(), 1, wanted, file.get()) != wanted) return false;
    if (static_cast<std::uint64_t>(wanted) < kFileHeader + 4 || head[0] != 'B' || head[1] != 'M') return false;

    const std::uint64_t pixelOffset = U32(&head[10]);
    const std::uint32_t headerSize = U32(&head[14]);
    if (headerSize != kCoreHeader && (headerSize < kInfoHeader || headerSize > kMaxHeader)) return false;
    if (kFileHeader + headerSize > static_cast<std::uint64_t>(wanted)) return false;
    const unsigned char* h = &head[kFileHeader];

    std::int64_t width = 0, height = 0;
    std::uint32_t planes = 0, bitCount = 0, compression = 0;
    if (headerSize == kCoreHeader) {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        bitCount = U16(h + 10);
    } else {
        width = static_cast<std::int32_t>(U32(h + 4));
        height = static_cast<std::int32_t>(U32(h + 8));  // negative: rows stored top-down
        planes = U16(h + 12);
        bitCount = U16(h + 14);
        compression = U32(h + 16);
    }
    height = std::llabs(height);
    // Anything larger than a screen many times over is a hostile header, not a picture.
    constexpr std::int64_t kMaxSide = 32767;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1) return false;

    constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
    const bool known = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                       bitCount == 32;
    if (!known || pixelOffset < kFileHeader + headerSize) return false;
    if (compression == kRgb || compression == kBitFields) {
        const std::uint64_t rowBytes = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
        if (pixelOffset + rowBytes * static_cast<std::uint64_t>(height) > fileSize) return false;
    } else if (compression == kRle8 || compression == kRle4) {
        if (pixelOffset >= fileSize) return false;
    } else {
        return false;
    }
    widthPx = static_cast<int>(width);
    heightPx = static_cast<int>(height);
    return true;
}

}  // namespace ui
