#include "controlpanel/calibration_math.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controlpanel/calibration.h"
#include "sim/core/kesmadrv_core.h"

namespace kesma::controlpanel {
namespace {

using Kind = CalibrationKind;

TEST(CalibrationMathTest, CornerPointsOfANormalPanel) {
    const TargetPoints p{RawPoint{50, 50}, {970, 50}, {970, 970}, {50, 970}};
    EXPECT_EQ(QuadrantCode(Kind::Corners, p), "00101101");
    // offX = 921 * 16 / 992 = 14.855, offY = 921 * 16 / 736 = 20.02
    const CalibrationOutcome out = ComputeCalibration(Kind::Corners, p, 0, 1024, 768);
    ASSERT_TRUE(out.direction.ok);
    EXPECT_EQ(out.result, (Calibration{35, 510, 985, 30, 510, 990, 0}));
}

TEST(CalibrationMathTest, MirroredAndExchangedPanelsAreRecognised) {
    struct Case {
        TargetPoints points;
        std::string code;
        std::uint8_t direction;
    };
    const Case cases[] = {
        {{RawPoint{973, 50}, {53, 50}, {53, 970}, {973, 970}}, "10000111", 1},
        {{RawPoint{50, 973}, {970, 973}, {970, 53}, {50, 53}}, "01111000", 2},
        {{RawPoint{973, 973}, {53, 973}, {53, 53}, {973, 53}}, "11010010", 3},
        // Raw X runs down the screen: fails as it is, passes exchanged.
        {{RawPoint{50, 50}, {50, 970}, {970, 970}, {970, 50}}, "00011110", 4},
    };
    for (const Case& c : cases) {
        TargetPoints p = c.points;
        const PanelDirectionResult r = DetectPanelDirection(Kind::Corners, p);
        EXPECT_EQ(r.firstCode, c.code);
        EXPECT_TRUE(r.ok) << c.code;
        EXPECT_EQ(r.direction, c.direction) << c.code;
        // After mirroring (and exchanging) every case is the normal panel of the first test.
        const CalibrationOutcome out = ComputeCalibration(Kind::Corners, c.points, 0, 1024, 768);
        EXPECT_EQ(out.result, (Calibration{35, 510, 985, 30, 510, 990, c.direction})) << c.code;
    }
}

TEST(CalibrationMathTest, RefusedDirectionsGiveBothCodes) {
    TargetPoints same{RawPoint{40, 40}, {40, 40}, {40, 40}, {40, 40}};
    PanelDirectionResult r = DetectPanelDirection(Kind::Corners, same);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.firstCode + "-" + r.secondCode, "00000000-00000000");
    // Edge mode reads X from LEFT and RIGHT, Y from TOP and DOWN only.
    TargetPoints edges{RawPoint{900, 50}, {970, 900}, {100, 970}, {50, 100}};
    EXPECT_EQ(QuadrantCode(Kind::Edges, edges), "00101101");
}

TEST(CalibrationMathTest, RotationTakesTheRightPointAsTopLeft) {
    const TargetPoints p{RawPoint{1, 1}, {2, 2}, {3, 3}, {4, 4}};
    EXPECT_EQ(RotatePoints(p, 1), (TargetPoints{p[3], p[0], p[1], p[2]}));
    EXPECT_EQ(RotatePoints(p, 2)[0], p[1]);  // the TOP-RIGHT point
    EXPECT_EQ(RotatePoints(p, 3), (TargetPoints{p[2], p[3], p[0], p[1]}));
    EXPECT_EQ(RotatePoints(p, 7), p);
    EXPECT_EQ(RotatePoints(p, -1), p);
}

TEST(CalibrationMathTest, ExtrapolationClampsAndRoundsHalvesToEven) {
    // Spans wider than the raw range push the edges past 0 and 1023.
    const Calibration wide =
        ComputeCornerCalibration({RawPoint{5, 5}, {1020, 5}, {1020, 1020}, {5, 1020}}, 1024, 768);
    EXPECT_EQ(wide.CalXMin, 0);
    EXPECT_EQ(wide.CalXMax, 1023);
    EXPECT_EQ(wide.CalYMin, 0);
    EXPECT_EQ(wide.CalYMax, 1023);
    // Edge mode on a 96-pixel screen (halves of 32): offLeft = (16 + 1) * 16 / 32 = 8.5,
    // so XMin = 100 - 8.5 = 91.5 -> 92 and XMax = 132 + 8.5 = 140.5 -> 140.
    EXPECT_EQ(RoundHalfEven(91.5), 92);
    EXPECT_EQ(RoundHalfEven(92.5), 92);
    const Calibration edge =
        ComputeEdgeCalibration({RawPoint{116, 100}, {132, 116}, {116, 132}, {100, 116}}, 96, 96);
    EXPECT_EQ(edge.CalXMin, 92);
    EXPECT_EQ(edge.CalXMax, 140);
}

TEST(CalibrationMathTest, ValidationNamesTheShortSpans) {
    struct Case {
        Calibration c;
        std::string code;
    };
    const Case cases[] = {
        {{0, 512, 1023, 0, 512, 1023, 0}, ""},
        {{0, 255, 1023, 0, 512, 1023, 0}, "1"},
        {{0, 256, 511, 0, 256, 511, 0}, "24"},
        {{400, 500, 600, 400, 500, 600, 0}, "1234"},
        {{600, 500, 400, 0, 512, 1023, 0}, "12"},  // negative spans fail too
    };
    for (const Case& c : cases) EXPECT_EQ(ValidateCalibration(c.c), c.code);
}

TEST(CalibrationMathTest, ScreensOf32PixelsOrLessAreRefused) {
    EXPECT_TRUE(ScreenCanBeCalibrated(33, 33));
    EXPECT_FALSE(ScreenCanBeCalibrated(32, 768));
    EXPECT_FALSE(ScreenCanBeCalibrated(1024, 0));
}

TEST(CalibrationMathTest, CrossBoxesAt1024x768AndAnOddSize) {
    const int xc[] = {15, 1006, 1006, 15, 511, 1006, 511, 15};
    const int yc[] = {15, 15, 750, 750, 15, 383, 750, 383};
    for (int i = 1; i <= 8; ++i) {
        const CrossBox b = CrossMarkBox(i, 1024, 768);
        EXPECT_EQ(b.xc, xc[i - 1]) << i;
        EXPECT_EQ(b.yc, yc[i - 1]) << i;
    }
    EXPECT_EQ(CrossMarkBox(3, 1024, 768), (CrossBox{990, 1006, 1023, 734, 750, 767}));
    // 801 / 2 - 1 = 399.5 rounds to 400, 601 / 2 - 1 = 299.5 to 300.
    EXPECT_EQ(CrossMarkBox(5, 801, 601), (CrossBox{383, 400, 415, 0, 15, 31}));
    EXPECT_EQ(CrossMarkBox(6, 801, 601), (CrossBox{767, 783, 800, 283, 300, 315}));
}

// Where the physical panel is touched for a screen pixel under each rotation (square
// screens: a rotated screen exchanges its width and height).
KesmaPixel Physical(int rotation, int n, int sx, int sy) {
    switch (rotation) {
    case 1: return {n - 1 - sy, sx};
    case 2: return {sy, n - 1 - sx};
    case 3: return {n - 1 - sx, n - 1 - sy};
    default: return {sx, sy};
    }
}

// Calibrating by touching the cross centres, then touching a grid of pixels: the driver
// places each within 2 pixels, for every wiring, mode and rotation.
TEST(CalibrationMathTest, RoundTripOverEveryWiringModeAndRotation) {
    struct Screen {
        int w, h, rotation;
    };
    const Screen screens[] = {{1024, 768, 0}, {800, 800, 0}, {800, 800, 1}, {800, 800, 2}, {800, 800, 3}};
    for (const Screen& s : screens) {
        for (std::uint8_t wiring = 0; wiring < 8; ++wiring) {
            const KesmaPanelModel panel{wiring, 0, 60, 980};
            for (Kind kind : {Kind::Corners, Kind::Edges}) {
                TargetPoints points;
                for (int i = 0; i < 4; ++i) {
                    const CrossBox b = CrossMarkBox((kind == Kind::Corners ? 1 : 5) + i, s.w, s.h);
                    const KesmaPixel phys = Physical(s.rotation, s.w, b.xc, b.yc);
                    const KesmaPixel raw = KesmaPanelPixelToRaw(&panel, s.w, s.h, phys.X, phys.Y);
                    points[i] = {static_cast<std::int16_t>(raw.X), static_cast<std::int16_t>(raw.Y)};
                }
                const CalibrationOutcome out = ComputeCalibration(kind, points, s.rotation, s.w, s.h);
                const std::string what = std::to_string(s.w) + "x" + std::to_string(s.h) + " rotation " +
                                         std::to_string(s.rotation) + " wiring " + std::to_string(wiring) +
                                         (kind == Kind::Corners ? " corners" : " edges");
                ASSERT_TRUE(out.direction.ok) << what;
                ASSERT_EQ(out.result.PanelDirection, wiring) << what;
                ASSERT_EQ(ValidateCalibration(out.result), "") << what;
                DeviceSettings settings{};
                settings.ScreenWidth = static_cast<std::uint16_t>(s.w);
                settings.ScreenHeight = static_cast<std::uint16_t>(s.h);
                settings.CalXMin = out.result.CalXMin, settings.CalXMid = out.result.CalXMid;
                settings.CalXMax = out.result.CalXMax, settings.CalYMin = out.result.CalYMin;
                settings.CalYMid = out.result.CalYMid, settings.CalYMax = out.result.CalYMax;
                settings.PanelDirection = out.result.PanelDirection;
                int worst = 0;
                for (int gx = 0; gx <= 8; ++gx) {
                    for (int gy = 0; gy <= 8; ++gy) {
                        const int px = gx * (s.w - 1) / 8, py = gy * (s.h - 1) / 8;
                        const KesmaPixel raw = KesmaPanelPixelToRaw(&panel, s.w, s.h, px, py);
                        const KesmaPixel got = KesmaMapRawToPixel(&settings, raw.X, raw.Y);
                        worst = std::max({worst, std::abs(got.X - px), std::abs(got.Y - py)});
                    }
                }
                EXPECT_LE(worst, 2) << what;
            }
        }
    }
}

}  // namespace
}  // namespace kesma::controlpanel
