// The programs' geometry at every common DPI: the system DPI is set before the programs
// start (HKCU\Control Panel\Desktop, LogPixels), and every window must land on its pixel.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../unit/fakes/bitmap_bytes.h"
#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

class DpiE2e : public E2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(DpiE2e, WindowsLandOnTheirPixels) {
    const int dpi = GetParam();
    SystemDpi systemDpi(static_cast<DWORD>(dpi));
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

    // Kesmarbtn: its bottom-right corner on the work area's.
    ASSERT_TRUE(programs.Start("Kesmarbtn.exe").has_value());
    HWND button = ax::WaitTopWindow(" C-RBF");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(Eventually([&] { return WindowRect(button).right == work.right; }))
        << "right " << WindowRect(button).right << " at " << dpi << " DPI";
    EXPECT_EQ(WindowRect(button).bottom, work.bottom);
    ax::SendAndSettle(button, WM_USER, 0x100E, 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindow(button); }));

    // Kesmapan: centred across, its middle at 42.5 % of the screen height (a pixel's
    // rounding either way), and the support picture exactly the bitmap's size (it has no
    // border).
    InstallFile picture("TSVender.Bmp", test::BitmapBytes(200, 100));
    ASSERT_TRUE(programs.Start("Kesmapan.exe").has_value());
    HWND main = ax::WaitTopWindow("frmMain");
    ASSERT_NE(main, nullptr);
    const RECT m = WindowRect(main);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(m.left - (screenWidth - (m.right - m.left)) / 2), 1) << m.left;
    // At 225 % the window is taller than a 768-pixel screen, and Windows cuts it to its
    // largest tracking size after placing it: its top then no longer tells its middle.
    if (m.bottom - m.top < screenHeight) {
        EXPECT_LE(std::abs(m.top - static_cast<int>(std::lround(screenHeight * 0.425 - (m.bottom - m.top) / 2.0))),
                  1)
            << m.top;
    }
    if (dpi == 192) {
        // Its top lies above the screen at 200 %, and X reads no part of a window that is
        // not all on the screen: the picture is taken with the window moved down.
        SetWindowPos(main, nullptr, m.left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Shot(main, "frmMain-200");
    }

    ASSERT_EQ(ax::Click(main, ax::FindControl(main, "cmdSupport")), "");
    HWND support = ax::WaitTopWindow("frmSupport");
    ASSERT_NE(support, nullptr);
    const RECT p = WindowRect(ax::FindControl(support, "picSupport"));
    EXPECT_EQ(p.right - p.left, 200);
    EXPECT_EQ(p.bottom - p.top, 100);
}

INSTANTIATE_TEST_SUITE_P(CommonDpis, DpiE2e, ::testing::Values(96, 120, 144, 168, 192, 216),
                         [](const ::testing::TestParamInfo<int>& dpi) { return std::to_string(dpi.param); });

}  // namespace
}  // namespace kesma::e2e
