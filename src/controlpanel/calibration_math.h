// The arithmetic that turns the four raw points of a calibration run into the driver's
// six calibration words and its panel direction bits. Pure functions: no device, no ui.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kesma::controlpanel {

// 0: corner mode (TOP-LEFT, TOP-RIGHT, DOWN-RIGHT, DOWN-LEFT); 1: edge mode (TOP, RIGHT,
// DOWN, LEFT).
enum class CalibrationKind { Corners = 0, Edges = 1 };

struct RawPoint {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    bool operator==(const RawPoint&) const = default;
};

// P0..P3: the mode's four targets in their order.
using TargetPoints = std::array<RawPoint, 4>;

struct Calibration {
    std::int16_t CalXMin = 0, CalXMid = 0, CalXMax = 0;
    std::int16_t CalYMin = 0, CalYMid = 0, CalYMax = 0;
    std::uint8_t PanelDirection = 0;
    bool operator==(const Calibration&) const = default;
};

// To the nearest integer, a half to the even neighbour.
int RoundHalfEven(double v);

// The cross centres lie 16 pixels inside the screen edges; a screen axis of 32 pixels
// or less leaves nothing to scale by.
constexpr int kCrossHalfSize = 16;
bool ScreenCanBeCalibrated(int resolutionX, int resolutionY);

// A rotation outside 0..3 counts as 0.
int NormalRotation(int screenRotation);
// The points as the unrotated screen saw them.
TargetPoints RotatePoints(const TargetPoints& points, int rotation);

// "0"/"1" per raw value below / from 512, X then Y of the four corner points.
std::string QuadrantCode(CalibrationKind kind, const TargetPoints& points);

struct PanelDirectionResult {
    bool ok = false;
    std::uint8_t direction = 0;  // InvertX | InvertY | SwapXY
    std::string firstCode, secondCode;  // second: from the exchanged axes (empty when not tried)
};
// Exchanges X and Y of the points in place when only the exchanged axes match.
PanelDirectionResult DetectPanelDirection(CalibrationKind kind, TargetPoints& points);

// 1023 - v on the axes the direction mirrors.
void MirrorPoints(TargetPoints& points, std::uint8_t direction);

// From points in panel-normal orientation; direction bits left 0.
Calibration ComputeCornerCalibration(const TargetPoints& points, int resolutionX, int resolutionY);
Calibration ComputeEdgeCalibration(const TargetPoints& points, int resolutionX, int resolutionY);

// Empty when valid, else the digits 1..4 of the failed span checks.
std::string ValidateCalibration(const Calibration& c);

// The whole computation of one mode: rotation, direction, mirroring, extrapolation.
struct CalibrationOutcome {
    PanelDirectionResult direction;
    Calibration result;  // meaningful when direction.ok
};
CalibrationOutcome ComputeCalibration(CalibrationKind kind, const TargetPoints& points, int screenRotation,
                                      int resolutionX, int resolutionY);

}  // namespace kesma::controlpanel
