// The simulated driver as the programs see it: through the device, under Wine.
#include <cstring>
#include <functional>

#include "harness.h"

namespace kesma::e2e {
namespace {

struct RequestCase {
    std::uint32_t code;
    const char* name;
    DWORD size;
};

const RequestCase kRequests[] = {
    {0xF2010, "GetSettings", 82},          {0xF2030, "ReadTouchPoint", 8},
    {0xF2040, "SetCalibrationPhase", 4},   {0xF2060, "SetTouchMode", 82},
    {0xF2070, "SetFeedbackSound", 82},     {0xF2090, "SetMouseSpeed", 82},
    {0xF20A0, "SetCalibration", 82},       {0xF20B0, "SetScreenSize", 82},
    {0xF20C0, "SetPowerSave", 82},         {0xF20D0, "SetPortResources", 28},
    {0xF3010, "GetRightButtonWindow", 8},  {0xF3020, "SetRightButtonWindow", 8},
    {0xF4010, "GetSmiWindow", 8},          {0xF5010, "SoundTest", 4},
};

// Copies the fields a Set request owns from `from` into `to`.
using GroupCopy = std::function<void(DeviceSettings& to, const DeviceSettings& from)>;

struct SetCase {
    std::uint32_t code;
    const char* name;
    GroupCopy copy;
};

const SetCase kSetRequests[] = {
    {0xF2060, "SetTouchMode",
     [](DeviceSettings& t, const DeviceSettings& f) {
         t.TouchMode = f.TouchMode;
         t.RightButton = f.RightButton;
         t.RbAutoMode = f.RbAutoMode;
         t.RbAutoStartTime = f.RbAutoStartTime;
         t.RbAutoEndTime = f.RbAutoEndTime;
         t.RbAutoBeep = f.RbAutoBeep;
     }},
    {0xF2070, "SetFeedbackSound",
     [](DeviceSettings& t, const DeviceSettings& f) {
         t.SoundMode = f.SoundMode;
         t.SoundTone = f.SoundTone;
         t.SoundDuration = f.SoundDuration;
     }},
    {0xF2090, "SetMouseSpeed",
     [](DeviceSettings& t, const DeviceSettings& f) {
         t.BypassMode = f.BypassMode;
         t.SpeedH = f.SpeedH;
         t.SpeedV = f.SpeedV;
         t.Acceleration = f.Acceleration;
     }},
    {0xF20A0, "SetCalibration",
     [](DeviceSettings& t, const DeviceSettings& f) {
         t.CalXMin = f.CalXMin;
         t.CalXMid = f.CalXMid;
         t.CalXMax = f.CalXMax;
         t.CalYMin = f.CalYMin;
         t.CalYMid = f.CalYMid;
         t.CalYMax = f.CalYMax;
         t.PanelDirection = f.PanelDirection;
     }},
    {0xF20B0, "SetScreenSize",
     [](DeviceSettings& t, const DeviceSettings& f) {
         t.ScreenWidth = f.ScreenWidth;
         t.ScreenHeight = f.ScreenHeight;
     }},
    {0xF20C0, "SetPowerSave", [](DeviceSettings& t, const DeviceSettings& f) { t.IdleTime = f.IdleTime; }},
};

// Every byte different from the reset record, so a field taken by mistake shows.
DeviceSettings AllChanged(const DeviceSettings& from) {
    DeviceSettings changed = from;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&changed);
    for (std::size_t i = 0; i < sizeof changed; ++i) bytes[i] = static_cast<std::uint8_t>(bytes[i] ^ 0x5A);
    return changed;
}

bool SameBytes(const void* a, const void* b, std::size_t size) { return std::memcmp(a, b, size) == 0; }

class DriverSmoke : public E2eTest {};

TEST_F(DriverSmoke, EveryRequestIsAnsweredAtItsSizeAndJournaledInOrder) {
    driver.ClearJournal();
    for (const RequestCase& r : kRequests) {
        std::vector<std::uint8_t> buffer(r.size, 0);
        if (r.code == 0xF3020 || r.code == 0xF20D0) std::memset(buffer.data(), 0xFF, 4);  // no window, empty slot
        DWORD returned = 0;
        EXPECT_TRUE(driver.Request(r.code, buffer.data(), r.size, r.size, &returned)) << r.name;
        EXPECT_EQ(returned, r.size) << r.name;
    }
    std::vector<KesmaJournalEntry> journal = driver.Journal();
    ASSERT_EQ(journal.size(), std::size(kRequests));
    for (std::size_t i = 0; i < journal.size(); ++i) {
        EXPECT_EQ(journal[i].Code, kRequests[i].code) << kRequests[i].name;
        EXPECT_EQ(journal[i].Size, kRequests[i].size) << kRequests[i].name;
    }
}

TEST_F(DriverSmoke, WrongSizesAreRefusedAndChangeNothing) {
    const KesmaSimState before = driver.State();
    for (const RequestCase& r : kRequests) {
        std::vector<std::uint8_t> buffer(r.size + 1, 0x5A);
        const std::pair<DWORD, DWORD> wrong[] = {{r.size - 1, r.size - 1}, {r.size + 1, r.size + 1},
                                                 {r.size, r.size - 1}, {0, r.size}};
        for (auto [in, out] : wrong) {
            SetLastError(0);
            EXPECT_FALSE(driver.Request(r.code, buffer.data(), in, out)) << r.name << " in " << in << " out " << out;
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << r.name;
        }
    }
    const KesmaSimState after = driver.State();
    EXPECT_TRUE(SameBytes(&before, &after, sizeof before)) << "a refused request changed the driver state";
}

TEST_F(DriverSmoke, EachSetRequestTakesOnlyItsGroupAndWritesTheWholeRecordBack) {
    for (const SetCase& s : kSetRequests) {
        driver.Reset();
        const DeviceSettings original = driver.State().Settings;
        DeviceSettings sent = AllChanged(original);
        DeviceSettings expected = original;
        s.copy(expected, sent);

        DeviceSettings buffer = sent;
        ASSERT_TRUE(driver.Request(s.code, buffer)) << s.name;
        const DeviceSettings stored = driver.State().Settings;
        EXPECT_TRUE(SameBytes(&stored, &expected, sizeof expected)) << s.name << " took other fields";
        EXPECT_TRUE(SameBytes(&buffer, &expected, sizeof expected)) << s.name << " answered another record";
    }
}

TEST_F(DriverSmoke, JournalKeepsTheBytesInAndOut) {
    driver.ClearJournal();
    DeviceSettings settings{};
    ASSERT_TRUE(driver.Request(0xF2010, settings));
    WindowSlot slot{0x1234, 1, 0};
    ASSERT_TRUE(driver.Request(0xF3020, slot));
    WindowSlot read{};
    ASSERT_TRUE(driver.Request(0xF3010, read));

    std::vector<KesmaJournalEntry> journal = driver.Journal();
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_TRUE(SameBytes(journal[0].Out, &settings, sizeof settings));
    EXPECT_TRUE(SameBytes(journal[1].In, &slot, sizeof slot));
    EXPECT_TRUE(SameBytes(journal[2].Out, &slot, sizeof slot)) << "the slot reads back as stored";
    EXPECT_EQ(read.Window, 0x1234);
    EXPECT_EQ(read.Word, 1);

    driver.ClearJournal();
    EXPECT_TRUE(driver.Journal().empty());
}

TEST_F(DriverSmoke, FaultModeFailsEveryPublicRequestUntilSwitchedOff) {
    driver.SetFault(true);
    for (const RequestCase& r : kRequests) {
        std::vector<std::uint8_t> buffer(r.size, 0);
        EXPECT_FALSE(driver.Request(r.code, buffer.data(), r.size, r.size)) << r.name;
    }
    driver.SetFault(false);
    DeviceSettings settings{};
    EXPECT_TRUE(driver.Request(0xF2010, settings));
    EXPECT_EQ(settings.ComPort, 1);
}

TEST_F(DriverSmoke, TouchReportsAndTheRightClickReachTheReaders) {
    TouchPoint first{};
    ASSERT_TRUE(driver.Request(0xF2030, first));
    driver.PostTouch(100, 900, true);
    TouchPoint down{};
    ASSERT_TRUE(driver.Request(0xF2030, down));
    EXPECT_EQ(down.X, 100);
    EXPECT_EQ(down.Y, 900);
    EXPECT_TRUE(down.Status & KESMA_PEN_DOWN);
    EXPECT_NE(down.Sequence, first.Sequence) << "a new report has a new sequence number";

    WindowSlot armed{0x2000, 1, 0};
    ASSERT_TRUE(driver.Request(0xF3020, armed));
    driver.PerformRightClick();
    WindowSlot after{};
    ASSERT_TRUE(driver.Request(0xF3010, after));
    EXPECT_EQ(after.Window, 0x2000);
    EXPECT_EQ(after.Word, 0) << "the click clears RightClickArmed";
}

// kesmasim reads the same driver the programs use.
TEST_F(DriverSmoke, KesmasimShowsTheDriverState) {
    KesmaSimState state = driver.State();
    state.Settings.SoundTone = 1234;
    state.Settings.McuInfo[0] = 0xD5;
    state.Settings.PortTable[2].PortBase = 0x3E8;
    driver.WriteState(state);

    ToolResult r = Kesmasim("state");
    auto json = automation::ParseJson(r.out);
    ASSERT_TRUE(json.has_value()) << r.out;
    const auto& settings = (*json)["DeviceSettings"];
    EXPECT_EQ(settings["SoundTone"].Int(), 1234);
    EXPECT_EQ(settings["McuInfo"][0].Int(), 0xD5);
    EXPECT_EQ(settings["PortTable"][2]["PortBase"].Int(), 0x3E8);
    EXPECT_EQ((*json)["RightButtonSlot"]["Window"].Int(), -1);

    Kesmasim("set SoundTone=0x10 PortTable[4].PortIrq=254");
    state = driver.State();
    EXPECT_EQ(state.Settings.SoundTone, 0x10);
    EXPECT_EQ(state.Settings.PortTable[3].PortIrq, 254);
}

}  // namespace
}  // namespace kesma::e2e
