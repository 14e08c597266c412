#include "controlpanel/calibration_math.h"

#include <cmath>
#include <utility>

#include "shared/records.h"

namespace kesma::controlpanel {

namespace {

constexpr int kRawMax = 1023;
constexpr int kRawMid = 512;
constexpr int kMinSpan = 256;

// Direction bits by pattern index: normal, X mirrored, Y mirrored, both.
constexpr const char* kPatterns[] = {"00101101", "10000111", "01111000", "11010010"};

int PatternIndex(const std::string& code) {
    for (int i = 0; i < 4; ++i) {
        if (code == kPatterns[i]) return i;
    }
    return -1;
}

std::int16_t ClampLow(int v) { return static_cast<std::int16_t>(v < 0 ? 0 : v); }
std::int16_t ClampHigh(int v) { return static_cast<std::int16_t>(v > kRawMax ? kRawMax : v); }

}  // namespace

// nearbyint rounds in the default mode, to nearest with halves to even.
int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

bool ScreenCanBeCalibrated(int resolutionX, int resolutionY) {
    return resolutionX > 2 * kCrossHalfSize && resolutionY > 2 * kCrossHalfSize;
}

int NormalRotation(int screenRotation) { return screenRotation < 0 || screenRotation > 3 ? 0 : screenRotation; }

TargetPoints RotatePoints(const TargetPoints& p, int rotation) {
    switch (NormalRotation(rotation)) {
    case 1: return {p[3], p[0], p[1], p[2]};
    case 2: return {p[1], p[2], p[3], p[0]};
    case 3: return {p[2], p[3], p[0], p[1]};
    default: return p;
    }
}

std::string QuadrantCode(CalibrationKind kind, const TargetPoints& p) {
    TargetPoints corners = p;
    if (kind == CalibrationKind::Edges) {
        // TOP, RIGHT, DOWN, LEFT: left and right give the X, top and down the Y.
        corners = {RawPoint{p[3].X, p[0].Y}, RawPoint{p[1].X, p[0].Y}, RawPoint{p[1].X, p[2].Y},
                   RawPoint{p[3].X, p[2].Y}};
    }
    std::string code;
    for (const RawPoint& c : corners) {
        code += c.X < kRawMid ? '0' : '1';
        code += c.Y < kRawMid ? '0' : '1';
    }
    return code;
}

PanelDirectionResult DetectPanelDirection(CalibrationKind kind, TargetPoints& points) {
    PanelDirectionResult r;
    r.firstCode = QuadrantCode(kind, points);
    if (int i = PatternIndex(r.firstCode); i >= 0) {
        r.ok = true;
        r.direction = static_cast<std::uint8_t>(i);
        return r;
    }
    for (RawPoint& p : points) std::swap(p.X, p.Y);
    r.secondCode = QuadrantCode(kind, points);
    if (int i = PatternIndex(r.secondCode); i >= 0) {
        r.ok = true;
        r.direction = static_cast<std::uint8_t>(i | KESMA_SWAP_XY);
    }
    return r;
}

void MirrorPoints(TargetPoints& points, std::uint8_t direction) {
    for (RawPoint& p : points) {
        if (direction & KESMA_INVERT_Y) p.Y = static_cast<std::int16_t>(kRawMax - p.Y);
        if (direction & KESMA_INVERT_X) p.X = static_cast<std::int16_t>(kRawMax - p.X);
    }
}

// The span between the two measured columns (rows) of crosses covers the screen less
// twice the half-size; one scale per axis.
Calibration ComputeCornerCalibration(const TargetPoints& p, int resolutionX, int resolutionY) {
    const int xMin = (p[0].X + p[3].X) / 2, xMax = (p[1].X + p[2].X) / 2;
    const int yMin = (p[0].Y + p[1].Y) / 2, yMax = (p[2].Y + p[3].Y) / 2;
    const double offX = static_cast<double>((xMax - xMin + 1) * kCrossHalfSize) / (resolutionX - 2 * kCrossHalfSize);
    const double offY = static_cast<double>((yMax - yMin + 1) * kCrossHalfSize) / (resolutionY - 2 * kCrossHalfSize);
    Calibration c;
    c.CalXMid = static_cast<std::int16_t>(xMin + (xMax - xMin) / 2);
    c.CalYMid = static_cast<std::int16_t>(yMin + (yMax - yMin) / 2);
    c.CalXMin = ClampLow(RoundHalfEven(xMin - offX));
    c.CalXMax = ClampHigh(RoundHalfEven(xMax + offX));
    c.CalYMin = ClampLow(RoundHalfEven(yMin - offY));
    c.CalYMax = ClampHigh(RoundHalfEven(yMax + offY));
    return c;
}

// Each half of an axis covers half the screen less the half-size, scaled on its own.
Calibration ComputeEdgeCalibration(const TargetPoints& p, int resolutionX, int resolutionY) {
    const int xMin = p[3].X, xMax = p[1].X, yMin = p[0].Y, yMax = p[2].Y;
    const int xMid = (p[2].X + p[0].X) / 2, yMid = (p[1].Y + p[3].Y) / 2;
    const double halfW = resolutionX / 2.0 - kCrossHalfSize, halfH = resolutionY / 2.0 - kCrossHalfSize;
    const double offLeft = (xMid - xMin + 1) * kCrossHalfSize / halfW;
    const double offRight = (xMax - xMid + 1) * kCrossHalfSize / halfW;
    const double offTop = (yMid - yMin + 1) * kCrossHalfSize / halfH;
    const double offBottom = (yMax - yMid + 1) * kCrossHalfSize / halfH;
    Calibration c;
    c.CalXMid = static_cast<std::int16_t>(xMid);
    c.CalYMid = static_cast<std::int16_t>(yMid);
    c.CalXMin = ClampLow(RoundHalfEven(xMin - offLeft));
    c.CalXMax = ClampHigh(RoundHalfEven(xMax + offRight));
    c.CalYMin = ClampLow(RoundHalfEven(yMin - offTop));
    c.CalYMax = ClampHigh(RoundHalfEven(yMax + offBottom));
    return c;
}

std::string ValidateCalibration(const Calibration& c) {
    std::string code;
    if (c.CalXMid - c.CalXMin < kMinSpan) code += '1';
    if (c.CalXMax - c.CalXMid < kMinSpan) code += '2';
    if (c.CalYMid - c.CalYMin < kMinSpan) code += '3';
    if (c.CalYMax - c.CalYMid < kMinSpan) code += '4';
    return code;
}

CalibrationOutcome ComputeCalibration(CalibrationKind kind, const TargetPoints& points, int screenRotation,
                                      int resolutionX, int resolutionY) {
    CalibrationOutcome out;
    TargetPoints p = RotatePoints(points, screenRotation);
    out.direction = DetectPanelDirection(kind, p);
    if (!out.direction.ok) return out;
    MirrorPoints(p, out.direction.direction);
    out.result = kind == CalibrationKind::Corners ? ComputeCornerCalibration(p, resolutionX, resolutionY)
                                                  : ComputeEdgeCalibration(p, resolutionX, resolutionY);
    out.result.PanelDirection = out.direction.direction;
    return out;
}

}  // namespace kesma::controlpanel
