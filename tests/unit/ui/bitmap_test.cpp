#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "ui/headless/headless.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

void Put16(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A 24-bit bitmap with a 40-byte header and all its pixel rows.
std::vector<unsigned char> InfoBitmap(std::int32_t width, std::int32_t height) {
    const std::uint32_t row = ((static_cast<std::uint32_t>(width) * 24 + 31) / 32) * 4;
    std::vector<unsigned char> b(54 + row * static_cast<std::uint32_t>(height < 0 ? -height : height));
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, 24);
    return b;
}

class BitmapTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("kesma_ui_bmp_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    bool Read(const std::vector<unsigned char>& bytes, int& w, int& h) {
        return ReadBitmapSize(Write("t.bmp", bytes), w, h);
    }
};

TEST_F(BitmapTest, ReadsWindowsAndCoreHeaders) {
    int w = 0, h = 0;
    ASSERT_TRUE(Read(InfoBitmap(316, 52), w, h));
    EXPECT_EQ(w, 316);
    EXPECT_EQ(h, 52);
    ASSERT_TRUE(Read(InfoBitmap(7, -3), w, h));  // top-down
    EXPECT_EQ(h, 3);

    std::vector<unsigned char> core(26 + 4 * 2);  // 8 x 2 monochrome: 4-byte rows
    core[0] = 'B';
    core[1] = 'M';
    Put32(core, 10, 26);
    Put32(core, 14, 12);
    Put16(core, 18, 8);
    Put16(core, 20, 2);
    Put16(core, 22, 1);
    Put16(core, 24, 1);
    ASSERT_TRUE(Read(core, w, h));
    EXPECT_EQ(w, 8);
    EXPECT_EQ(h, 2);
}

TEST_F(BitmapTest, RejectsMissingShortAndHostileFiles) {
    int w = 0, h = 0;
    EXPECT_FALSE(ReadBitmapSize((dir / "missing.bmp").string(), w, h));
    EXPECT_FALSE(Read({}, w, h));
    EXPECT_FALSE(Read({'B', 'M', 0, 0}, w, h));

    auto bytes = InfoBitmap(10, 10);
    auto notBmp = bytes;
    notBmp[0] = 'P';
    EXPECT_FALSE(Read(notBmp, w, h));
    auto truncated = bytes;
    truncated.pop_back();
    EXPECT_FALSE(Read(truncated, w, h));
    auto headerTooLong = bytes;
    Put32(headerTooLong, 14, 0x7FFFFFFF);
    EXPECT_FALSE(Read(headerTooLong, w, h));
    auto offsetPastEnd = bytes;
    Put32(offsetPastEnd, 10, 0xFFFFFFF0);
    EXPECT_FALSE(Read(offsetPastEnd, w, h));
    auto hugeRows = bytes;
    Put32(hugeRows, 18, 0x7FFFFFFF);
    EXPECT_FALSE(Read(hugeRows, w, h));
    auto minHeight = bytes;
    Put32(minHeight, 22, 0x80000000);
    EXPECT_FALSE(Read(minHeight, w, h));
    auto zeroWidth = bytes;
    Put32(zeroWidth, 18, 0);
    EXPECT_FALSE(Read(zeroWidth, w, h));
    auto png = bytes;
    Put32(png, 30, 5);  // embedded PNG: not a bitmap a window can show
    EXPECT_FALSE(Read(png, w, h));
    EXPECT_EQ(w, 0);  // untouched by every failure
}

TEST_F(BitmapTest, LoadPictureSizesAnAutoSizedControl) {
    HeadlessBackend backend;
    App app(backend, "Title");
    Form& f = app.Create<Form>("frmMain", 6000, 4000);
    Control& logo = f.Add(Kind::PictureBox, "picLogo", 0, 0, 100, 100);
    logo.SetAutoSize(true);
    const std::string path = Write("TSLogo.Bmp", InfoBitmap(316, 52));
    ASSERT_TRUE(logo.LoadPicture(path));
    EXPECT_EQ(logo.GetPicture().source, Picture::Source::File);
    EXPECT_EQ(logo.GetPicture().path, path);
    EXPECT_EQ(logo.Width(), 316 * 15);
    EXPECT_EQ(logo.Height(), 52 * 15);
    EXPECT_FALSE(logo.LoadPicture(Write("bad.bmp", {'B', 'M'})));
    EXPECT_EQ(logo.GetPicture().source, Picture::Source::None);
}

}  // namespace
}  // namespace ui
