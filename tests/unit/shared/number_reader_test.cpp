#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "shared/number_reader.h"

namespace kesma {
namespace {

TEST(ReadNumber, ReadsTheLeadingNumberLeniently) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"450.5", 450.5}, {"451.5", 451.5}, {" 1 2 ", 12},   {"\t-\n3", -3}, {"+7", 7},    {"&H1F", 31},
        {"&o17", 15},     {"&h 1 f", 31},   {"&O19", 1},     {"&X1", 0},     {"-0.4", -0.4}, {"1e2", 100},
        {"2.5D1", 25},    {"1e", 1},        {"1e+", 1},      {"7x", 7},      {"abc", 0},   {"", 0},
        {".5", 0.5},      {"-", 0},         {"1.2.3", 1.2},  {"0x10", 0},    {"inf", 0},   {"1,000", 1},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(ReadNumber("1e999")));
    EXPECT_EQ(ReadNumber(std::string("1\0e2", 4)), 1);
}

// The device names' reading differs from the setup files' in two points only.
TEST(ReadDecimalNumber, SkipsCarriageReturnsAndTakesNoRadixPrefix) {
    const struct {
        const char* text;
        double setupFile, deviceName;
    } cases[] = {
        {"\r5", 0, 5}, {"1\r2", 1, 12}, {"&H1F", 31, 0}, {"&O17", 15, 0},
        {" 1 2 ", 12, 12}, {"\t-\n3", -3, -3}, {"2.5D1", 25, 25}, {"7x", 7, 7},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.setupFile) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(ReadDecimalNumber(c.text), c.deviceName) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace kesma
