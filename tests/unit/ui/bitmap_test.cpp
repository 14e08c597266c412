#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "bitmap_bytes.h"
#include "ui/bitmap_header.h"
#include "ui/headless/headless.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

using kesma::test::BitmapBytes;
using kesma::test::Put16;
using kesma::test::Put32;

class BitmapTest : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("kesma_ui_bmp_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        const std::string path = (dir / name).string();
        kesma::test::WriteBytes(path, bytes);
        return path;
    }
    bool Read(const std::vector<unsigned char>& bytes, int& w, int& h) {
        return ReadBitmapSize(Write("t.bmp", bytes), w, h);
    }
};

TEST_F(BitmapTest, ReadsWindowsAndCoreHeaders) {
    int w = 0, h = 0;
    ASSERT_TRUE(Read(BitmapBytes(316, 52), w, h));
    EXPECT_EQ(w, 316);
    EXPECT_EQ(h, 52);
    ASSERT_TRUE(Read(BitmapBytes(7, -3), w, h));  // top-down
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

    auto bytes = BitmapBytes(10, 10);
    const struct {
        const char* fault;
        std::size_t at;
        std::uint32_t value;
    } hostile[] = {
        {"header too long", 14, 0x7FFFFFFF}, {"offset past the end", 10, 0xFFFFFFF0}, {"huge rows", 18, 0x7FFFFFFF},
        {"minimum height", 22, 0x80000000},  {"zero width", 18, 0},
        {"embedded PNG", 30, 5},  // not a bitmap a window can show
    };
    for (const auto& row : hostile) {
        auto changed = bytes;
        Put32(changed, row.at, row.value);
        EXPECT_FALSE(Read(changed, w, h)) << row.fault;
    }
    auto notBmp = bytes;
    notBmp[0] = 'P';
    EXPECT_FALSE(Read(notBmp, w, h));
    bytes.pop_back();  // truncated
    EXPECT_FALSE(Read(bytes, w, h));
    EXPECT_EQ(w, 0);  // untouched by every failure
}

TEST_F(BitmapTest, LoadPictureSizesAnAutoSizedControl) {
    HeadlessBackend backend;
    App app(backend, "Title");
    Form& f = app.Create<Form>("frmMain", 6000, 4000);
    ui::PictureBox& logo = f.Add<ui::PictureBox>("picLogo", 0, 0, 100, 100);
    logo.SetAutoSize(true);
    const std::string path = Write("TSLogo.Bmp", BitmapBytes(316, 52));
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
